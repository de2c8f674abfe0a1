#include "script/StopSignals.h"

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace tolvane {

namespace {

volatile std::sig_atomic_t asked = 0;
volatile std::sig_atomic_t waiting = 0;

extern "C" void on_stop_signal(int signal)
{
    if (waiting)
        end_by_signal(signal);
    asked = signal;
}

} // namespace

// Without SA_RESTART, so that a wait the signal comes in is cut short rather than resumed. A C
// library without sigaction (Windows') has only signal(), whose handler stays in place until the
// signal comes, and which has no restarting to turn off.
void catch_stop_signals()
{
#ifdef SA_RESTART
    struct sigaction action = {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    for (int signal : { SIGINT, SIGTERM })
        sigaction(signal, &action, nullptr);
#else
    for (int signal : { SIGINT, SIGTERM })
        std::signal(signal, on_stop_signal);
#endif
}

int stop_signal() { return asked; }

// Only what may be called in a signal handler.
void end_by_signal(int signal)
{
    std::signal(signal, SIG_DFL);
#ifdef SA_RESTART
    sigset_t unblocked;
    sigemptyset(&unblocked);
    sigaddset(&unblocked, signal);
    sigprocmask(SIG_UNBLOCK, &unblocked, nullptr);
    std::raise(signal);
#endif
    // Where a signal cannot end the program as itself (Windows), the status says which it was.
    std::_Exit(128 + signal);
}

WaitingForScript::WaitingForScript()
{
    waiting = 1;
    if (int const signal = asked)
        end_by_signal(signal);
}

WaitingForScript::~WaitingForScript() { waiting = 0; }

} // namespace tolvane
