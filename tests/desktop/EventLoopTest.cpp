#include "desktop/EventLoop.h"
#include "play/SteadyClock.h"
#include "tests/desktop/DummyVideo.h"
#include "tests/support/TestFonts.h"
#include "tests/support/TestPictures.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane {
namespace {

// Counts its ticks and ends the program at the third.
class Ticker final : public Window {
public:
    explicit Ticker(Stage& stage)
        : Window(stage, { .name = "Ticker", .caption = "Ticker", .client_width = 300, .client_height = 300 })
    {
        store({});
    }

    Timer Timer1 { *this, { .interval = 1, .enabled = true } };
    std::vector<std::string> story;

    void Form_KeyDown(std::int16_t KeyCode, std::int16_t) override
    {
        story.push_back("key " + std::to_string(KeyCode));
    }
    void Timer1_Timer() override
    {
        story.push_back("tick");
        if (story.size() == 4)
            End();
    }
};

class EventLoopTest : public testing::DummyVideoTest {
protected:
    EventLoopTest()
    {
        stage.add_window("Ticker", [](Stage& s) { return std::make_unique<Ticker>(s); });
        desktop.attach(stage, player);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    Ticker& ticker() { return static_cast<Ticker&>(stage.load("Ticker")); }

    SteadyClock clock;
    StageTime time { clock };
    testing::TestPictures pictures;
    Desktop desktop { pictures.pictures(), testing::test_fonts(), WindowScale {} };
    Stage stage { time.clock(), &desktop };
    PausableClock loop_clock { clock };
    DirectInput direct { stage };
    PlayerInput player { stage, direct, loop_clock, false };
};

// A key waiting when the loop starts is handled before the first tick; the program ends at the
// tick that calls `End`, and the loop with it.
TEST_F(EventLoopTest, InputComesBeforeTicksAndEndStopsTheLoop)
{
    stage.start("Ticker");
    SDL_Event event {};
    event.key.type = SDL_KEYDOWN;
    event.key.windowID = desktop.find(ticker())->id();
    event.key.keysym.sym = SDLK_DOWN;
    SDL_PushEvent(&event);
    EventLoop(stage, desktop, time).run();
    EXPECT_TRUE(stage.ended());
    EXPECT_EQ(ticker().story, (std::vector<std::string> { "key 40", "tick", "tick", "tick" }));
}

TEST_F(EventLoopTest, AQuitFromOutsideStopsTheLoop)
{
    stage.start("Ticker");
    ticker().Timer1.Enabled = false;
    SDL_Event event {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
    EventLoop(stage, desktop, time).run();
    EXPECT_FALSE(stage.ended());
    EXPECT_TRUE(desktop.quit_requested());
}

} // namespace
} // namespace tolvane
