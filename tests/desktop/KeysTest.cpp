#include "desktop/Keys.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(Keys, DesktopKeysGetTheirVirtualKeyCodes)
{
    struct Case {
        SDL_Keycode key;
        int code;
    };
    for (Case c : { Case { SDLK_SPACE, 32 }, Case { SDLK_RETURN, 13 }, Case { SDLK_KP_ENTER, 13 },
             Case { SDLK_LEFT, 37 }, Case { SDLK_UP, 38 }, Case { SDLK_RIGHT, 39 }, Case { SDLK_DOWN, 40 },
             Case { SDLK_a, 65 }, Case { SDLK_z, 90 }, Case { SDLK_0, 48 }, Case { SDLK_9, 57 }, Case { SDLK_F1, 112 },
             Case { SDLK_ESCAPE, 27 }, Case { SDLK_KP_0, 96 }, Case { SDLK_KP_9, 105 }, Case { SDLK_LSHIFT, 16 },
             Case { SDLK_AUDIOPLAY, 0 } })
        EXPECT_EQ(virtual_key(c.key), c.code) << SDL_GetKeyName(c.key);
}

} // namespace
} // namespace tolvane
