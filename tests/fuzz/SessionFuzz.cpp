#include "tests/support/Invariants.h"
#include "tools/script/Script.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

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
    std::uint16_t word() { return static_cast<std::uint16_t>(byte() | byte() << 8); }
    // A coordinate in twips from well left of or above the client area to well beyond it.
    double coordinate() { return static_cast<std::int16_t>(word()) * 0.75; }

private:
    std::span<std::uint8_t const> m_data;
};

class Session {
public:
    void play(Bytes& in)
    {
        while (!in.empty() && !stage().ended()) {
            step(in);
            check();
        }
    }

private:
    Stage& stage() { return m_runner.stage(); }

    // A window of the box set chosen by a byte: a visible one for the things a player can only do
    // to a window on screen, any loaded one otherwise.
    Window* pick(std::uint8_t choice, bool visible_only)
    {
        std::vector<Window*> windows;
        for (std::string_view name : stage().window_names())
            if (Window* window = stage().find(name); window && (!visible_only || window->visible()))
                windows.push_back(window);
        return windows.empty() ? nullptr : windows[choice % windows.size()];
    }

    void step(Bytes& in)
    {
        switch (in.byte() % 8) {
        case 0:
            stage().key_down(in.word());
            break;
        case 1:
            if (Window* window = pick(in.byte(), true)) {
                double const x = in.coordinate();
                stage().mouse_press(*window, x, in.coordinate(), 1 + in.byte() % 3);
            }
            break;
        case 2: {
            Window* window = pick(in.byte(), false);
            double const x = in.coordinate();
            stage().mouse_release(window, x, in.coordinate(), 1 + in.byte() % 3);
            break;
        }
        case 3:
            if (Window* window = pick(in.byte(), true); window && !window->sprites().empty()) {
                Sprite* sprite = window->sprites()[in.byte() % window->sprites().size()];
                double const x = sprite->Left + sprite->Width / 2;
                double const y = sprite->Top + sprite->Height / 2;
                stage().mouse_press(*window, x, y, 1);
                stage().mouse_release(stage().find(window->name()), x, y, 1);
            }
            break;
        case 4:
            if (Window* window = pick(in.byte(), true))
                stage().close(*window);
            break;
        case 5:
            if (Window* window = pick(in.byte(), true)) {
                int const width = in.word();
                stage().resize(*window, width, in.word());
                remember_width(*window);
            }
            break;
        case 6:
            m_runner.run_granules(in.byte());
            break;
        case 7:
            m_runner.run_granules(in.word() % 2048);
            break;
        }
    }

    void remember_width(Window const& window)
    {
        if (window.name() == "Pondleap1")
            m_limits.widest_board = std::max(m_limits.widest_board, window.outer_width());
        if (window.name() == "Helicoptergame")
            m_limits.widest_helicopter = std::max(m_limits.widest_helicopter, window.outer_width());
    }

    void check()
    {
        auto const broken = broken_invariants(stage(), m_limits);
        if (broken.empty())
            return;
        std::fprintf(stderr, "invariant broken at %lld us: %s\n", static_cast<long long>(m_runner.clock_us()),
            broken.front().c_str());
        std::abort();
    }

    ScriptRunner m_runner;
    InvariantLimits m_limits;
};

} // namespace
} // namespace tolvane

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    tolvane::Bytes in({ data, size });
    tolvane::Session session;
    session.play(in);
    return 0;
}
