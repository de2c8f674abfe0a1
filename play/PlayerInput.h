#pragma once

#include "play/HeldButton.h"
#include "play/PausableClock.h"
#include "play/StageInput.h"
#include "stage/Stage.h"

#include <functional>

namespace tolvane {

// A key as a front end received it: its desktop virtual-key code (0 for a key that has none), the
// modifiers held with it, and whether it is the key's own auto-repeat.
struct Keystroke {
    int code = 0;
    bool ctrl = false;
    bool alt = false; // Alt, or the platform's other command key (Meta, Super)
    bool repeat = false;
};

// What the player's input does around the stage, the same on the desktop and on the page: the
// Pause key, Ctrl+M, the command button the mouse holds down, and which input reaches the stage at
// all. A front end turns its platform's events into these calls and shows what they change; it
// makes no rule of its own.
//
// While the box set is paused no timer runs and the stage hears nothing but the close boxes and
// the release of a mouse button, so that no button stays down: the release lets go of whatever
// took the press, without a click, since no handler of a game may act on a paused board. Ctrl+M
// and the Pause key itself work as at any time.
class PlayerInput {
public:
    static constexpr int pause_key = 19;
    static constexpr int mute_key = 'M'; // with Ctrl

    PlayerInput(Stage& stage, StageInput& input, PausableClock& clock, bool muted)
        : m_stage(stage)
        , m_input(&input)
        , m_clock(clock)
        , m_muted(muted)
    { }

    // Where input goes on to the stage from now on: a replay drops the player's.
    void send_to(StageInput& input) { m_input = &input; }
    // The front end hears of a pause beginning or ending, and of Ctrl+M.
    void on_pause_changed(std::function<void(bool paused)> heard) { m_pause_changed = std::move(heard); }
    void on_mute_changed(std::function<void(bool muted)> heard) { m_mute_changed = std::move(heard); }

    // Whether the key is one the box set has a use for: a key its windows handle (the arrows, and
    // Space and Enter, which click a button that has the focus), the Pause key or Ctrl+M. A front
    // end that shares the keyboard with others (the page, with its browser) leaves every other key
    // to them.
    static bool takes(Keystroke key);
    // A key came to `window`, the window of ours that has the keyboard (null for none).
    void key_down(Window* window, Keystroke key);
    void mouse_press(Window& window, double x, double y, int button);
    // The release goes to whatever took the press; `over` is the window the pointer is over, if
    // it is one of ours and shown.
    void mouse_release(Window* over, double x, double y, int button);
    void close(Window& window);
    void resize(Window& window, int client_width, int client_height);
    // The desktop gave the keyboard to a window of ours (a click on its frame, a window switcher).
    void keyboard_to(Window& window);
    // Every window the box set shows went out of the player's sight (all minimized), or one came
    // back: that pauses the box set as the Pause key does, and ends the pause unless the key began
    // it too.
    void set_out_of_sight(bool out_of_sight);
    // What the Pause key and Ctrl+M do, for a front end that offers them as buttons too.
    void toggle_pause();
    void toggle_mute();
    void window_unloading(Window& window) { m_held.forget(window); }

    bool paused() const { return m_paused_by_key || m_out_of_sight; }
    // Ctrl+M, which mutes and unmutes the box set in every window.
    static bool is_mute_key(Keystroke key) { return key.code == mute_key && key.ctrl && !key.alt; }
    bool muted() const { return m_muted; }
    // The command button of the window that the left mouse button holds down, or null.
    Sprite const* held_in(Window const& window) const { return m_held.in(window); }

private:
    void set_pause(bool by_key, bool out_of_sight);

    Stage& m_stage;
    StageInput* m_input;
    PausableClock& m_clock;
    HeldButton m_held;
    bool m_muted;
    bool m_paused_by_key = false;
    bool m_out_of_sight = false;
    std::function<void(bool)> m_pause_changed;
    std::function<void(bool)> m_mute_changed;
};

} // namespace tolvane
