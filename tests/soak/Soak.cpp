#include "tests/support/Session.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace tolvane {
namespace {

// Under AddressSanitizer freed memory is held back in quarantine, so resident memory grows by
// design; the leak checker watches memory there instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool memory_is_measured = false;
#else
constexpr bool memory_is_measured = true;
#endif

// The most hours the soak can count: the virtual clock must stay below 2^62 microseconds.
constexpr std::int64_t most_hours = (std::int64_t { 1 } << 62) / 3'600'000'000 - 1;

long resident_kilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

using Random = std::minstd_rand;

int below(Random& random, int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

// One game played for many hours of virtual time, an eighth of a second at a time, with input
// from a fixed random sequence; every tick and every input is checked by the session's invariants.
class Soak {
public:
    using Player = std::function<void(Session&, Random&)>;
    using Over = std::function<bool(Session&)>;

    // A game that is over starts again in a new session, as a player would start the program
    // again; the virtual time adds up across the sessions.
    Soak(char const* game, Player opening, Player player, Over over)
        : m_game(game)
        , m_opening(std::move(opening))
        , m_player(std::move(player))
        , m_over(std::move(over))
    {
        start();
    }

    bool run(std::int64_t hours)
    {
        auto const started = std::chrono::steady_clock::now();
        long memory_after_first_hour = 0;
        for (std::int64_t eighth = 0; eighth < hours * 3600 * 8; ++eighth) {
            if (m_session->ended() || m_over(*m_session))
                start();
            m_player(*m_session, m_random);
            pause_now_and_then();
            m_session->run(8);
            if (!m_session->broken().empty()) {
                std::printf("%s: after %lld s of play: %s\n", m_game, static_cast<long long>(eighth / 8),
                    m_session->broken().c_str());
                return false;
            }
            if (eighth == 3600 * 8)
                memory_after_first_hour = resident_kilobytes();
        }
        double const real = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        long const memory = resident_kilobytes();
        std::printf("%s: %lld virtual hours in %.1f s over %d sessions, resident %ld kB after the first hour and %ld "
                    "kB at the end\n",
            m_game, static_cast<long long>(hours), real, m_sessions, memory_after_first_hour, memory);
        if (memory_is_measured && memory - memory_after_first_hour >= 1024) {
            std::printf("%s: memory grew by %ld kB\n", m_game, memory - memory_after_first_hour);
            return false;
        }
        return true;
    }

    Session& session() { return *m_session; }

private:
    void start()
    {
        m_session = std::make_unique<Session>();
        ++m_sessions;
        m_opening(*m_session, m_random);
    }

    // Now and then the program cannot run for a while, so the ticks that fell due wait and come late.
    void pause_now_and_then()
    {
        if (below(m_random, 64) == 0)
            m_session->stall(below(m_random, 400'000));
    }

    char const* m_game;
    Player m_opening;
    Player m_player;
    Over m_over;
    std::unique_ptr<Session> m_session;
    int m_sessions = 0;
    Random m_random;
};

void keys(Session& session, int code, int times)
{
    for (int i = 0; i < times; ++i)
        session.key(code);
}

// Keys go to the game only while it is the active window: in a result window Space and Enter
// would click Exit and end the program.
bool playing(Session& session, std::string_view window) { return session.active(window); }

// Mostly a hop or two, sometimes a dash across the board in one direction or straight up to the
// trophy, and Reset whenever a life was lost.
void play_pondleap(Session& session, Random& random)
{
    if (session.visible("Pondleap1") && below(random, 4) == 0)
        session.click("Pondleap1", "cmdReset");
    if (!playing(session, "Pondleap1"))
        return;
    static int const codes[] = { 38, 38, 38, 37, 39, 40 };
    int const code = codes[below(random, 6)];
    keys(session, code, below(random, 40) == 0 ? 20 + below(random, 40) : below(random, 3));
}

// Dashes of the cannon to either side and shots; sometimes the desktop hands the keyboard to
// another visible window for a while.
void play_starbreach(Session& session, Random& random)
{
    if (below(random, 200) == 0)
        if (Window* other = session.window(below(random, 2) ? "Mainform" : "Starbreach1"); other)
            session.focus(*other);
    if (!playing(session, "Starbreach1"))
        return;
    static int const codes[] = { 37, 39, 32, 32 };
    int const code = codes[below(random, 4)];
    keys(session, code, below(random, 16) == 0 ? 10 + below(random, 30) : below(random, 2));
}

// Flight after flight: start, then hold and let go of the button in bursts.
void play_skyhaul(Session& session, Random& random)
{
    Window& game = *session.window("Helicoptergame");
    if (game.sprite("lblstart")->Visible)
        session.click("Helicoptergame", "lblstart");
    if (below(random, 2))
        session.press(game, 5000, 5300);
    else
        session.release(&game, 5000, 5300);
}

// The road-crossing game starts with new lane speeds from the test hook now and then, and is
// over a while after its board was hidden, so the won board's ticks and the result windows play on.
void open_pondleap(Session& session, Random& random)
{
    session.click("Mainform", "imgpondleap");
    if (below(random, 2))
        session.queue_rnd({ static_cast<float>(below(random, 256)) / 256, 0, 0.5f, 0.99f, 0.25f });
    session.click("Pondleap2", "Image1");
}

} // namespace
} // namespace tolvane

// soak [HOURS]: plays each game for HOURS of virtual time (24 by default).
int main(int argc, char** argv)
{
    using namespace tolvane;
    std::int64_t hours = 24;
    if (argc > 2) {
        std::fprintf(stderr, "usage: soak [HOURS]\n");
        return 2;
    }
    if (argc == 2) {
        std::string_view const word = argv[1];
        auto const [end, error] = std::from_chars(word.data(), word.data() + word.size(), hours);
        if (error != std::errc {} || end != word.data() + word.size() || hours < 2 || hours > most_hours) {
            std::fprintf(stderr, "usage: soak [HOURS], HOURS a whole number from 2 to %lld\n",
                static_cast<long long>(most_hours));
            return 2;
        }
    }
    int hidden_board = 0;
    Soak pondleap("Pondleap", open_pondleap, play_pondleap, [&](Session& session) {
        hidden_board = session.visible("Pondleap1") ? 0 : hidden_board + 1;
        return hidden_board > 8 * 30;
    });
    int hidden_field = 0;
    Soak starbreach(
        "Starbreach",
        [](Session& session, Random&) {
            session.click("Mainform", "Image1");
            session.click("Mainform", "imgstarbreach");
        },
        play_starbreach,
        [&](Session& session) {
            hidden_field = session.visible("Starbreach1") ? 0 : hidden_field + 1;
            return hidden_field > 8 * 600;
        });
    Soak skyhaul(
        "Skyhaul",
        [](Session& session, Random&) {
            session.click("Mainform", "Image2");
            session.click("Mainform", "ImgCopter");
        },
        play_skyhaul, [](Session&) { return false; });
    bool passed = pondleap.run(hours);
    passed = starbreach.run(hours) && passed;
    passed = skyhaul.run(hours) && passed;
    std::printf("soak %s\n", passed ? "passed" : "FAILED");
    return passed ? 0 : 1;
}
