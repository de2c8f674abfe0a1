#pragma once

#include "desktop/Replay.h"

#include <array>
#include <cstdint>
#include <memory>
#include <streambuf>

namespace tolvane {

// The script of a replay as the runner reads it, from a file or from standard input, without ever
// holding the windows up. While no more of it has come (a pipe, `tail -f`), the desktop is looked
// at every tick period; and while lines pour in faster than they run, at least as often. So the
// windows keep painting, and a close box or a signal stops the replay at any time. A read that
// fails throws std::system_error with the reason, which the runner reports with the script's name.
class ReplayScript final : public std::streambuf {
public:
    // Reads `descriptor`, which the caller opened and closes.
    ReplayScript(int descriptor, Replay& replay);
    ~ReplayScript() override;

protected:
    int_type underflow() override;

private:
    static constexpr int look_period_ms = 16; // about a tick period
    bool readable();
    std::size_t read_some();
    void look_at_desktop_when_due();
    void look_at_desktop();

    int m_descriptor;
    Replay& m_replay;
    std::int64_t m_looked_ms = 0;
    std::array<char, 65536> m_buffer;
    // On Windows, the script as a thread of its own reads it ahead.
    struct Ahead;
    std::shared_ptr<Ahead> m_ahead;
};

} // namespace tolvane
