#include "web/Keys.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// The page hands the windows the desktop's virtual-key codes: the browser's codes are the same
// numbers for the keys the desktop knows, three punctuation keys aside, and nothing for the rest.
TEST(WebKeys, BrowserCodesBecomeTheDesktopsCodes)
{
    struct Case {
        unsigned long browser;
        int desktop;
    };
    for (auto const [browser, desktop] : { Case { 37, 37 }, Case { 38, 38 }, Case { 39, 39 }, Case { 40, 40 },
             Case { 32, 32 }, Case { 13, 13 }, Case { 19, 19 }, Case { 27, 27 }, Case { 'A', 'A' }, Case { 'Z', 'Z' },
             Case { '0', '0' }, Case { '9', '9' }, Case { 96, 96 }, Case { 105, 105 }, Case { 112, 112 },
             Case { 123, 123 }, Case { 186, 186 }, Case { 59, 186 }, Case { 61, 187 }, Case { 173, 189 },
             Case { 192, 192 }, Case { 91, 0 }, Case { 93, 0 }, Case { 124, 0 }, Case { 229, 0 }, Case { 0, 0 },
             Case { 256 + 37, 0 }, Case { 0xFFFFFFFFul, 0 } })
        EXPECT_EQ(virtual_key(browser), desktop) << browser;
}

} // namespace
} // namespace tolvane
