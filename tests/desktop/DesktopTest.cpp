#include "desktop/Desktop.h"
#include "tests/desktop/DummyVideo.h"
#include "tests/support/Sampler.h"
#include "tests/support/TestFonts.h"
#include "tests/support/TestPictures.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>

namespace tolvane {
namespace {

using testing::Sampler;

// The desktop on SDL's dummy video driver: real SDL windows and events, without a screen.
class DesktopAtScale : public testing::DummyVideoTest {
protected:
    explicit DesktopAtScale(double scale)
        : desktop(pictures.pictures(), testing::test_fonts(), WindowScale { .chosen = scale })
    {
        stage.add_window("Sampler", [](Stage& s) { return std::make_unique<Sampler>(s); });
        stage.add_window("Second", [](Stage& s) { return std::make_unique<Sampler>(s, "Second"); });
        desktop.attach(stage, player);
    }

    Sampler& window(std::string_view name = "Sampler") { return static_cast<Sampler&>(stage.load(name)); }
    std::uint32_t id(std::string_view name = "Sampler") { return desktop.find(window(name))->id(); }
    std::uint32_t flags(std::string_view name = "Sampler") { return SDL_GetWindowFlags(SDL_GetWindowFromID(id(name))); }

    void mouse(std::uint32_t type, std::string_view name, int x, int y, std::uint8_t button = SDL_BUTTON_LEFT)
    {
        SDL_Event event {};
        event.button.type = type;
        event.button.windowID = id(name);
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        desktop.handle(event);
    }
    void key(SDL_Keycode sym, std::string_view name = "Sampler", std::uint16_t mod = KMOD_NONE)
    {
        SDL_Event event {};
        event.key.type = SDL_KEYDOWN;
        event.key.windowID = id(name);
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        desktop.handle(event);
    }
    void window_event(std::uint32_t window_id, SDL_WindowEventID what, int data1 = 0, int data2 = 0)
    {
        SDL_Event event {};
        event.window.type = SDL_WINDOWEVENT;
        event.window.windowID = window_id;
        event.window.event = static_cast<std::uint8_t>(what);
        event.window.data1 = data1;
        event.window.data2 = data2;
        desktop.handle(event);
    }
    void click(std::string_view name, int x, int y)
    {
        mouse(SDL_MOUSEBUTTONDOWN, name, x, y);
        mouse(SDL_MOUSEBUTTONUP, name, x, y);
    }

    VirtualClock clock;
    PausableClock loop_clock { clock };
    testing::TestPictures pictures;
    Desktop desktop;
    Stage stage { clock, &desktop };
    DirectInput direct { stage };
    PlayerInput player { stage, direct, loop_clock, false };
};

class DesktopTest : public DesktopAtScale {
protected:
    DesktopTest()
        : DesktopAtScale(1)
    { }
};

// At scale 1.5 a pixel is 10 twips, and the centres of pixels fall on sprites' edges.
class ScaledDesktopTest : public DesktopAtScale {
protected:
    ScaledDesktopTest()
        : DesktopAtScale(1.5)
    { }
};

TEST_F(DesktopTest, ALoadedWindowHasAHiddenDesktopWindowWithItsCaption)
{
    stage.load("Sampler");
    ASSERT_NE(desktop.find(window()), nullptr);
    EXPECT_TRUE(flags() & SDL_WINDOW_HIDDEN);
    EXPECT_STREQ(SDL_GetWindowTitle(SDL_GetWindowFromID(id())), "Sampler window");
    EXPECT_EQ(desktop.find(window())->canvas().width(), 40);
    EXPECT_EQ(desktop.find(window())->canvas().height(), 20);
}

TEST_F(DesktopTest, ShowingAndHidingFollowTheStage)
{
    stage.show("Sampler");
    EXPECT_TRUE(flags() & SDL_WINDOW_SHOWN);
    stage.hide("Sampler");
    EXPECT_TRUE(flags() & SDL_WINDOW_HIDDEN);
}

TEST_F(DesktopTest, RepaintDrawsTheShownWindow)
{
    stage.show("Sampler");
    desktop.repaint();
    Canvas const& canvas = desktop.find(window())->canvas();
    EXPECT_EQ(canvas.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixel(5, 5), 0xFF0000FFu);
}

TEST_F(DesktopTest, ClicksReachSpritesAndPressesElsewhereTheWindow)
{
    stage.show("Sampler");
    click("Sampler", 35, 5);
    click("Sampler", 26, 1);
    EXPECT_EQ(window().clicks, 1);
    EXPECT_EQ(window().picture_clicks, 1);
    EXPECT_TRUE(window().mouse.empty());
    mouse(SDL_MOUSEBUTTONDOWN, "Sampler", 5, 5, SDL_BUTTON_LEFT);
    mouse(SDL_MOUSEBUTTONDOWN, "Sampler", 5, 5, SDL_BUTTON_RIGHT);
    mouse(SDL_MOUSEBUTTONDOWN, "Sampler", 5, 5, SDL_BUTTON_MIDDLE);
    mouse(SDL_MOUSEBUTTONUP, "Sampler", 500, 500, SDL_BUTTON_MIDDLE);
    mouse(SDL_MOUSEBUTTONUP, "Sampler", 5, 5, SDL_BUTTON_RIGHT);
    mouse(SDL_MOUSEBUTTONUP, "Sampler", 5, 5, SDL_BUTTON_LEFT);
    EXPECT_EQ(window().mouse, (std::vector<int> { 1, 2, 3, -3, -2, -1 }));
}

TEST_F(DesktopTest, ReleasingOutsideTheWindowIsNoClick)
{
    stage.show("Sampler");
    mouse(SDL_MOUSEBUTTONDOWN, "Sampler", 26, 1);
    mouse(SDL_MOUSEBUTTONUP, "Sampler", -5, 1);
    mouse(SDL_MOUSEBUTTONDOWN, "Sampler", 26, 1);
    mouse(SDL_MOUSEBUTTONUP, "Sampler", 26, 40);
    EXPECT_EQ(window().picture_clicks, 0);
}

TEST_F(DesktopTest, KeysReachTheWindowOrItsFocusedButton)
{
    stage.show("Sampler");
    key(SDLK_LEFT);
    key(SDLK_SPACE);
    EXPECT_TRUE(window().keys.empty()) << "the focused button ignores other keys";
    EXPECT_EQ(window().clicks, 1) << "and takes Space as a click";
    window().cmdGo.Visible = false;
    for (SDL_Keycode sym : { SDLK_LEFT, SDLK_UP, SDLK_RIGHT, SDLK_DOWN, SDLK_SPACE, SDLK_F13 })
        key(sym);
    EXPECT_EQ(window().keys, (std::vector<int> { 37, 38, 39, 40, 32 }));
}

// Ctrl+M is the box set's own: it mutes, and never reaches the stage; M alone still does.
TEST_F(DesktopTest, CtrlMMutesAndNeverReachesTheStage)
{
    stage.show("Sampler");
    window().cmdGo.Visible = false;
    key(SDLK_m, "Sampler", KMOD_LCTRL);
    EXPECT_TRUE(player.muted());
    EXPECT_TRUE(window().keys.empty());
    key(SDLK_m);
    EXPECT_EQ(window().keys, (std::vector<int> { 77 }));
}

TEST_F(DesktopTest, TheWindowTheDesktopFocusesBecomesActive)
{
    stage.show("Sampler");
    stage.show("Second");
    window("Sampler").cmdGo.Visible = false;
    ASSERT_EQ(stage.active(), &window("Second"));
    window_event(id("Sampler"), SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(stage.active(), &window("Sampler"));
    window_event(id("Second"), SDL_WINDOWEVENT_FOCUS_GAINED);
    key(SDLK_UP, "Sampler");
    EXPECT_EQ(stage.active(), &window("Sampler")) << "a key from a window makes it active first";
    EXPECT_EQ(window("Sampler").keys, (std::vector<int> { 38 }));
}

TEST_F(DesktopTest, InputForAWindowNotShownOrFromNoWindowIsDropped)
{
    stage.show("Sampler");
    stage.show("Second");
    window("Sampler").cmdGo.Visible = false;
    window("Second").cmdGo.Visible = false;
    stage.hide("Second");
    key(SDLK_UP, "Second");
    click("Second", 35, 5);
    window_event(id("Second"), SDL_WINDOWEVENT_FOCUS_GAINED);
    window_event(id("Second"), SDL_WINDOWEVENT_CLOSE);
    SDL_Event unfocused {};
    unfocused.key.type = SDL_KEYDOWN;
    unfocused.key.keysym.sym = SDLK_DOWN;
    desktop.handle(unfocused);
    EXPECT_TRUE(window("Second").keys.empty());
    EXPECT_TRUE(window("Second").mouse.empty());
    EXPECT_EQ(window("Second").clicks, 0);
    EXPECT_NE(stage.find("Second"), nullptr) << "a close for a hidden window is dropped";
    EXPECT_EQ(stage.active(), &window("Sampler"));
    EXPECT_TRUE(window("Sampler").keys.empty()) << "a key while no window of ours has the keyboard";
}

TEST_F(DesktopTest, AHiddenWindowShownFromOutsideGoesBackOffTheDesktop)
{
    stage.show("Sampler");
    stage.hide("Sampler");
    SDL_ShowWindow(SDL_GetWindowFromID(id()));
    window_event(id(), SDL_WINDOWEVENT_SHOWN);
    EXPECT_TRUE(flags() & SDL_WINDOW_HIDDEN);
}

TEST_F(DesktopTest, ThePauseKeyStopsTheClockAndAllInputButItselfAndTheCloseBoxes)
{
    stage.show("Sampler");
    stage.show("Second");
    window("Sampler").cmdGo.Visible = false;
    auto title = [&](std::string_view name) { return std::string(SDL_GetWindowTitle(SDL_GetWindowFromID(id(name)))); };

    key(SDLK_PAUSE);
    EXPECT_TRUE(desktop.paused());
    EXPECT_TRUE(loop_clock.paused());
    EXPECT_EQ(title("Sampler"), "Sampler window (paused)");
    EXPECT_EQ(window("Sampler").Caption(), "Sampler window") << "the caption the program knows stays";
    key(SDLK_UP);
    click("Sampler", 26, 1);
    window_event(id("Sampler"), SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_TRUE(window("Sampler").keys.empty());
    EXPECT_EQ(window("Sampler").picture_clicks, 0);
    EXPECT_EQ(stage.active(), &window("Second"));
    window_event(id("Second"), SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(stage.find("Second"), nullptr) << "the close boxes still work";

    key(SDLK_PAUSE);
    EXPECT_FALSE(desktop.paused());
    EXPECT_FALSE(loop_clock.paused());
    EXPECT_EQ(title("Sampler"), "Sampler window");
    key(SDLK_UP);
    EXPECT_EQ(window("Sampler").keys, (std::vector<int> { 38 })) << "Pause itself never reaches the stage";
}

TEST_F(DesktopTest, ClosingUnloadsAndClosingTheLastWindowEnds)
{
    stage.show("Sampler");
    stage.show("Second");
    std::uint32_t const closed = id("Sampler");
    window_event(closed, SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(stage.find("Sampler"), nullptr);
    EXPECT_EQ(desktop.find(closed), nullptr);
    EXPECT_EQ(SDL_GetWindowFromID(closed), nullptr);
    window_event(closed, SDL_WINDOWEVENT_CLOSE);
    window_event(closed, SDL_WINDOWEVENT_EXPOSED);
    EXPECT_FALSE(stage.ended()) << "events for a destroyed window are dropped";
    window_event(id("Second"), SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(stage.ended());
}

TEST_F(DesktopTest, ResizingChangesTheClientAreaButNoSprite)
{
    stage.show("Sampler");
    window_event(id(), SDL_WINDOWEVENT_SIZE_CHANGED, 50, 30);
    EXPECT_EQ(window().client_width(), 750);
    EXPECT_EQ(window().client_height(), 450);
    EXPECT_EQ(window().outer_width(), 990);
    EXPECT_EQ(window().cmdGo.Left, 450);
    desktop.repaint();
    Canvas const& canvas = desktop.find(window())->canvas();
    EXPECT_EQ(canvas.width(), 50);
    EXPECT_EQ(canvas.pixel(45, 25), 0xFF0000FFu);
}

// However large another client makes a window, only the part that fits on the desktop is
// painted: the program hears the whole size, the canvas keeps to the display's bounds, and the
// whole client area still takes the mouse.
TEST_F(DesktopTest, AWindowLargerThanTheDesktopIsPaintedOnlyWhereItCanBeSeen)
{
    SDL_Rect display {};
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0) << SDL_GetError();
    ASSERT_LT(display.w, 3000);
    ASSERT_LT(display.h, 2000);
    stage.show("Sampler");
    window_event(id(), SDL_WINDOWEVENT_SIZE_CHANGED, 3000, 2000);
    EXPECT_EQ(window().client_width(), 45000);
    EXPECT_EQ(window().client_height(), 30000);
    desktop.repaint();
    DesktopWindow const& shown = *desktop.find(window());
    EXPECT_EQ(shown.canvas().width(), display.w);
    EXPECT_EQ(shown.canvas().height(), display.h);
    EXPECT_EQ(shown.canvas().pixel(45, 25), 0xFF0000FFu);
    EXPECT_TRUE(shown.contains(2999, 1999));
    EXPECT_FALSE(shown.contains(3000, 1999));
}

TEST_F(DesktopTest, AQuitFromOutsideIsNoted)
{
    SDL_Event event {};
    event.type = SDL_QUIT;
    desktop.handle(event);
    EXPECT_TRUE(desktop.quit_requested());
}

// imgStretch (375 to 435 twips across) is drawn on pixels 38 to 43, the button cmdGo (450 to
// 600) on pixels 45 to 59. The centres of pixels 37 and 43 lie exactly on imgStretch's edges:
// a click lands on the sprite the pixel shows.
TEST_F(ScaledDesktopTest, AClickAtAnEdgePixelLandsOnTheSpriteDrawnThere)
{
    stage.show("Sampler");
    ASSERT_EQ(Painter::rectangle(window().imgStretch, 1.5), (PixelRect { 38, 0, 6, 6 }));
    ASSERT_EQ(Painter::rectangle(window().cmdGo, 1.5), (PixelRect { 45, 0, 15, 15 }));
    struct Case {
        int x;
        int picture_clicks;
        int clicks;
    };
    for (Case const c : { Case { 37, 0, 0 }, Case { 38, 1, 0 }, Case { 43, 1, 0 }, Case { 44, 0, 0 }, Case { 45, 0, 1 },
             Case { 59, 0, 1 } }) {
        int const pictures_before = window().picture_clicks;
        int const clicks_before = window().clicks;
        click("Sampler", c.x, 1);
        EXPECT_EQ(window().picture_clicks - pictures_before, c.picture_clicks) << "pixel " << c.x;
        EXPECT_EQ(window().clicks - clicks_before, c.clicks) << "pixel " << c.x;
    }
}

TEST_F(ScaledDesktopTest, PixelCentresMapBackToTwips)
{
    EXPECT_EQ(twips_of(0, 1.5), std::nextafter(5.0, 0.0));
    EXPECT_NEAR(twips_of(43, 1.5), 435, 1e-9);
    EXPECT_LT(twips_of(43, 1.5), 435);
    int width = 0;
    int height = 0;
    stage.show("Sampler");
    SDL_GetWindowSize(SDL_GetWindowFromID(id()), &width, &height);
    EXPECT_EQ(width, 60);
    EXPECT_EQ(height, 30);
}

TEST_F(DesktopTest, AtScaleOnePixelCentresAreFifteenTwipsApart)
{
    EXPECT_EQ(twips_of(0, 1), 7.5);
    EXPECT_EQ(twips_of(43, 1), 652.5);
}

} // namespace
} // namespace tolvane
