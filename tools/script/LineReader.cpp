#include "tools/script/LineReader.h"

#include "tools/script/Words.h"

#include <system_error>

namespace tolvane {

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

} // namespace

LineReader::LineReader(std::istream& script, std::string_view name)
    : m_script(*script.rdbuf())
    , m_name(name)
{ }

std::optional<std::string_view> LineReader::next()
{
    m_line.clear();
    int c = take();
    if (c == std::char_traits<char>::eof())
        return std::nullopt;
    ++m_number;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = take()) {
        // One byte more than the longest line is kept, in case it is the "\r" of a "\r\n".
        if (m_line.size() > longest_line)
            too_long();
        m_line += static_cast<char>(c);
    }
    if (m_line.ends_with('\r'))
        m_line.pop_back();
    if (m_line.size() > longest_line)
        too_long();
    if (m_number == 1 && m_line.starts_with(byte_order_mark))
        m_line.erase(0, byte_order_mark.size());
    return m_line;
}

void LineReader::too_long() const { fail("longer than 1 MiB (" + std::to_string(longest_line) + " bytes)"); }

// The stream buffer is read directly: an error while reading reaches us as the exception that
// the file buffer throws, with the reason, where an istream would only set its badbit.
int LineReader::take()
{
    try {
        return m_script.sbumpc();
    } catch (std::system_error const& error) {
        throw ScriptError::stream(m_name, error.code().message());
    }
}

} // namespace tolvane
