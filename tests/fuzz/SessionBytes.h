#pragma once

#include <array>
#include <cstdint>
#include <vector>

// How the session fuzz target reads its bytes, shared with the tool that writes its seeds.
// Each step is one byte naming the operation, then its arguments, one byte each.
namespace tolvane::fuzz {

enum class Op : std::uint8_t { Key, Mouse, Click, Close, Resize, Focus, Assign, Rnd, Run, RunLong, Stall };

// Keys are the commonest input, then clicks and short runs.
inline constexpr std::array<Op, 16> ops { Op::Key, Op::Key, Op::Key, Op::Mouse, Op::Mouse, Op::Click, Op::Click,
    Op::Close, Op::Resize, Op::Focus, Op::Assign, Op::Rnd, Op::Run, Op::Run, Op::RunLong, Op::Stall };

inline Op op(std::uint8_t byte) { return ops[byte % ops.size()]; }

// The keys the games know, mostly; any other byte gives a key that none of them handles.
inline constexpr std::array<int, 6> keys { 37, 38, 39, 40, 32, 13 };

inline int key_code(std::uint8_t byte) { return byte < 240 ? keys[byte % keys.size()] : byte - 200; }

// While fuzzing, a session stops after this many granules of play (16 s), so that every input runs
// in about a millisecond and the fuzzer tries many; the corpus replay plays every input to its end.
inline constexpr int fuzzing_budget = 1'024;

// The budget of the session being played: the fuzzing budget, or no limit in the corpus replay.
extern int session_budget;

// A short run is 1 to 4 granules, a long one 1 to 32.
inline int short_run(std::uint8_t byte) { return byte % 4 + 1; }
inline int long_run(std::uint8_t byte) { return byte % 32 + 1; }

// Writes the bytes of a session step by step, for seeds.
class Writer {
public:
    void key(int code) { put(Op::Key, key_byte(code)); }
    void click(std::uint8_t window, std::uint8_t sprite) { put(Op::Click, window, sprite); }
    void close(std::uint8_t window) { put(Op::Close, window); }
    void run(int granules)
    {
        for (; granules > 32; granules -= 32)
            put(Op::RunLong, 31);
        if (granules > 0)
            put(Op::RunLong, static_cast<std::uint8_t>(granules - 1));
    }
    void stall(int four_milliseconds) { put(Op::Stall, static_cast<std::uint8_t>(four_milliseconds)); }
    void press(std::uint8_t window, std::uint8_t x, std::uint8_t y) { put(Op::Mouse, 0, window, x, y); }
    void release(std::uint8_t window, std::uint8_t x, std::uint8_t y) { put(Op::Mouse, 0x80, window, x, y); }
    std::vector<std::uint8_t> const& bytes() const { return m_bytes; }

private:
    static std::uint8_t key_byte(int code)
    {
        for (std::uint8_t i = 0; i < keys.size(); ++i)
            if (keys[i] == code)
                return i;
        return 255;
    }
    static std::uint8_t op_byte(Op wanted)
    {
        for (std::uint8_t i = 0; i < ops.size(); ++i)
            if (ops[i] == wanted)
                return i;
        return 0;
    }
    template <typename... Args> void put(Op what, Args... args)
    {
        m_bytes.push_back(op_byte(what));
        (m_bytes.push_back(static_cast<std::uint8_t>(args)), ...);
    }

    std::vector<std::uint8_t> m_bytes;
};

} // namespace tolvane::fuzz
