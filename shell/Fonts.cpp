#include "shell/Fonts.h"

namespace tolvane {

Fonts::Fonts(std::unique_ptr<Typeface> regular, std::unique_ptr<Typeface> bold)
    : m_regular(std::move(regular))
    , m_bold(std::move(bold))
{ }

std::unique_ptr<Fonts> Fonts::open(std::string& error)
{
    std::unique_ptr<Typeface> regular = Typeface::open(400, error);
    if (!regular)
        return nullptr;
    std::unique_ptr<Typeface> bold = Typeface::open(700, error);
    if (!bold)
        return nullptr;
    return std::unique_ptr<Fonts>(new Fonts(std::move(regular), std::move(bold)));
}

} // namespace tolvane
