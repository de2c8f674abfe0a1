#include "desktop/ReplayScript.h"

#include <cerrno>
#include <chrono>
#include <system_error>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <poll.h>
#endif

namespace tolvane {

namespace {

std::int64_t now_ms()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

ReplayScript::ReplayScript(int descriptor, Replay& replay)
    : m_descriptor(descriptor)
    , m_replay(replay)
    , m_looked_ms(now_ms())
{ }

ReplayScript::int_type ReplayScript::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    look_at_desktop_when_due();
    while (!readable())
        look_at_desktop();
    ssize_t read_now = -1;
    do
        read_now = ::read(m_descriptor, m_buffer.data(), m_buffer.size());
    while (read_now < 0 && errno == EINTR);
    if (read_now < 0)
        throw std::system_error(errno, std::generic_category());
    if (read_now == 0)
        return traits_type::eof();
    setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + read_now);
    return traits_type::to_int_type(*gptr());
}

// Waits up to a tick period for the script to have something to read (or its end, or an error,
// which the read then finds).
#ifdef _WIN32
// Windows cannot wait for a pipe as poll does: a pipe is asked how much it holds, and the wait is
// a tick period's sleep. A file is read at once; so is a console, which holds the windows up
// until its line comes.
bool ReplayScript::readable()
{
    HANDLE const script = reinterpret_cast<HANDLE>(_get_osfhandle(m_descriptor));
    if (script == INVALID_HANDLE_VALUE || GetFileType(script) != FILE_TYPE_PIPE)
        return true;
    DWORD waiting = 0;
    if (!PeekNamedPipe(script, nullptr, 0, nullptr, &waiting, nullptr) || waiting > 0)
        return true;
    Sleep(look_period_ms);
    return false;
}
#else
bool ReplayScript::readable()
{
    pollfd script { .fd = m_descriptor, .events = POLLIN, .revents = 0 };
    int const ready = ::poll(&script, 1, look_period_ms);
    return ready > 0 || (ready < 0 && errno != EINTR);
}
#endif

// Lines that pour in without a pause never wait in `readable`: the look is then due by the clock.
void ReplayScript::look_at_desktop_when_due()
{
    if (now_ms() - m_looked_ms >= look_period_ms)
        look_at_desktop();
}

void ReplayScript::look_at_desktop()
{
    m_replay.keep_up(0);
    m_looked_ms = now_ms();
}

} // namespace tolvane
