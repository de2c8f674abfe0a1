#pragma once

#include "desktop/Replay.h"
#include "play/Journal.h"
#include "play/TickObserver.h"
#include "stage/Stage.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// How one run of the program on the desktop is to be played: plain, recorded or replayed.
struct Session {
    // Hears of every tick, when given.
    TickObserver* observer = nullptr;
    // Opens the journal to record the session into, when given: null, with the reason in
    // `error`, when it cannot. It is called once the display is open, so that a program that
    // cannot start leaves the file as it was. The journal ends with the state that `state` writes.
    std::function<std::unique_ptr<Journal>(std::string& error)> open_journal;
    std::function<std::string(Stage const&)> state;
    // Plays a script instead of the user, when given: it acts on the replay's stage and clock,
    // waits for each moment through it, and returns the exit status. Time passes `speed` times
    // as fast as in real life.
    std::function<int(Replay&)> replay;
    double speed = 1;
    // Sound starts muted when set, or when the player's settings say so.
    bool muted = false;
    // The windows are drawn at this scale when given, else at the desktop's own.
    std::optional<double> scale;
};
// Plays the program on the desktop: opens the display, the fonts and the pictures, registers
// the windows, starts the start-up window and runs until the program ends. Returns the
// process's exit status: 0 when the program ended; 1 when the desktop could not be had or the
// program failed, and 2 when the journal cannot be opened, with one line on standard error saying
// why; for a replay, the script's own status (0, 1 for a failed `expect`, 2 for a wrong line).
int play_on_desktop(
    std::function<void(Stage&)> const& add_windows, std::string_view startup_window, Session const& session = {});

} // namespace tolvane
