#include "desktop/DesktopFonts.h"

#include <fontconfig/fontconfig.h>

#include <optional>

namespace tolvane {

namespace {

// The windows ask for "MS Sans Serif"; where it is missing, Liberation Sans has its metrics
// closest, and fontconfig falls back to any sans-serif face after that.
constexpr char const* wanted_families = "MS Sans Serif,Liberation Sans,sans-serif";

struct FontFile {
    std::string path;
    int index = 0;
};

std::optional<FontFile> find_font_file(int weight)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<FcChar8 const*>(wanted_families));
    if (!pattern)
        return std::nullopt;
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;
    std::optional<FontFile> found;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        found = FontFile { reinterpret_cast<char const*>(file), index };
    }
    FcPatternDestroy(match);
    return found;
}

std::unique_ptr<Typeface> open_face(std::optional<FontFile> const& file, std::string& error)
{
    if (!file) {
        error = "fontconfig found no outline font for \"" + std::string(wanted_families) + "\"";
        return nullptr;
    }
    return Typeface::open(file->path, file->index, error);
}

} // namespace

// fontconfig is needed only to choose the files, and is let go of again at once.
std::unique_ptr<Fonts> open_desktop_fonts(std::string& error)
{
    if (!FcInit()) {
        error = "fontconfig could not read its configuration";
        return nullptr;
    }
    std::optional<FontFile> const regular_file = find_font_file(400);
    std::optional<FontFile> const bold_file = find_font_file(700);
    FcFini();
    std::unique_ptr<Typeface> regular = open_face(regular_file, error);
    if (!regular)
        return nullptr;
    std::unique_ptr<Typeface> bold = open_face(bold_file, error);
    if (!bold)
        return nullptr;
    return std::make_unique<Fonts>(std::move(regular), std::move(bold));
}

} // namespace tolvane
