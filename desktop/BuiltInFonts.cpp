#include "desktop/DesktopFonts.h"

#include "assets/BuiltInFonts.h"

namespace tolvane {

namespace {

// The windows ask for "MS Sans Serif"; Liberation Sans has its metrics closest, and is what the
// fonts of an X desktop give the program too once fonts-liberation2 is installed.
std::unique_ptr<Typeface> open_face(std::string const& name, std::string& error)
{
    std::span<unsigned char const> const bytes = built_in_font(name);
    if (bytes.empty()) {
        error = "the program carries no font " + name;
        return nullptr;
    }
    return Typeface::open(bytes, name + ".ttf", 0, error);
}

} // namespace

// Where the desktop has no fontconfig (Windows), the faces are the ones built into the program.
std::unique_ptr<Fonts> open_desktop_fonts(std::string& error)
{
    std::unique_ptr<Typeface> regular = open_face("LiberationSans-Regular", error);
    if (!regular)
        return nullptr;
    std::unique_ptr<Typeface> bold = open_face("LiberationSans-Bold", error);
    if (!bold)
        return nullptr;
    return std::make_unique<Fonts>(std::move(regular), std::move(bold));
}

} // namespace tolvane
