#include "script/LineReader.h"

#include "script/StopSignals.h"
#include "script/Words.h"

#include <algorithm>
#include <system_error>

namespace tolvane {

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

} // namespace

LineReader::LineReader(std::istream& script, std::string_view name, std::function<void()> before_waiting)
    : m_script(*script.rdbuf())
    , m_name(name)
    , m_before_waiting(std::move(before_waiting))
{ }

std::optional<std::string_view> LineReader::next()
{
    m_line.clear();
    if (m_unread.empty() && !refill())
        return std::nullopt;
    ++m_number;
    while (true) {
        std::size_t const end = m_unread.find('\n');
        append(m_unread.substr(0, end));
        if (end != std::string_view::npos) {
            m_unread.remove_prefix(end + 1);
            break;
        }
        m_unread = {};
        if (!refill())
            break;
    }
    if (m_line.ends_with('\r'))
        m_line.pop_back();
    if (m_line.size() > longest_line)
        too_long();
    if (m_number == 1 && m_line.starts_with(byte_order_mark))
        m_line.erase(0, byte_order_mark.size());
    return m_line;
}

// One byte more than the longest line is kept, in case it is the "\r" of a "\r\n".
void LineReader::append(std::string_view piece)
{
    if (m_line.size() + piece.size() > longest_line + 1)
        too_long();
    m_line += piece;
}

void LineReader::too_long() const { fail("longer than 1 MiB (" + std::to_string(longest_line) + " bytes)"); }

// Takes what the stream has ready, waiting only until it has something: a script fed line by
// line through a pipe runs each line as it comes. The stream buffer is read directly, so that an
// error while reading reaches us as the exception that the file buffer throws, with the reason,
// where an istream would only set its badbit.
bool LineReader::refill()
{
    try {
        if (!ready())
            return false;
        std::streamsize const ready = std::clamp<std::streamsize>(m_script.in_avail(), 1, m_buffer.size());
        m_unread = { m_buffer.data(), static_cast<std::size_t>(m_script.sgetn(m_buffer.data(), ready)) };
        return true;
    } catch (std::system_error const& error) {
        throw ScriptError::stream(m_name, error.code().message());
    }
}

// Whether anything of the script is there to read, waiting for it when nothing is ready yet.
bool LineReader::ready()
{
    if (m_script.in_avail() > 0)
        return true;
    if (m_before_waiting)
        m_before_waiting();
    WaitingForScript const waiting;
    return m_script.sgetc() != std::char_traits<char>::eof();
}

} // namespace tolvane
