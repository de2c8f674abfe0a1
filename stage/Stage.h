#pragma once

#include "stage/Clock.h"
#include "stage/Cue.h"
#include "stage/Display.h"
#include "stage/Random.h"
#include "stage/Window.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Hears of every tick the stage delivers, just before the window's handler runs and just after it
// has run, so that a test can check what one tick did. The stage has none unless one is set.
class TickWatcher {
public:
    virtual ~TickWatcher() = default;
    virtual void before_tick(Window&) { }
    virtual void after_tick(Window&) = 0;
};

// The program as the windows see it: every window of the system by name, loaded on first reach;
// the active window; the timers on one clock; keyboard and mouse routing; `End` and `Rnd`.
// Events are delivered one at a time, each handler running to its end, and all of them pass
// through `dispatch`, where `End` is caught.
class Stage {
public:
    using Factory = std::function<std::unique_ptr<Window>(Stage&)>;

    explicit Stage(Clock& clock, Display* display = nullptr);
    ~Stage();
    Stage(Stage const&) = delete;
    Stage& operator=(Stage const&) = delete;

    void add_window(std::string_view name, Factory factory);
    // Loads and shows the start-up window.
    void start(std::string_view name);

    // Operations that window code reaches through FormRef. A name that no window was added
    // under is a fault of the program, which a check stops: "no window named '...'".
    Window& load(std::string_view name);
    void show(std::string_view name);
    void hide(std::string_view name);

    // Observing without loading anything.
    bool is_window(std::string_view name) const;
    Window* find(std::string_view name) const;
    std::vector<std::string_view> window_names() const;
    // Calls `visit` with every loaded window, in the order the windows were added; it must not
    // load or unload any.
    template <typename F> void for_each_loaded_window(F&& visit) const
    {
        for (Slot const& s : m_slots)
            if (s.window)
                visit(static_cast<Window const&>(*s.window));
    }
    Window* active() const { return m_active; }
    bool ended() const { return m_ended; }
    std::int64_t now_us() const { return m_clock.now_us(); }
    RandomSource& random() { return m_random; }

    // Input from the desktop, already addressed to a window of this stage.
    void key_down(int key_code);
    void mouse_press(Window&, double x, double y, int button);
    void mouse_release(Window* over, double x, double y, int button);
    void close(Window&);
    // The desktop moved the keyboard focus to a visible window of ours (a click on its frame, a
    // window switcher): it becomes the active window.
    void focus_window(Window&);
    // Sets a window's `Visible` as an assignment of the program would, outside any handler.
    void set_visible(std::string_view name, bool visible);
    void resize(Window&, int client_width, int client_height);

    // Timers. `next_due` is the earliest moment a tick is due; `deliver_next_tick` delivers the
    // earliest tick that is due at `now_us()` and returns false when none is. A timer that fell
    // behind is rescheduled on its own grid after now: missed periods are dropped, not made up.
    std::optional<std::int64_t> next_due() const;
    bool deliver_next_tick();
    // Whether some timer's tick fell due more than one of its own periods before `now_us`: the
    // program could not run for a while (it was stopped, suspended or starved).
    bool overdue(std::int64_t now_us) const;
    // The window whose tick comes next: the earliest due timer's, and of timers due at the same
    // moment the one whose period started first. Null while no timer runs.
    Window const* next_to_tick() const;
    void watch_ticks(TickWatcher* watcher) { m_watcher = watcher; }

    // What the mouse press at (x, y) of a window goes to: a sprite, or null for the window.
    Sprite* route(Window&, double x, double y) const;

    // Operations of window code.
    [[noreturn]] void end();
    float rnd() { return m_random.next(); }
    // Sounds are heard only from a visible window: a cue from a hidden one is dropped here, and a
    // held loop sounds only while its window is shown. Neither changes anything the windows show.
    void cue(Window&, Cue);
    void hold(Window&, Loop, bool held);

    // The cues heard so far, oldest first; the oldest are dropped beyond `cue_log_limit`.
    std::deque<CueRecord> const& cues() const { return m_cues; }
    static constexpr std::size_t cue_log_limit = 4096;

    // Called by a timer whose period starts; keeps the order of periods that start together.
    std::uint64_t next_period_order() { return ++m_period_orders; }

private:
    struct Slot {
        std::string name;
        Factory factory;
        std::unique_ptr<Window> window;
    };
    struct Capture {
        std::string window;
        std::uint64_t serial = 0;
        Sprite* sprite = nullptr; // null: the window itself received the press
    };

    template <typename F> void dispatch(F&& handler);
    Slot* slot(std::string_view name);
    Slot& registered(std::string_view name);
    Slot const* slot(std::string_view name) const;
    void activate(Window&);
    void activate_most_recent();
    void click(Window&, Sprite&);
    void finish();
    Timer* earliest_timer() const;
    void sound_pending_cues();

    Clock& m_clock;
    Display* m_display;
    TickWatcher* m_watcher = nullptr;
    RandomSource m_random;
    std::vector<Slot> m_slots;
    Window* m_active = nullptr;
    std::array<std::optional<Capture>, 4> m_captures; // by mouse button 1 to 3
    bool m_ended = false;
    std::uint64_t m_serials = 0;
    std::uint64_t m_activations = 0;
    std::uint64_t m_period_orders = 0;
    std::deque<CueRecord> m_cues;
    std::vector<CueRecord> m_pending_cues; // sounded in the running handler
    std::vector<std::string> m_shown_in_handler;
    int m_dispatching = 0;
};

} // namespace tolvane
