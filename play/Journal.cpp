#include "play/Journal.h"

#include "cli/Quoting.h"
#include "stage/FloatText.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>
#if __has_include(<poll.h>)
#include <poll.h>
#endif

namespace tolvane {

namespace {

// Big enough that a storm of input between two writes seldom makes it grow.
constexpr std::size_t buffer_size = 64 * 1024;

// The journal is written without blocking, so that a slow reader of a pipe never holds the game
// up, and is not handed down to other programs. Windows' C library can do neither: there it is
// written as it comes, in binary, so that its lines end as everywhere else.
#ifdef O_NONBLOCK
constexpr int journal_flags = O_NONBLOCK | O_CLOEXEC;
#else
constexpr int journal_flags = O_BINARY;
#endif

// Waits up to `ms` milliseconds for a pipe to take more; where writes block, they have taken all.
void wait_until_writable([[maybe_unused]] int descriptor, [[maybe_unused]] int ms)
{
#if __has_include(<poll.h>)
    pollfd writable { .fd = descriptor, .events = POLLOUT, .revents = 0 };
    ::poll(&writable, 1, ms);
#endif
}

} // namespace

std::string coordinate_text(double value) { return float_chars::shortest(value); }

std::unique_ptr<Journal> Journal::open(std::string const& path, std::string_view version, std::string& error)
{
    int const descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | journal_flags, 0644);
    if (descriptor < 0) {
        error = escaped(path) + ": " + (errno == ENXIO ? "no program reads from the pipe" : std::strerror(errno));
        return nullptr;
    }
    auto journal = std::make_unique<Journal>(descriptor, path, version);
    journal->m_owns_descriptor = true;
    // The first line goes out at once, so that a file that takes nothing is known before a window
    // opens.
    error = journal->write_out();
    if (!error.empty()) {
        error = escaped(path) + ": " + error;
        journal->m_recording = false;
        return nullptr;
    }
    return journal;
}

Journal::Journal(int descriptor, std::string name, std::string_view version)
    : m_descriptor(descriptor)
    , m_name(std::move(name))
{
    m_buffer.reserve(buffer_size);
    append("# tolvane ");
    append(version);
    append(" journal\n");
}

Journal::~Journal()
{
    flush();
    if (m_owns_descriptor)
        ::close(m_descriptor);
}

void Journal::input(std::int64_t clock, std::string_view line)
{
    if (!m_recording)
        return;
    time_line(clock);
    append(line);
    append("\n");
}

// Every tick due by the stage's clock has run, and the ticks that fall due during the stall wait
// for the next time line: `at` first brings the replay to where the program stood.
void Journal::stall(std::int64_t clock, std::int64_t moment)
{
    if (!m_recording)
        return;
    time_line(clock);
    append_line("stall", moment);
    m_line_clock = moment;
    m_ticked = false;
}

void Journal::reach(std::int64_t clock)
{
    if (m_recording)
        time_line(clock);
}

void Journal::finish(std::int64_t clock, std::string_view state)
{
    if (!m_recording)
        return;
    time_line(clock);
    append("# state ");
    append(state);
    append("\n");
    flush();
    // A slow reader gets a little time to take the rest; the game is over, but the program must
    // still end.
    for (int waited_ms = 0; m_recording && !m_buffer.empty() && waited_ms < last_write_ms; waited_ms += 10) {
        wait_until_writable(m_descriptor, 10);
        flush();
    }
    if (m_recording && !m_buffer.empty())
        stop("the program reading the journal did not take its last " + std::to_string(m_buffer.size()) + " bytes");
}

void Journal::time_line(std::int64_t clock)
{
    if (clock == m_line_clock && !m_ticked)
        return;
    append_line("at", clock);
    m_line_clock = clock;
    m_ticked = false;
}

void Journal::append_line(std::string_view command, std::int64_t number)
{
    char text[24];
    auto const end = std::to_chars(text, text + sizeof text, number).ptr;
    append(command);
    append(" ");
    append(std::string_view(text, static_cast<std::size_t>(end - text)));
    append("\n");
}

void Journal::append(std::string_view text) { m_buffer += text; }

void Journal::flush_if_due(std::int64_t real_us)
{
    if (real_us - m_flushed_us < flush_period_us)
        return;
    m_flushed_us = real_us;
    flush();
}

void Journal::flush()
{
    if (!m_recording)
        return;
    if (std::string const error = write_out(); !error.empty())
        stop(error);
    else if (m_buffer.size() > backlog_limit)
        stop("the program reading the journal has fallen more than " + std::to_string(backlog_limit >> 20)
            + " MB behind");
}

void Journal::stop(std::string_view reason)
{
    m_recording = false;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    std::cerr << "tolvane: " << escaped(m_name) << ": " << escaped(reason)
              << "; the rest of the session is not recorded\n";
}

// What a pipe cannot take now (EAGAIN) stays at the front of the buffer for the next write.
std::string Journal::write_out()
{
    std::size_t written = 0;
    std::string error;
    while (written < m_buffer.size() && error.empty()) {
        ssize_t const result = ::write(m_descriptor, m_buffer.data() + written, m_buffer.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (result <= 0)
            error = result < 0 ? std::strerror(errno) : "nothing could be written";
        else
            written += static_cast<std::size_t>(result);
    }
    m_buffer.erase(0, written);
    return error;
}

} // namespace tolvane
