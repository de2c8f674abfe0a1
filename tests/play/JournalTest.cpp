#include "play/Journal.h"
#include "boxset/BoxSet.h"
#include "play/StageTime.h"
#include "play/TimedInput.h"
#include "script/Script.h"
#include "script/State.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tolvane {
namespace {

// The real clock as the test sets it.
class FakeClock final : public Clock {
public:
    std::int64_t now_us() const override { return now; }
    std::int64_t now = 0;
};

// A game session as the event loop plays it, on a real clock the test moves: rounds that take
// input first and then the ticks due, recorded into a journal in a temporary file.
class RecordedSession {
public:
    RecordedSession()
        : m_file(std::tmpfile())
        , m_journal(fileno(m_file), "journal", "test")
    {
        add_box_set_windows(stage);
        stage.start(startup_window);
        time.attach(stage);
    }
    ~RecordedSession() { std::fclose(m_file); }

    // One round of the loop at `real`: the input that waits, then the ticks due; and more rounds
    // while ticks are due, as the loop goes round without sleeping.
    void round(
        std::int64_t real, std::function<void()> const& inputs = [] {})
    {
        real_clock.now = real;
        time.begin_round();
        inputs();
        time.deliver_ticks();
        while (!stage.ended() && stage.next_due() && *stage.next_due() <= real) {
            time.begin_round();
            time.deliver_ticks();
        }
    }

    // Rounds at each due time up to `real`, as the loop wakes for each tick, then one at `real`.
    void play_until(std::int64_t real)
    {
        while (!stage.ended() && stage.next_due() && *stage.next_due() <= real)
            round(*stage.next_due());
        round(real);
    }

    void click(std::string_view window_name, std::string_view sprite_name)
    {
        Window& window = *stage.find(window_name);
        Sprite const& sprite = *window.sprite(sprite_name);
        double const x = sprite.Left + sprite.Width / 2;
        double const y = sprite.Top + sprite.Height / 2;
        input.mouse_press(window, x, y, 1);
        input.mouse_release(&window, x, y, 1);
    }

    // Ends the recording and returns the journal's lines.
    std::vector<std::string> finish()
    {
        m_journal.finish(time.stage_us(), dump_state(stage));
        return lines();
    }

    // The journal as it is read in the middle of a session, up to the stage's clock now.
    std::vector<std::string> read_so_far()
    {
        m_journal.reach(time.stage_us());
        m_journal.flush();
        return lines();
    }

private:
    std::vector<std::string> lines()
    {
        std::rewind(m_file);
        std::vector<std::string> lines;
        char buffer[1 << 16];
        std::string text;
        while (std::fgets(buffer, sizeof buffer, m_file))
            text += buffer;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        std::fseek(m_file, 0, SEEK_END);
        return lines;
    }

public:
    FakeClock real_clock;
    StageTime time { real_clock, &m_journal_ref() };
    Stage stage { time.clock() };
    TimedInput input { stage, time };

private:
    Journal& m_journal_ref() { return m_journal; }
    std::FILE* m_file;
    Journal m_journal;
};

// The journal's lines, without its first and last, played by the runner after `preamble`,
// followed by `dump`: the runner's exit status and what it printed.
std::pair<int, std::string> replay(std::vector<std::string> const& lines, std::string const& preamble = "")
{
    std::string script = preamble;
    for (std::string const& line : lines)
        script += line + "\n";
    script += "dump\n";
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream errors;
    ScriptRunner runner;
    int const status = runner.run(in, out, errors);
    return { status, out.str() + errors.str() };
}

std::string state_of(std::vector<std::string> const& lines)
{
    std::string const prefix = "# state ";
    return lines.back().substr(0, prefix.size()) == prefix ? lines.back().substr(prefix.size()) + "\n" : "";
}

// The road board ticks every 15,625 us and the game-over window every 200 ms, both from 0. A
// key while a tick waits, a stall with a key during it, and two ticks due together (after the
// stall both grids meet at 1,000,000) with a key arriving just before them.
TEST(Journal, AStagedSessionReplaysToTheSameState)
{
    RecordedSession session;
    session.stage.set_visible("Pondleap4", true);
    session.round(0, [&] {
        session.click("Mainform", "imgpondleap");
        session.click("Pondleap2", "Image1");
    });
    session.play_until(100'000);
    // The tick due at 109,375 waits: the key is taken just before it.
    session.round(110'000, [&] { session.input.key_down(38); });
    // Stopped from 109,375 till 600,000: the key that waited goes first, then one late tick each.
    session.round(600'000, [&] { session.input.key_down(40); });
    EXPECT_EQ(*session.stage.find("Pondleap1")->timer()->due_us(), 609'375);
    EXPECT_EQ(*session.stage.find("Pondleap4")->timer()->due_us(), 800'000);
    session.play_until(999'000);
    session.real_clock.now = 1'000'500;
    session.time.begin_round();
    session.input.key_down(37);
    session.time.deliver_ticks();
    // Both ticks came in one go, with no input between them.
    EXPECT_EQ(*session.stage.find("Pondleap1")->timer()->due_us(), 1'015'625);
    EXPECT_EQ(*session.stage.find("Pondleap4")->timer()->due_us(), 1'200'000);
    session.play_until(1'010'000);
    session.round(1'010'000, [&] { session.input.close(*session.stage.find("Pondleap4")); });
    std::vector<std::string> const lines = session.finish();

    std::vector<std::string> const expected {
        "# tolvane test journal",
        "press Mainform 5025 3525 1",
        "release Mainform 5025 3525 1",
        "press Pondleap2 3172.5 3495 1",
        "release Pondleap2 3172.5 3495 1",
        "at 109374",
        "key 38",
        "at 109375",
        "stall 600000",
        "key 40",
        "at 999999",
        "key 37",
        "at 1010000",
        "close Pondleap4",
    };
    ASSERT_EQ(lines.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end() - 1), expected);
    auto const [status, printed] = replay({ lines.begin() + 1, lines.end() - 1 }, "set Pondleap4.Visible True\n");
    EXPECT_EQ(status, 0) << printed;
    EXPECT_EQ(printed, state_of(lines));
}

// The web page offers the journal while the game goes on: read then, it ends where the program
// stands, ticks and all, and the recording goes on after it as if it had not been read.
TEST(Journal, AJournalReadMidSessionReplaysToWhereTheProgramStands)
{
    RecordedSession session;
    session.round(0, [&] {
        session.click("Mainform", "imgpondleap");
        session.click("Pondleap2", "Image1");
    });
    session.play_until(300'000);
    session.round(310'000, [&] { session.input.key_down(38); });
    session.play_until(500'000);
    for (int reading = 0; reading < 2; ++reading) {
        std::vector<std::string> const lines = session.read_so_far();
        EXPECT_EQ(lines.back(), "at " + std::to_string(session.time.stage_us()));
        auto const [status, printed] = replay({ lines.begin() + 1, lines.end() });
        EXPECT_EQ(status, 0) << printed;
        EXPECT_EQ(printed, dump_state(session.stage) + "\n");
        session.play_until(800'000);
    }
}

// Skyhaul's timer starts inside a click's handler between granules; a press taken while a tick
// waits must go before that tick, which then climbs; a release during a stall goes before the
// late tick, which then falls.
TEST(Journal, InputBeforeAWaitingTickReplaysBeforeIt)
{
    RecordedSession session;
    session.round(0, [&] {
        session.click("Mainform", "Image2");
        session.click("Mainform", "ImgCopter");
    });
    session.round(20'000, [&] { session.click("Helicoptergame", "lblstart"); });
    EXPECT_EQ(*session.stage.find("Helicoptergame")->timer()->due_us(), 35'625);
    session.play_until(100'000);
    Window& field = *session.stage.find("Helicoptergame");
    session.round(115'000, [&] { session.input.mouse_press(field, 100, 100, 1); });
    session.round(500'000, [&] { session.input.mouse_release(nullptr, -15, 100, 1); });
    session.play_until(600'000);
    std::vector<std::string> const lines = session.finish();

    std::vector<std::string> const expected {
        "# tolvane test journal",
        "press Mainform 8340 3622.5 1",
        "release Mainform 8340 3622.5 1",
        "press Mainform 5040 3540 1",
        "release Mainform 5040 3540 1",
        "at 20000",
        "press Helicoptergame 4927.5 2887.5 1",
        "release Helicoptergame 4927.5 2887.5 1",
        "at 113749",
        "press Helicoptergame 100 100 1",
        "at 113750",
        "stall 500000",
        "release Mainform -15 100 1",
        "at 598125",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end() - 1), expected);
    auto const [status, printed] = replay({ lines.begin() + 1, lines.end() - 1 });
    EXPECT_EQ(status, 0) << printed;
    EXPECT_EQ(printed, state_of(lines));
}

// A disk that fills up while the game runs: the recording stops with one line, once, and the
// journal takes no more lines; nothing else happens.
TEST(Journal, AFailedWriteStopsTheRecordingWithOneLine)
{
    int const full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    testing::internal::CaptureStderr();
    {
        Journal journal(full, "full.journal", "test");
        journal.input(0, "key 38");
        journal.flush();
        EXPECT_FALSE(journal.recording());
        journal.input(10, "key 40");
        journal.flush_if_due(Journal::flush_period_us * 2);
        journal.finish(20, "{}");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "tolvane: full.journal: No space left on device; the rest of the session is not recorded\n");
    ::close(full);
}

// A pipe whose reader has gone away is a failed write, not the end of the program.
TEST(Journal, AReaderThatLeftStopsTheRecordingWithOneLine)
{
    std::signal(SIGPIPE, SIG_IGN);
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    ::close(ends[0]);
    testing::internal::CaptureStderr();
    {
        Journal journal(ends[1], "gone.journal", "test");
        journal.input(0, "key 38");
        journal.flush();
        EXPECT_FALSE(journal.recording());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "tolvane: gone.journal: Broken pipe; the rest of the session is not recorded\n");
    ::close(ends[1]);
}

// A reader that stops reading takes what its pipe holds and no more: the journal keeps the rest
// without waiting, up to its limit, past which the recording stops with one line.
TEST(Journal, AReaderThatStopsReadingNeverHoldsTheGameUp)
{
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_NONBLOCK | O_CLOEXEC), 0);
    ::fcntl(ends[1], F_SETPIPE_SZ, 4096);
    testing::internal::CaptureStderr();
    long inputs = 0;
    {
        Journal journal(ends[1], "stuck.journal", "test");
        for (; journal.recording() && inputs < 10'000'000; ++inputs) {
            journal.input(inputs, "key 38");
            journal.flush();
        }
        EXPECT_FALSE(journal.recording());
    }
    // Each input is a line `at N` and a line `key 38`, some 15 bytes: 4 MB is about 250,000 of them.
    EXPECT_GT(inputs, 200'000) << "the recording stopped long before its limit";
    EXPECT_LT(inputs, 300'000) << "the recording went on long past its limit";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "tolvane: stuck.journal: the program reading the journal has fallen more than 4 MB behind; the rest of the "
        "session is not recorded\n");
    ::close(ends[0]);
    ::close(ends[1]);
}

// A FIFO that no program reads yet is refused at once rather than waited for.
TEST(Journal, AFifoThatNobodyReadsIsRefused)
{
    std::string const fifo = ::testing::TempDir() + "journal-fifo-" + std::to_string(::getpid());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_EQ(Journal::open(fifo, "test", error), nullptr);
    EXPECT_EQ(error, fifo + ": no program reads from the pipe");
    ::unlink(fifo.c_str());
}

} // namespace
} // namespace tolvane
