#pragma once

namespace tolvane {

// SIGINT and SIGTERM for tolvane-script. Caught, they ask the run to stop at its next line or
// tick; the runner then writes out what it printed and ends the program by the signal, as the
// signal would have ended it. Until `catch_stop_signals` is called nothing asks, and the runner
// plays on as ever (the desktop's replay, the tests).
void catch_stop_signals();
// The signal that asked the run to stop, or 0.
int stop_signal();
// Ends the program by the signal, as though it had never been caught.
[[noreturn]] void end_by_signal(int signal);

// While the runner waits for more of its script with everything it printed written out, there is
// nothing left to do on a stop signal: it ends the program at once, where a read of standard
// input would otherwise go on waiting.
class WaitingForScript {
public:
    WaitingForScript();
    ~WaitingForScript();
    WaitingForScript(WaitingForScript const&) = delete;
    WaitingForScript& operator=(WaitingForScript const&) = delete;
};

} // namespace tolvane
