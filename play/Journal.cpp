#include "play/Journal.h"

#include "stage/FloatText.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace tolvane {

namespace {

// Big enough that a storm of input between two writes seldom makes it grow.
constexpr std::size_t buffer_size = 64 * 1024;

} // namespace

std::string coordinate_text(double value) { return float_chars::shortest(value); }

std::unique_ptr<Journal> Journal::open(std::string const& path, std::string_view version, std::string& error)
{
    int const descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    auto journal = std::make_unique<Journal>(descriptor, path, version);
    journal->m_owns_descriptor = true;
    // The first line goes out at once, so that a file that takes nothing is known before a window
    // opens.
    error = journal->write_out();
    if (!error.empty()) {
        error = path + ": " + error;
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
    std::string const error = write_out();
    if (error.empty())
        return;
    m_recording = false;
    std::cerr << "tolvane: " << m_name << ": " << error << "; the rest of the session is not recorded\n";
}

std::string Journal::write_out()
{
    std::string_view left = m_buffer;
    std::string error;
    while (!left.empty() && error.empty()) {
        ssize_t const written = ::write(m_descriptor, left.data(), left.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            error = written < 0 ? std::strerror(errno) : "nothing could be written";
        else
            left.remove_prefix(static_cast<std::size_t>(written));
    }
    m_buffer.clear();
    return error;
}

} // namespace tolvane
