#include "desktop/Sound.h"
#include "stage/Stage.h"
#include "stage/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tolvane {
namespace {

using namespace std::chrono_literals;

// A window of a game that runs (its timer ticks) and sounds a cue when told to.
class Field final : public Window {
public:
    explicit Field(Stage& stage)
        : Window(stage, { .name = "Field", .caption = "Field", .client_width = 1500, .client_height = 1500 })
    { }
    Timer Timer1 { *this, { .interval = 1, .enabled = true } };
    void fire() { cue(Cue::Launch); }
};

// A window where nothing runs: the launcher, say.
class Quiet final : public Window {
public:
    explicit Quiet(Stage& stage)
        : Window(stage, { .name = "Quiet", .caption = "Quiet", .client_width = 1500, .client_height = 1500 })
    { }
    void fire() { cue(Cue::Hop); }
};

// The mixed stream goes to a file through SDL's disk driver, which plays in real time.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path()
            / ("tolvane-sound-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", stream_path().c_str(), 1);
        stage.add_window("Field", [](Stage& s) { return std::make_unique<Field>(s); });
        stage.add_window("Quiet", [](Stage& s) { return std::make_unique<Quiet>(s); });
        sound.attach(stage);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string stream_path() const { return (m_folder / "stream.raw").string(); }

    // The stream as 16-bit samples, the channels of a frame one after another.
    std::vector<std::int16_t> stream() const
    {
        std::ifstream file(stream_path(), std::ios::binary);
        std::vector<char> const bytes { std::istreambuf_iterator<char>(file), {} };
        std::vector<std::int16_t> samples(bytes.size() / 2);
        if (!samples.empty())
            std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    // The first frame from `from` at which the stream is louder than a faint hiss; none: the
    // frame count.
    static std::size_t first_sound(std::vector<std::int16_t> const& samples, std::size_t from = 0)
    {
        for (std::size_t i = Sound::channels * from; i < samples.size(); ++i)
            if (std::abs(samples[i]) > 300)
                return i / Sound::channels;
        return samples.size() / Sound::channels;
    }

    std::ostringstream errors;
    VirtualClock clock;
    Display desktop;
    Sound sound { desktop, false, errors };
    Stage stage { clock, &sound };

private:
    std::filesystem::path m_folder;
};

// A cue goes into one of the next buffers mixed: the frames mixed between the cue and its first
// sound, and the one buffer that a device holds before playing it, stay under 30 ms. The
// stream is measured, not the clock; of three cues the middle figure counts, so that one cue
// that a busy machine held back does not decide.
TEST_F(SoundTest, ACueIsHeardWithin30Milliseconds)
{
    stage.start("Field");
    sound.settle();
    ASSERT_TRUE(sound.device_open()) << errors.str();
    std::vector<std::uint64_t> cues;
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(250ms);
        cues.push_back(sound.frames_mixed());
        static_cast<Field*>(stage.find("Field"))->fire();
    }
    std::this_thread::sleep_for(250ms);
    sound.set_muted(true);

    auto const samples = stream();
    std::vector<double> latencies;
    for (std::uint64_t const at_cue : cues) {
        ASSERT_EQ(first_sound(samples, at_cue - Sound::buffer_samples), first_sound(samples, at_cue))
            << "the stream was not silent before the cue";
        auto const heard = first_sound(samples, at_cue);
        ASSERT_LT(heard, samples.size() / Sound::channels) << "the cue was never heard";
        latencies.push_back(1000.0 * double(heard - at_cue + Sound::buffer_samples) / Sound::frequency);
    }
    std::sort(latencies.begin(), latencies.end());
    RecordProperty("latency_ms", std::to_string(latencies[1]));
    EXPECT_LT(latencies[1], 30.0);
}

// Muted, a running game and its cues leave the device closed: nothing, or silence, is written.
TEST_F(SoundTest, AMutedRunWritesSilence)
{
    sound.set_muted(true);
    stage.start("Field");
    sound.settle();
    static_cast<Field*>(stage.find("Field"))->fire();
    std::this_thread::sleep_for(100ms);
    sound.settle();
    EXPECT_FALSE(sound.device_open());
    auto const samples = stream();
    EXPECT_EQ(first_sound(samples), samples.size() / Sound::channels);
    EXPECT_EQ(errors.str(), "");
}

// Where no game runs, the device opens for a cue and closes once the cue has died away, so an
// idle launcher is never woken by it.
TEST_F(SoundTest, TheDeviceClosesWhenNothingSoundsAndNoGameRuns)
{
    stage.start("Quiet");
    sound.settle();
    EXPECT_FALSE(sound.device_open());
    static_cast<Quiet*>(stage.find("Quiet"))->fire();
    EXPECT_TRUE(sound.device_open());
    std::this_thread::sleep_for(300ms);
    sound.settle();
    EXPECT_FALSE(sound.device_open());
    EXPECT_EQ(errors.str(), "");
}

// A pause is a time when no game runs: the device closes, and opens again on resuming.
TEST_F(SoundTest, APauseClosesTheDeviceAndResumingOpensItAgain)
{
    stage.start("Field");
    sound.settle();
    ASSERT_TRUE(sound.device_open()) << errors.str();
    sound.set_paused(true);
    EXPECT_FALSE(sound.device_open());
    sound.set_paused(false);
    EXPECT_TRUE(sound.device_open());
    EXPECT_EQ(errors.str(), "");
}

// No device: one line, once, and the game plays on.
TEST_F(SoundTest, WithoutADeviceThePlayGoesOnSilentlyAfterOneLine)
{
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    stage.start("Field");
    for (int i = 0; i < 3; ++i) {
        sound.settle();
        static_cast<Field*>(stage.find("Field"))->fire();
    }
    EXPECT_FALSE(sound.device_open());
    std::string const said = errors.str();
    EXPECT_EQ(said.rfind("tolvane: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

} // namespace
} // namespace tolvane
