#include "desktop/ReplayScript.h"

#include <cerrno>
#include <chrono>
#include <system_error>
#include <unistd.h>
#ifdef _WIN32
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
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

#ifdef _WIN32
// Windows cannot wait for a pipe or a console as poll does (and Wine cannot even ask a pipe how
// much it holds): a thread of the script's own reads it ahead, block by block, and the replay waits
// for the next block a tick period at a time. When the replay ends before its script does, the
// thread stays in its read until the program ends.
struct ReplayScript::Ahead {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::string> blocks;
    bool ended = false;
    int error = 0;

    void read_all(int descriptor, std::size_t block_size)
    {
        for (bool more = true; more;) {
            std::string block(block_size, '\0');
            int read_now = -1;
            do
                read_now = ::read(descriptor, block.data(), static_cast<unsigned>(block.size()));
            while (read_now < 0 && errno == EINTR);
            std::lock_guard const lock(mutex);
            more = read_now > 0;
            if (more)
                blocks.push_back(block.substr(0, static_cast<std::size_t>(read_now)));
            else
                error = read_now < 0 ? errno : 0;
            ended = !more;
            arrived.notify_one();
        }
    }
};
#endif

ReplayScript::ReplayScript(int descriptor, Replay& replay)
    : m_descriptor(descriptor)
    , m_replay(replay)
    , m_looked_ms(now_ms())
{
#ifdef _WIN32
    m_ahead = std::make_shared<Ahead>();
    std::thread([ahead = m_ahead, descriptor, size = m_buffer.size()] { ahead->read_all(descriptor, size); }).detach();
#endif
}

ReplayScript::~ReplayScript() = default;

ReplayScript::int_type ReplayScript::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    look_at_desktop_when_due();
    while (!readable())
        look_at_desktop();
    std::size_t const read_now = read_some();
    if (read_now == 0)
        return traits_type::eof();
    setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + read_now);
    return traits_type::to_int_type(*gptr());
}

// Waits up to a tick period for the script to have something to read (or its end, or an error,
// which the read then finds).
#ifdef _WIN32
bool ReplayScript::readable()
{
    std::unique_lock lock(m_ahead->mutex);
    return m_ahead->arrived.wait_for(
        lock, std::chrono::milliseconds(look_period_ms), [this] { return !m_ahead->blocks.empty() || m_ahead->ended; });
}

// The next block the thread read, into the buffer; 0 at the end of the script.
std::size_t ReplayScript::read_some()
{
    std::lock_guard const lock(m_ahead->mutex);
    if (m_ahead->blocks.empty() && m_ahead->error)
        throw std::system_error(m_ahead->error, std::generic_category());
    if (m_ahead->blocks.empty())
        return 0;
    std::string const block = std::move(m_ahead->blocks.front());
    m_ahead->blocks.pop_front();
    std::ranges::copy(block, m_buffer.begin());
    return block.size();
}
#else
bool ReplayScript::readable()
{
    pollfd script { .fd = m_descriptor, .events = POLLIN, .revents = 0 };
    int const ready = ::poll(&script, 1, look_period_ms);
    return ready > 0 || (ready < 0 && errno != EINTR);
}

std::size_t ReplayScript::read_some()
{
    ssize_t read_now = -1;
    do
        read_now = ::read(m_descriptor, m_buffer.data(), m_buffer.size());
    while (read_now < 0 && errno == EINTR);
    if (read_now < 0)
        throw std::system_error(errno, std::generic_category());
    return static_cast<std::size_t>(read_now);
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
