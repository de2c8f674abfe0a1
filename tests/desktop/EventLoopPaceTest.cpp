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

// Every key it takes sends the desktop another one, as a key held down for ever would, until
// `keys_left` run out; its timer ends the program at the third tick.
class Flooded final : public Window {
public:
    explicit Flooded(Stage& stage)
        : Window(stage, { .name = "Flooded", .caption = "Flooded", .client_width = 300, .client_height = 300 })
    {
        store({});
    }

    Timer Timer1 { *this, { .interval = 1, .enabled = true } };
    std::uint32_t id = 0;
    int keys_left = 0;
    int keys = 0;
    int ticks = 0;

    void Form_KeyDown(std::int16_t, std::int16_t) override
    {
        ++keys;
        if (keys_left-- > 0)
            press();
    }
    void Timer1_Timer() override
    {
        if (++ticks == 3)
            End();
    }
    void press() const
    {
        SDL_Event event {};
        event.key.type = SDL_KEYDOWN;
        event.key.windowID = id;
        event.key.keysym.sym = SDLK_LEFT;
        SDL_PushEvent(&event);
    }
};

// Writes down which window ticked, and when.
class Recorder final : public TickObserver {
public:
    void ticked(std::string_view window, std::int64_t started_us) override
    {
        windows.emplace_back(window);
        times.push_back(started_us);
    }
    std::vector<std::string> windows;
    std::vector<std::int64_t> times;
};

class EventLoopPaceTest : public testing::DummyVideoTest {
protected:
    EventLoopPaceTest()
    {
        stage.add_window("Flooded", [](Stage& s) { return std::make_unique<Flooded>(s); });
        desktop.attach(stage, player);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        stage.start("Flooded");
        flooded().id = desktop.find(flooded())->id();
    }
    Flooded& flooded() { return static_cast<Flooded&>(stage.load("Flooded")); }

    SteadyClock clock;
    StageTime time { clock };
    testing::TestPictures pictures;
    Desktop desktop { pictures.pictures(), testing::test_fonts(), WindowScale {} };
    Stage stage { time.clock(), &desktop };
    PausableClock loop_clock { clock };
    DirectInput direct { stage };
    PlayerInput player { stage, direct, loop_clock, false };
};

// Input that never stops coming is handled in rounds, one tick between rounds, so the ticks
// still come: the program ends at its third tick long before the keys run out. Were every key
// handled before the next tick, all of them would come first.
TEST_F(EventLoopPaceTest, InputThatNeverStopsDoesNotHoldTheTicksBack)
{
    int const flood = 2'000'000;
    flooded().keys_left = flood;
    flooded().press();
    EventLoop(stage, desktop, time).run();
    EXPECT_TRUE(stage.ended());
    EXPECT_EQ(flooded().ticks, 3);
    EXPECT_GT(flooded().keys, 0);
    EXPECT_LT(flooded().keys, flood) << "the keys held the ticks back";
}

TEST_F(EventLoopPaceTest, AnObserverHearsOfEveryTickInOrder)
{
    Recorder recorder;
    EventLoop(stage, desktop, time, &recorder).run();
    EXPECT_EQ(recorder.windows, (std::vector<std::string> { "Flooded", "Flooded", "Flooded" }));
    ASSERT_EQ(recorder.times.size(), 3u);
    EXPECT_LT(recorder.times[0], recorder.times[1]);
    EXPECT_LT(recorder.times[1], recorder.times[2]);
}

} // namespace
} // namespace tolvane
