#pragma once

#include "desktop/DesktopFonts.h"
#include "draw/Fonts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tolvane::testing {

// The desktop's fonts, opened once for all the tests of a program.
inline Fonts const& test_fonts()
{
    static std::string error;
    static std::unique_ptr<Fonts> const fonts = open_desktop_fonts(error);
    if (!fonts)
        throw std::runtime_error("the drawing and desktop tests need an outline font (fonts-liberation2): " + error);
    return *fonts;
}

} // namespace tolvane::testing
