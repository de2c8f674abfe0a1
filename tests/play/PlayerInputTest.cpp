#include "play/PlayerInput.h"
#include "tests/support/Sampler.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace tolvane {
namespace {

using testing::px;
using testing::Sampler;

// The rules that the desktop and the page both put the player's input through, played on a real
// stage with two shown windows, "Sampler" (active) and "Second". Sampler's command button lies at
// pixels 30 to 40 of its top row; pixel (20, 5) is the window's own, under no sprite that takes
// the mouse.
class Rules {
public:
    Rules()
    {
        stage.add_window("Sampler", [](Stage& s) { return std::make_unique<Sampler>(s); });
        stage.add_window("Second", [](Stage& s) { return std::make_unique<Sampler>(s, "Second"); });
        stage.show("Second");
        stage.show("Sampler");
        // Hidden and shown again, the command buttons leave the keyboard focus to their windows,
        // whose Form_KeyDown then hears every key.
        for (std::string_view name : { "Sampler", "Second" }) {
            window(name).cmdGo.Visible = false;
            window(name).cmdGo.Visible = true;
        }
        player.on_pause_changed([this](bool paused) { pauses_heard.push_back(paused); });
        player.on_mute_changed([this](bool muted) { mutes_heard.push_back(muted); });
    }

    Sampler& window(std::string_view name = "Sampler") { return static_cast<Sampler&>(stage.load(name)); }

    void key(int code, Keystroke modifiers = {}, std::string_view to = "Sampler")
    {
        modifiers.code = code;
        player.key_down(&window(to), modifiers);
    }
    void pause() { key(PlayerInput::pause_key); }
    void press(int x, int y, int button = 1) { player.mouse_press(window(), (x + 0.5) * px, (y + 0.5) * px, button); }
    void release(int x, int y, int button = 1, std::string_view over = "Sampler")
    {
        player.mouse_release(&window(over), (x + 0.5) * px, (y + 0.5) * px, button);
    }

    VirtualClock real;
    PausableClock clock { real };
    VirtualClock stage_clock;
    Stage stage { stage_clock };
    DirectInput direct { stage };
    PlayerInput player { stage, direct, clock, false };
    std::vector<bool> pauses_heard;
    std::vector<bool> mutes_heard;
};

// What the input did in the end, on the stage and around it.
struct Outcome {
    std::vector<int> keys = {}; // Sampler's Form_KeyDown codes
    int clicks = 0; // of Sampler's command button
    std::vector<int> mouse = {}; // Sampler's Form_MouseDown (+) and Form_MouseUp (-) buttons
    bool held = false; // Sampler's command button drawn held down
    bool paused = false;
    bool muted = false;
    char const* active = "Sampler";
    bool second_shown = true;
    int client_width = 40 * px; // Sampler's

    bool operator==(Outcome const&) const = default;
};

std::ostream& operator<<(std::ostream& out, Outcome const& o)
{
    out << "keys";
    for (int k : o.keys)
        out << ' ' << k;
    out << ", clicks " << o.clicks << ", mouse";
    for (int m : o.mouse)
        out << ' ' << m;
    return out << ", held " << o.held << ", paused " << o.paused << ", muted " << o.muted << ", active " << o.active
               << ", Second shown " << o.second_shown << ", width " << o.client_width;
}

Outcome outcome_of(Rules& rules)
{
    Sampler& window = rules.window();
    return { .keys = window.keys,
        .clicks = window.clicks,
        .mouse = window.mouse,
        .held = rules.player.held_in(window) == &window.cmdGo,
        .paused = rules.player.paused(),
        .muted = rules.player.muted(),
        .active = rules.stage.active() ? rules.stage.active()->name().data() : "none",
        .second_shown = rules.stage.find("Second") && rules.stage.find("Second")->visible(),
        .client_width = window.client_width() };
}

struct Case {
    char const* what;
    std::function<void(Rules&)> input;
    Outcome expected;
};

Keystroke const ctrl { .ctrl = true };
Keystroke const ctrl_alt { .ctrl = true, .alt = true };
Keystroke const repeat { .repeat = true };
Keystroke const ctrl_repeat { .ctrl = true, .repeat = true };

Case const cases[] {
    // Keys.
    { "an arrow reaches the window that has the keyboard", [](Rules& r) { r.key(37); }, { .keys = { 37 } } },
    { "a key for another window makes it active first", [](Rules& r) { r.key(37, {}, "Second"); },
        { .active = "Second" } },
    { "a key with no code of its own is dropped", [](Rules& r) { r.key(0); }, {} },
    { "a key while no window of ours has the keyboard is dropped",
        [](Rules& r) { r.player.key_down(nullptr, { .code = 37 }); }, {} },
    { "a key for a hidden window is dropped",
        [](Rules& r) {
            r.stage.set_visible("Second", false);
            r.key(37, {}, "Second");
        },
        { .second_shown = false } },
    { "Ctrl with another key is that key", [](Rules& r) { r.key(37, ctrl); }, { .keys = { 37 } } },
    { "M alone is a key like any other", [](Rules& r) { r.key('M'); }, { .keys = { 'M' } } },
    { "Ctrl+Alt+M is a key like any other", [](Rules& r) { r.key('M', ctrl_alt); }, { .keys = { 'M' } } },
    // Ctrl+M.
    { "Ctrl+M mutes and never reaches a window", [](Rules& r) { r.key('M', ctrl); }, { .muted = true } },
    { "Ctrl+M twice unmutes",
        [](Rules& r) {
            r.key('M', ctrl);
            r.key('M', ctrl);
        },
        {} },
    { "Ctrl+M held down mutes once",
        [](Rules& r) {
            r.key('M', ctrl);
            r.key('M', ctrl_repeat);
            r.key('M', ctrl_repeat);
        },
        { .muted = true } },
    { "Ctrl+M mutes while paused",
        [](Rules& r) {
            r.pause();
            r.key('M', ctrl);
        },
        { .paused = true, .muted = true } },
    // Pause.
    { "the Pause key pauses, and no key reaches a window meanwhile",
        [](Rules& r) {
            r.pause();
            r.key(37);
            r.key(32, {}, "Second");
        },
        { .paused = true } },
    { "the Pause key held down pauses once",
        [](Rules& r) {
            r.pause();
            r.key(PlayerInput::pause_key, repeat);
        },
        { .paused = true } },
    { "a second Pause resumes",
        [](Rules& r) {
            r.pause();
            r.pause();
            r.key(37);
        },
        { .keys = { 37 } } },
    { "every window out of sight pauses, and one back in sight resumes",
        [](Rules& r) {
            r.player.set_out_of_sight(true);
            r.key(37);
            r.player.set_out_of_sight(false);
            r.key(38);
        },
        { .keys = { 38 } } },
    { "a window back in sight does not end a pause the key began",
        [](Rules& r) {
            r.pause();
            r.player.set_out_of_sight(true);
            r.player.set_out_of_sight(false);
        },
        { .paused = true } },
    { "the keyboard given to a window while paused is not heard",
        [](Rules& r) {
            r.pause();
            r.player.keyboard_to(r.window("Second"));
        },
        { .paused = true } },
    { "the keyboard given to a window makes it active", [](Rules& r) { r.player.keyboard_to(r.window("Second")); },
        { .active = "Second" } },
    // The mouse.
    { "a click on a command button",
        [](Rules& r) {
            r.press(35, 5);
            r.release(35, 5);
        },
        { .clicks = 1 } },
    { "a command button is drawn held down from the press until the release", [](Rules& r) { r.press(35, 5); },
        { .held = true } },
    { "only the left button holds a command button", [](Rules& r) { r.press(35, 5, 2); }, {} },
    { "a release goes to what took the press, and is no click away from it",
        [](Rules& r) {
            r.press(35, 5);
            r.release(35, 5, 1, "Second");
        },
        {} },
    { "a press while paused is dropped",
        [](Rules& r) {
            r.pause();
            r.press(35, 5);
            r.press(20, 5);
        },
        { .paused = true } },
    { "a command button held into a pause comes up when released during it, without a click",
        [](Rules& r) {
            r.press(35, 5);
            r.pause();
            r.release(35, 5);
            r.pause();
            r.release(35, 5);
        },
        {} },
    { "a press on the window held into a pause is let go when released during it",
        [](Rules& r) {
            r.press(20, 5);
            r.pause();
            r.release(20, 5);
        },
        { .mouse = { 1, -1 }, .paused = true } },
    { "a press on a hidden window is dropped",
        [](Rules& r) {
            r.stage.set_visible("Second", false);
            r.player.mouse_press(r.window("Second"), 35 * px, 5 * px, 1);
        },
        { .second_shown = false } },
    { "a window unloading takes its held button with it",
        [](Rules& r) {
            r.press(35, 5);
            r.player.window_unloading(r.window("Second"));
            r.player.window_unloading(r.window());
        },
        {} },
    // The window's frame.
    { "a close box works while paused",
        [](Rules& r) {
            r.pause();
            r.player.close(r.window("Second"));
        },
        { .paused = true, .second_shown = false } },
    { "a resize reaches the stage", [](Rules& r) { r.player.resize(r.window(), 900, 300); }, { .client_width = 900 } },
    { "a resize while paused is dropped",
        [](Rules& r) {
            r.pause();
            r.player.resize(r.window(), 900, 300);
        },
        { .paused = true } },
};

TEST(PlayerInput, TheRulesOfThePlayersInput)
{
    for (Case const& c : cases) {
        Rules rules;
        c.input(rules);
        EXPECT_EQ(outcome_of(rules), c.expected) << c.what;
    }
}

// What the front end hears: each change of the pause and of the sound, once, and the pause's
// clock standing still for as long as it lasts.
TEST(PlayerInput, TheFrontEndHearsEachChangeOnce)
{
    Rules rules;
    rules.real.set(1000);
    rules.pause();
    rules.player.set_out_of_sight(true);
    rules.real.set(5000);
    EXPECT_EQ(rules.clock.now_us(), 1000);
    rules.pause();
    rules.player.set_out_of_sight(false);
    rules.key('M', ctrl);
    rules.key('M', ctrl);
    EXPECT_EQ(rules.pauses_heard, (std::vector<bool> { true, false }));
    EXPECT_EQ(rules.mutes_heard, (std::vector<bool> { true, false }));
    EXPECT_EQ(rules.clock.now_us(), 1000);
}

// The keys a front end that shares the keyboard takes for the box set: those its windows handle,
// Pause and Ctrl+M; every other key, and those keys held with Ctrl or Alt, are the browser's.
TEST(PlayerInput, TakesOnlyTheKeysTheBoxSetUses)
{
    struct KeyCase {
        Keystroke key;
        bool taken;
    };
    KeyCase const keys[] = {
        { { .code = 37 }, true }, // the arrows
        { { .code = 40, .repeat = true }, true },
        { { .code = 32 }, true }, // Space fires, or clicks the focused button, as Enter does
        { { .code = 13 }, true },
        { { .code = PlayerInput::pause_key }, true },
        { { .code = 'M', .ctrl = true }, true },
        { { .code = 'M' }, false },
        { { .code = 'M', .ctrl = true, .alt = true }, false },
        { { .code = 37, .ctrl = true }, false },
        { { .code = 32, .alt = true }, false },
        { { .code = 9 }, false }, // Tab moves the focus
        { { .code = 27 }, false },
        { { .code = 116 }, false }, // F5 reloads
        { { .code = 0 }, false },
    };
    for (KeyCase const& c : keys)
        EXPECT_EQ(PlayerInput::takes(c.key), c.taken)
            << "code " << c.key.code << (c.key.ctrl ? " with Ctrl" : "") << (c.key.alt ? " with Alt" : "");
}

// The page's Pause and Sound buttons do what the keys do: a pause the player began outlasts the
// page being out of sight, and one that being out of sight began ends with it.
TEST(PlayerInput, TheButtonsDoWhatTheKeysDo)
{
    Rules rules;
    rules.player.set_out_of_sight(true);
    rules.player.toggle_pause();
    rules.player.set_out_of_sight(false);
    EXPECT_TRUE(rules.player.paused());
    rules.player.toggle_pause();
    EXPECT_FALSE(rules.player.paused());
    rules.player.toggle_mute();
    EXPECT_TRUE(rules.player.muted());
    EXPECT_EQ(rules.mutes_heard, (std::vector<bool> { true }));
}

// The close box of a hidden window, and a resize that changes nothing, do not reach the stage:
// a journal would otherwise hold lines that its replay refuses.
TEST(PlayerInput, WhatTheStageWouldPassOverIsNotSent)
{
    struct Counting final : StageInput {
        int calls = 0;
        void key_down(int) override { ++calls; }
        void mouse_press(Window&, double, double, int) override { ++calls; }
        void mouse_release(Window*, double, double, int) override { ++calls; }
        void close(Window&) override { ++calls; }
        void resize(Window&, int, int) override { ++calls; }
        void focus_window(Window&) override { ++calls; }
    } counting;
    Rules rules;
    rules.player.send_to(counting);
    rules.stage.set_visible("Second", false);
    rules.player.close(rules.window("Second"));
    rules.player.resize(rules.window(), rules.window().client_width(), rules.window().client_height());
    rules.player.keyboard_to(rules.window("Second"));
    EXPECT_EQ(counting.calls, 0);
}

} // namespace
} // namespace tolvane
