#include "tests/fuzz/SessionBytes.h"
#include "tests/support/Session.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <span>
#include <vector>

namespace tolvane {
namespace {

// Reads the fuzzer's bytes as a player's session; past the end every read gives 0.
class Bytes {
public:
    explicit Bytes(std::span<std::uint8_t const> data)
        : m_data(data)
    { }
    bool empty() const { return m_data.empty(); }
    std::uint8_t byte()
    {
        if (m_data.empty())
            return 0;
        std::uint8_t const value = m_data.front();
        m_data = m_data.subspan(1);
        return value;
    }
    // A point of a window: mostly on its client area, sometimes well outside it.
    double coordinate(int extent)
    {
        std::uint8_t const value = byte();
        return value < 240 ? value * extent / 239.0 : (value - 248) * 3000.0;
    }

private:
    std::span<std::uint8_t const> m_data;
};

// Plays one input of bytes, checking every tick and every input, and stops at the first broken
// invariant with its input.
class Player {
public:
    void play(Bytes& in, int budget)
    {
        while (!in.empty() && !m_session.ended() && m_granules < budget) {
            step(in);
            if (!m_session.broken().empty()) {
                std::fprintf(stderr, "invariant broken: %s\n", m_session.broken().c_str());
                std::abort();
            }
        }
    }

private:
    Stage& stage() { return m_session.stage(); }

    // A window chosen by a byte: a visible one for what a player can only do to a window on
    // screen, every window of the box set for an assignment of `Visible`.
    Window* pick(std::uint8_t choice)
    {
        if (m_names.empty())
            m_names = stage().window_names();
        std::array<Window*, 16> windows {};
        std::size_t count = 0;
        for (std::string_view name : m_names)
            if (Window* window = stage().find(name); window && window->visible() && count < windows.size())
                windows[count++] = window;
        return count == 0 ? nullptr : windows[choice % count];
    }

    void step(Bytes& in)
    {
        using fuzz::Op;
        switch (fuzz::op(in.byte())) {
        case Op::Key:
            m_session.key(fuzz::key_code(in.byte()));
            break;
        case Op::Mouse:
            mouse(in);
            break;
        case Op::Click:
            if (Window* window = pick(in.byte()); window && !window->sprites().empty())
                m_session.click(*window, *window->sprites()[in.byte() % window->sprites().size()]);
            break;
        case Op::Close:
            if (Window* window = pick(in.byte()))
                m_session.close(*window);
            break;
        case Op::Resize:
            if (Window* window = pick(in.byte())) {
                int const width = in.byte() * 60;
                m_session.resize(*window, width, in.byte() * 60);
            }
            break;
        case Op::Focus:
            if (Window* window = pick(in.byte()))
                m_session.focus(*window);
            break;
        case Op::Assign: {
            auto const names = stage().window_names();
            std::uint8_t const choice = in.byte();
            m_session.set_visible(names[choice % names.size()], choice >= 128);
            break;
        }
        case Op::Rnd: {
            std::deque<float> values(in.byte() % 8);
            for (float& value : values)
                value = in.byte() / 256.0f;
            m_session.queue_rnd(std::move(values));
            break;
        }
        case Op::Run:
            advance(fuzz::short_run(in.byte()));
            break;
        case Op::RunLong:
            advance(fuzz::long_run(in.byte()));
            break;
        case Op::Stall:
            m_session.stall(in.byte() * 4'000);
            break;
        }
    }

    void mouse(Bytes& in)
    {
        std::uint8_t const what = in.byte();
        Window* window = pick(in.byte());
        if (!window)
            return;
        double const x = in.coordinate(window->client_width());
        double const y = in.coordinate(window->client_height());
        int const button = 1 + what % 3;
        if (what & 0x80)
            m_session.release(window, x, y, button);
        else
            m_session.press(*window, x, y, button);
    }

    void advance(int granules)
    {
        m_granules += granules;
        m_session.run(granules);
    }

    Session m_session;
    std::vector<std::string_view> m_names;
    int m_granules = 0;
};

} // namespace
} // namespace tolvane

int tolvane::fuzz::session_budget = tolvane::fuzz::fuzzing_budget;

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    tolvane::Bytes in({ data, size });
    tolvane::Player player;
    player.play(in, tolvane::fuzz::session_budget);
    return 0;
}
