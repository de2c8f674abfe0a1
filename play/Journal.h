#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tolvane {

// The journal of a session: a script of `tolvane-script` that replays it exactly. A time line
// (`at` the stage's clock) goes before an input whenever the clock has moved or a tick has run
// since the last one, `stall` where the program could not run, then the input as the stage got
// it; the last line is `# state ` and the JSON of `dump`. Lines are kept in a buffer and
// written out when the program is about to sleep with no tick due, and otherwise at most once
// a second, so a tick writes nothing.
//
// Recording never holds the game up: the journal writes without waiting, so a pipe or a FIFO
// whose reader is slow takes what it can and the rest waits for the next write, up to
// `backlog_limit`. A write that fails (a full disk, a reader that has gone away) or a backlog
// beyond the limit stops the journal, with one line on standard error; the game goes on.
class Journal {
public:
    static constexpr std::int64_t flush_period_us = 1'000'000;
    static constexpr std::size_t backlog_limit = std::size_t { 4 } << 20;
    // How long the end of a recording waits for a slow reader to take the rest.
    static constexpr int last_write_ms = 2000;

    // Opens (creates or empties) the file and writes the first line; null, with the reason in
    // `error`, when the file cannot be written. A FIFO that no program reads yet is refused
    // rather than waited for.
    static std::unique_ptr<Journal> open(std::string const& path, std::string_view version, std::string& error);
    // Writes to a descriptor that someone else opened and closes (the tests' pipes and files); a
    // descriptor that waits when written to makes the journal wait with it.
    Journal(int descriptor, std::string name, std::string_view version);
    ~Journal();
    Journal(Journal const&) = delete;
    Journal& operator=(Journal const&) = delete;

    bool recording() const { return m_recording; }

    // An input line as the stage took it at `clock`, after a time line if one is needed.
    void input(std::int64_t clock, std::string_view line);
    // The program could not run from the stage's `clock` until `moment`.
    void stall(std::int64_t clock, std::int64_t moment);
    // A tick ran: the next input needs a time line even at the same clock.
    void ticked() { m_ticked = true; }
    // The recording so far is read at the stage's `clock`: a time line if one is needed, so that a
    // replay of it ends where the program stands.
    void reach(std::int64_t clock);
    // The end of the recording: a time line if one is needed, the state, and everything out,
    // waiting up to `last_write_ms` for a slow reader.
    void finish(std::int64_t clock, std::string_view state);

    // Writes the buffer out now, or once a second has passed since the last write.
    void flush();
    void flush_if_due(std::int64_t real_us);

private:
    void time_line(std::int64_t clock);
    void append_line(std::string_view command, std::int64_t number);
    void append(std::string_view text);
    // Writes out as much of the buffer as the file takes now; the reason when that failed, or
    // nothing.
    std::string write_out();
    void stop(std::string_view reason);

    int m_descriptor;
    bool m_owns_descriptor = false;
    std::string m_name;
    std::string m_buffer;
    bool m_recording = true;
    std::int64_t m_line_clock = 0;
    bool m_ticked = false;
    std::int64_t m_flushed_us = 0;
};

// A mouse coordinate as the journal writes it: the fewest digits that read back as the same
// double.
std::string coordinate_text(double value);

} // namespace tolvane
