#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include <memory>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using Log = std::vector<std::string>;

// A window with one sprite of each kind, laid out so that they overlap at known points, and
// handlers that write what they see into a log shared by all windows of a test.
class Probe final : public Window {
public:
    Probe(Stage& stage, std::string_view name, Log& log, TimerDesign timer)
        : Window(stage, { .name = name, .caption = name, .client_width = 3000, .client_height = 3000 })
        , log(log)
    {
        Timer1.Interval = timer.interval;
        Timer1.Enabled = timer.enabled;
        store({ &Second, &First, &Picture, &Disabled, &Frame, &Text });
        on_click(Picture, &Probe::Picture_Click);
        on_click(Text, &Probe::Text_Click);
        on_click(First, &Probe::First_Click);
        on_click(Second, &Probe::Second_Click);
    }

    CommandButton Second { { .name = "Second", .bounds = { 0, 2000, 500, 500 }, .TabIndex = 1 } };
    CommandButton First { { .name = "First", .bounds = { 1000, 2000, 500, 500 }, .TabIndex = 0 } };
    Image Picture { { .name = "Picture", .bounds = { 0, 0, 1000, 1000 } } };
    Image Disabled { { .name = "Disabled", .bounds = { 1000, 0, 1000, 1000 }, .enabled = false } };
    Shape Frame { { .name = "Frame", .bounds = { 0, 0, 3000, 3000 } } };
    Label Text { { .name = "Text", .bounds = { 1000, 0, 1000, 1000 } } };
    Timer Timer1 { *this, { .interval = 0, .enabled = false } };

    Log& log;
    std::function<void()> on_tick;

    void Form_Load() override { log.push_back(std::string(name()) + ".Form_Load"); }
    void Timer1_Timer() override
    {
        log.push_back(std::string(name()) + ".Timer1_Timer@" + std::to_string(stage().now_us()));
        if (on_tick)
            on_tick();
    }
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t) override
    {
        log.push_back(std::string(name()) + ".Form_KeyDown " + std::to_string(KeyCode));
    }
    void Form_MouseDown(std::int16_t Button, std::int16_t, float, float) override
    {
        log.push_back(std::string(name()) + ".Form_MouseDown " + std::to_string(Button));
    }
    void Form_MouseUp(std::int16_t Button, std::int16_t, float, float) override
    {
        log.push_back(std::string(name()) + ".Form_MouseUp " + std::to_string(Button));
    }

    void Picture_Click() { log.push_back(std::string(name()) + ".Picture_Click"); }
    void Text_Click() { log.push_back(std::string(name()) + ".Text_Click"); }
    void First_Click() { log.push_back(std::string(name()) + ".First_Click"); }
    void Second_Click()
    {
        log.push_back(std::string(name()) + ".Second_Click");
        End();
        log.push_back("after End");
    }

    void sound(Cue heard) { cue(heard); }

    void show_buttons(bool shown)
    {
        First.Visible = shown;
        Second.Visible = shown;
    }
};

class StageTest : public testing::Test {
protected:
    StageTest() { }

    void add(std::string_view name, TimerDesign timer = {})
    {
        stage.add_window(name, [this, name, timer](Stage& s) { return std::make_unique<Probe>(s, name, log, timer); });
    }
    Probe& probe(std::string_view name) { return static_cast<Probe&>(*stage.find(name)); }
    void run_until(std::int64_t time)
    {
        while (auto due = stage.next_due()) {
            if (*due > time)
                break;
            clock.set(*due);
            stage.deliver_next_tick();
        }
        clock.set(time);
    }
    void click(Window& window, double x, double y)
    {
        stage.mouse_press(window, x, y, 1);
        stage.mouse_release(&window, x, y, 1);
    }

    VirtualClock clock;
    Stage stage { clock };
    Log log;
};

TEST_F(StageTest, ReadingVisibleLoadsAWindowHiddenOnce)
{
    add("Main");
    add("Other");
    stage.start("Main");
    FormRef const other(stage, "Other");
    EXPECT_FALSE(other.Visible);
    EXPECT_FALSE(other.Visible);
    EXPECT_EQ(log, (Log { "Main.Form_Load", "Other.Form_Load" }));
    EXPECT_FALSE(stage.find("Other")->visible());
    EXPECT_EQ(stage.active(), stage.find("Main"));
}

TEST_F(StageTest, ShowingAVisibleWindowChangesNothing)
{
    add("Main");
    add("Other");
    stage.start("Main");
    stage.show("Other");
    EXPECT_EQ(stage.active()->name(), "Other");
    stage.focus_window(*stage.find("Main"));
    stage.show("Other");
    EXPECT_EQ(stage.active()->name(), "Main");
}

TEST_F(StageTest, HidingTheActiveWindowActivatesTheMostRecentVisibleOne)
{
    add("A");
    add("B");
    add("C");
    stage.start("A");
    stage.show("B");
    stage.show("C");
    stage.focus_window(*stage.find("A"));
    stage.focus_window(*stage.find("C"));
    stage.hide("C");
    EXPECT_EQ(stage.active()->name(), "A");
    stage.hide("A");
    EXPECT_EQ(stage.active()->name(), "B");
    stage.hide("B");
    EXPECT_EQ(stage.active(), nullptr);
}

// An activation that comes from the desktop is not told back to it; one the program makes is.
TEST(StageDisplay, TheDesktopHearsOnlyTheActivationsItDidNotMake)
{
    struct Recorder final : Display {
        Log activated;
        void window_activated(Window& window) override { activated.push_back(std::string(window.name())); }
    } display;
    VirtualClock clock;
    Stage stage(clock, &display);
    Log log;
    for (std::string_view name : { "Main", "Other" })
        stage.add_window(
            name, [&log, name](Stage& s) { return std::make_unique<Probe>(s, name, log, TimerDesign {}); });
    stage.start("Main");
    stage.show("Other");
    stage.focus_window(*stage.find("Main"));
    EXPECT_EQ(stage.active()->name(), "Main");
    stage.hide("Main");
    EXPECT_EQ(display.activated, (Log { "Main", "Other", "Other" }));
}

TEST_F(StageTest, TimersTickOnTheGranuleAndHiddenWindowsKeepTicking)
{
    add("Main");
    add("Fast", { .interval = 1, .enabled = true });
    add("Two", { .interval = 2, .enabled = true });
    add("Slow", { .interval = 200, .enabled = true });
    stage.start("Main");
    FormRef(stage, "Fast").Visible = false;
    FormRef(stage, "Two").Visible = false;
    FormRef(stage, "Slow").Visible = false;
    log.clear();
    run_until(200'000);
    auto ticks = [&](std::string_view name) {
        return std::count_if(log.begin(), log.end(), [&](std::string const& line) { return line.starts_with(name); });
    };
    EXPECT_EQ(ticks("Fast"), 12); // 12 x 15625 = 187500 <= 200000 < 203125
    EXPECT_EQ(ticks("Two"), 12);
    EXPECT_EQ(ticks("Slow"), 1);
    EXPECT_EQ(log.front(), "Fast.Timer1_Timer@15625");
    EXPECT_EQ(log.back(), "Slow.Timer1_Timer@200000");
}

// Ticks due at one instant go in the order in which their current periods started: the 200 ms
// timer's period began a second earlier than the granule timer's.
TEST_F(StageTest, TicksDueTogetherGoInTheOrderTheirPeriodsStarted)
{
    add("Main");
    add("Fast", { .interval = 1, .enabled = true });
    add("Slow", { .interval = 200, .enabled = true });
    stage.start("Main");
    stage.load("Slow");
    stage.load("Fast");
    log.clear();
    run_until(984'375);
    clock.set(1'000'000);
    ASSERT_NE(stage.next_to_tick(), nullptr);
    EXPECT_EQ(stage.next_to_tick()->name(), "Slow");
    run_until(1'000'000);
    auto const last_two = Log(log.end() - 2, log.end());
    EXPECT_EQ(last_two, (Log { "Slow.Timer1_Timer@1000000", "Fast.Timer1_Timer@1000000" }));
}

TEST_F(StageTest, AStallIsFollowedByOneTickNotABurst)
{
    add("Main", { .interval = 1, .enabled = true });
    stage.start("Main");
    log.clear();
    clock.set(15'625 * 10 + 100);
    while (stage.deliver_next_tick()) { }
    EXPECT_EQ(log, (Log { "Main.Timer1_Timer@156350" }));
    EXPECT_EQ(stage.next_due(), 15'625 * 11);
}

TEST_F(StageTest, ATimerSwitchedOnAgainStartsAFreshPeriod)
{
    add("Main", { .interval = 1, .enabled = true });
    stage.start("Main");
    Timer& timer = *probe("Main").timer();
    clock.set(10'000);
    timer.Enabled = true; // already on: nothing changes
    EXPECT_EQ(stage.next_due(), 15'625);
    timer.Enabled = false;
    EXPECT_EQ(stage.next_due(), std::nullopt);
    timer.Enabled = true;
    EXPECT_EQ(stage.next_due(), 25'625);
    timer.Interval = 0;
    EXPECT_EQ(stage.next_due(), std::nullopt);
}

TEST_F(StageTest, FocusGoesToTheFirstVisibleButtonInTabOrder)
{
    add("Main");
    stage.start("Main");
    Probe& main = probe("Main");
    EXPECT_EQ(main.focus(), &main.First);
    stage.key_down(65);
    stage.key_down(32);
    stage.key_down(13);
    EXPECT_EQ(log, (Log { "Main.Form_Load", "Main.First_Click", "Main.First_Click" }));

    main.First.Visible = false;
    EXPECT_EQ(main.focus(), nullptr);
    main.First.Visible = true; // a button made visible later does not take the focus
    EXPECT_EQ(main.focus(), nullptr);
    stage.key_down(37);
    EXPECT_EQ(log.back(), "Main.Form_KeyDown 37");
}

TEST_F(StageTest, AWindowWithoutVisibleButtonsGetsItsKeys)
{
    add("Main");
    add("Quiet");
    stage.start("Main");
    stage.load("Quiet");
    probe("Quiet").show_buttons(false);
    stage.show("Quiet");
    stage.key_down(32);
    EXPECT_EQ(log.back(), "Quiet.Form_KeyDown 32");
}

TEST_F(StageTest, MouseRoutingSkipsShapesAndDisabledSprites)
{
    add("Main");
    stage.start("Main");
    Probe& main = probe("Main");
    log.clear();
    click(main, 500, 500); // the picture
    click(main, 1500, 500); // the disabled picture lies over the label: the label gets it
    click(main, 2500, 2500); // only the shape: the window gets it
    main.Picture.Enabled = false;
    click(main, 500, 500);
    EXPECT_EQ(log,
        (Log { "Main.Picture_Click", "Main.Text_Click", "Main.Form_MouseDown 1", "Main.Form_MouseUp 1",
            "Main.Form_MouseDown 1", "Main.Form_MouseUp 1" }));
}

TEST_F(StageTest, ButtonsAreHitFirstAndEdgesAreExact)
{
    add("Main");
    stage.start("Main");
    Probe& main = probe("Main");
    main.Second.Left = 0;
    main.Second.Top = 0; // now over the picture, and still taken first
    log.clear();
    stage.mouse_press(main, 499.9, 499.9, 1);
    stage.mouse_release(&main, 499.9, 499.9, 1);
    EXPECT_EQ(log, (Log { "Main.Second_Click" })); // its End stopped the rest of the handler
    EXPECT_TRUE(stage.ended());
}

TEST_F(StageTest, TheReleaseGoesToWhateverReceivedThePress)
{
    add("Main");
    stage.start("Main");
    Probe& main = probe("Main");
    log.clear();
    stage.mouse_press(main, 2500, 2500, 2);
    stage.mouse_release(&main, 500, 500, 2); // over the picture, still the window's
    stage.mouse_press(main, 500, 500, 1);
    stage.mouse_release(&main, 2500, 2500, 1); // away from the picture: no click
    stage.mouse_release(&main, 500, 500, 1); // no press outstanding: nothing
    stage.mouse_press(main, 2500, 2500, 1);
    stage.mouse_press(main, 2500, 2500, 3);
    stage.mouse_release(&main, 0, 0, 3);
    EXPECT_EQ(log,
        (Log { "Main.Form_MouseDown 2", "Main.Form_MouseUp 2", "Main.Form_MouseDown 1", "Main.Form_MouseDown 3",
            "Main.Form_MouseUp 3" }));
}

TEST_F(StageTest, AReleaseAfterTheReceiverWasHiddenDoesNothing)
{
    add("Main");
    add("Other");
    stage.start("Main");
    stage.show("Other");
    Probe& other = probe("Other");
    log.clear();
    stage.mouse_press(other, 2500, 2500, 1);
    stage.hide("Other");
    stage.mouse_release(&other, 2500, 2500, 1);
    EXPECT_EQ(log, (Log { "Other.Form_MouseDown 1" }));
}

TEST_F(StageTest, ClickingAButtonGivesItTheFocus)
{
    add("Main");
    stage.start("Main");
    Probe& main = probe("Main");
    main.First.Visible = false;
    main.First.Visible = true;
    click(main, 1250, 2250);
    EXPECT_EQ(main.focus(), &main.First);
}

TEST_F(StageTest, AfterEndNoWindowTicksAgain)
{
    add("Main");
    add("Ticking", { .interval = 1, .enabled = true });
    stage.start("Main");
    stage.load("Ticking");
    run_until(15'625);
    stage.key_down(32); // First has the focus
    probe("Main").First.Visible = false;
    probe("Main").Second.Visible = true;
    stage.show("Main");
    click(probe("Main"), 250, 2250);
    EXPECT_TRUE(stage.ended());
    log.clear();
    run_until(1'000'000);
    stage.key_down(37);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(stage.next_due(), std::nullopt);
}

TEST_F(StageTest, ClosingUnloadsAndALaterReachLoadsAfresh)
{
    add("Main");
    add("Other", { .interval = 1, .enabled = true });
    stage.start("Main");
    stage.show("Other");
    probe("Other").Picture.Left = 123;
    stage.close(*stage.find("Other"));
    EXPECT_EQ(stage.find("Other"), nullptr);
    EXPECT_EQ(stage.active()->name(), "Main");
    EXPECT_EQ(stage.next_due(), std::nullopt);
    stage.show("Other");
    EXPECT_EQ(probe("Other").Picture.Left, 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Other.Form_Load"), 2);
}

TEST_F(StageTest, ClosingTheLastVisibleWindowEndsTheProgram)
{
    add("Main");
    add("Hidden", { .interval = 1, .enabled = true });
    stage.start("Main");
    stage.load("Hidden");
    stage.close(*stage.find("Main"));
    EXPECT_TRUE(stage.ended());
}

TEST_F(StageTest, ResizingChangesTheOuterWidth)
{
    add("Main");
    stage.start("Main");
    EXPECT_EQ(FormRef(stage, "Main").Width, 3240);
    stage.resize(*stage.find("Main"), 5000, 100);
    EXPECT_EQ(FormRef(stage, "Main").Width, 5240);
    EXPECT_EQ(probe("Main").Picture.Left, 0);
}

// Window code reaches other windows by names written in its own text; a misspelt one stops the
// program with the name in every build, whichever operation reaches it, also from inside a handler.
TEST_F(StageTest, AMisspeltWindowNameStopsTheProgramWithTheName)
{
    add("Main", { .interval = 1, .enabled = true });
    stage.start("Main");
    FormRef const misspelt(stage, "Pondlaep2");
    std::vector<std::function<void()>> const reaches {
        [&] { misspelt.Show(); },
        [&] { [[maybe_unused]] bool const visible = misspelt.Visible; },
        [&] { misspelt.Visible = true; },
        [&] { misspelt.Visible = false; },
        [&] { [[maybe_unused]] double const width = misspelt.Width; },
        [&] {
            probe("Main").on_tick = [&] { misspelt.Show(); };
            run_until(15'625);
        },
    };
    for (std::size_t i = 0; i < reaches.size(); ++i)
        EXPECT_DEATH(reaches[i](), "no window named 'Pondlaep2'") << "reach " << i;
}

// A failure that leaves a handler (here an exception of the handler's own; in a player's hands
// std::bad_alloc) goes up to whoever runs the stage, and the stage stays as it was between events:
// the next event is dispatched and heard as ever, and what the failed handler cued is not heard.
TEST_F(StageTest, AFailureLeavingAHandlerLeavesTheStageAsBetweenEvents)
{
    add("Main", { .interval = 1, .enabled = true });
    stage.start("Main");
    probe("Main").on_tick = [&] {
        probe("Main").sound(Cue::Hop);
        throw std::runtime_error("a failure in a handler");
    };
    EXPECT_THROW(run_until(15'625), std::runtime_error);
    probe("Main").on_tick = [&] { probe("Main").sound(Cue::Splat); };
    run_until(15'625 * 2);
    ASSERT_EQ(stage.cues().size(), 1U);
    EXPECT_EQ(stage.cues().back().cue, Cue::Splat);
}

// A watcher sees each tick from both sides: before the handler the timer is still due, after it
// the next period is scheduled and whatever the handler logged is there.
TEST_F(StageTest, AWatcherHearsEachTickBeforeAndAfterItsHandler)
{
    struct Watcher final : TickWatcher {
        Log& log;
        Stage& stage;
        Watcher(Log& log, Stage& stage)
            : log(log)
            , stage(stage)
        { }
        void before_tick(Window& window) override { note("before", window); }
        void after_tick(Window& window) override { note("after", window); }
        void note(std::string const& when, Window& window)
        {
            log.push_back(when + " " + std::string(window.name()) + " due " + std::to_string(*window.timer()->due_us())
                + "@" + std::to_string(stage.now_us()));
        }
    } watcher(log, stage);
    add("Main", { .interval = 1, .enabled = true });
    stage.start("Main");
    stage.watch_ticks(&watcher);
    log.clear();
    run_until(15'625);
    clock.set(15'625 * 3 + 10);
    stage.deliver_next_tick();
    stage.watch_ticks(nullptr);
    run_until(15'625 * 5);
    EXPECT_EQ(log,
        (Log { "before Main due 15625@15625", "Main.Timer1_Timer@15625", "after Main due 31250@15625",
            "before Main due 31250@46885", "Main.Timer1_Timer@46885", "after Main due 62500@46885",
            "Main.Timer1_Timer@62500", "Main.Timer1_Timer@78125" }));
}

} // namespace
} // namespace tolvane
