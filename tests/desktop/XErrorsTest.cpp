#include "desktop/XErrors.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The protocol's numbers, which Xlib's headers give as macros that clash with GoogleTest's names.
constexpr int BadWindow = 3;
constexpr int BadMatch = 8;
constexpr int BadDrawable = 9;
constexpr int X_ConfigureWindow = 12;
constexpr int X_GetProperty = 20;
constexpr int X_SendEvent = 25;
constexpr int X_TranslateCoords = 40;
constexpr int X_PutImage = 72;

constexpr unsigned long ours = 0x600006;
constexpr unsigned long destroyed = 0x60000e;
constexpr unsigned long foreign = 0x1200003;

XErrorSifter sifter_of_a_session()
{
    XErrorSifter sifter;
    sifter.own(ours);
    sifter.own(destroyed);
    sifter.gone(destroyed);
    return sifter;
}

TEST(XErrors, ErrorsAboutWindowsOfOursThatAreGoneAreExpected)
{
    struct Case {
        int error_code;
        int request_code;
        unsigned long resource;
    };
    for (Case c : { Case { BadWindow, X_SendEvent, ours }, Case { BadDrawable, X_PutImage, ours },
             Case { BadWindow, X_GetProperty, destroyed }, Case { BadMatch, X_ConfigureWindow, destroyed },
             Case { BadWindow, X_TranslateCoords, foreign } }) {
        XErrorSifter sifter = sifter_of_a_session();
        EXPECT_FALSE(sifter.worth_reporting(c.error_code, c.request_code, 0, c.resource))
            << c.error_code << " for request " << c.request_code << " on 0x" << std::hex << c.resource;
    }
}

TEST(XErrors, AnyOtherErrorIsReportedOnceForItsKind)
{
    XErrorSifter sifter = sifter_of_a_session();
    EXPECT_TRUE(sifter.worth_reporting(BadWindow, X_SendEvent, 0, foreign));
    EXPECT_FALSE(sifter.worth_reporting(BadWindow, X_SendEvent, 0, foreign + 1));
    EXPECT_TRUE(sifter.worth_reporting(BadMatch, X_ConfigureWindow, 0, ours));
    EXPECT_FALSE(sifter.worth_reporting(BadMatch, X_ConfigureWindow, 0, ours));
    EXPECT_TRUE(sifter.worth_reporting(BadMatch, X_ConfigureWindow, 1, ours));
    EXPECT_TRUE(sifter.worth_reporting(BadWindow, X_GetProperty, 0, foreign));
}

} // namespace
} // namespace tolvane
