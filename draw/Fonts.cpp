#include "draw/Fonts.h"

namespace tolvane {

Fonts::Fonts(std::unique_ptr<Typeface> regular, std::unique_ptr<Typeface> bold)
    : m_regular(std::move(regular))
    , m_bold(std::move(bold))
{ }

} // namespace tolvane
