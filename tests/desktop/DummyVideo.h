#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

namespace tolvane::testing {

// Tests of real SDL windows and events on SDL's dummy video driver, without a screen: the
// driver is set up once for the suite.
class DummyVideoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }
};

} // namespace tolvane::testing
