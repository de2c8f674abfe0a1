#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// Reads a script line by line with memory bounded whatever the input: a line longer than
// `longest_line` is an error, never a reason to keep reading into memory. A UTF-8 byte-order mark
// at the start is skipped, and so is the carriage return of a line ending "\r\n".
class LineReader {
public:
    static constexpr std::size_t longest_line = std::size_t { 1 } << 20;

    // `before_waiting`, when given, runs whenever the reader is about to wait for more of the
    // script: nothing of it is ready yet.
    LineReader(std::istream& script, std::string_view name, std::function<void()> before_waiting = {});
    LineReader(LineReader const&) = delete;
    LineReader& operator=(LineReader const&) = delete;

    // The next line, valid until the next call; nothing at the end of the script. Throws
    // ScriptError for a line that is too long and for a script that cannot be read.
    std::optional<std::string_view> next();
    // The number of the line that `next` returned last, from 1.
    long number() const { return m_number; }

private:
    bool refill();
    bool ready();
    void append(std::string_view piece);
    [[noreturn]] void too_long() const;

    std::streambuf& m_script;
    std::string m_name;
    std::function<void()> m_before_waiting;
    std::array<char, 65536> m_buffer;
    std::string_view m_unread; // what the buffer holds beyond the lines already returned
    std::string m_line;
    long m_number = 0;
};

} // namespace tolvane
