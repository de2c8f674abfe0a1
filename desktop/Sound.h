#pragma once

#include "play/SoundScene.h"
#include "stage/Display.h"
#include "stage/Stage.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <iosfwd>

struct Mix_Chunk;

namespace tolvane {

// The box set's sounds on the SDL audio device, through SDL_mixer. It stands between the stage
// and the desktop: every call of the stage goes on to the desktop, and the cues and loops of
// visible windows are played.
//
// An open device wakes the process hundreds of times a second even when it plays nothing, so
// the device is open only while it is needed: from the moment a game runs (a visible window's
// timer ticks) or something sounds, until nothing sounds and no game runs. Without a device or
// with one that fails to open, the program plays on in silence after one line on standard
// error; a device lost in play goes silent in SDL, and the next opening finds what is there then.
class Sound final : public Display {
public:
    // The sounds' own rate and one channel, which halves the mixing and the sound server's work
    // against 48 kHz stereo; 256 frames a buffer, 11.6 ms, put a cue in the stream within about a
    // tick, and wake the mixer 86 times a second.
    static constexpr int frequency = 22'050;
    static constexpr int channels = 1;
    static constexpr int buffer_samples = 256;

    Sound(Display& desktop, bool muted, std::ostream& errors);
    ~Sound() override;
    Sound(Sound const&) = delete;
    Sound& operator=(Sound const&) = delete;

    void attach(Stage const& stage) { m_stage = &stage; }

    void window_loaded(Window&) override;
    void window_unloading(Window&) override;
    void window_shown(Window&) override;
    void window_hidden(Window&) override;
    void window_activated(Window&) override;
    void window_resized(Window&) override;
    void program_ended() override;
    void cue_sounded(Window&, Cue) override;
    void loops_changed(Window&) override;

    // Brings the device and the loops in line with the program; the event loop calls it once a
    // round, before it waits.
    void settle();
    // While the box set is paused no game runs: the loops stop, and the device closes once a cue
    // that was sounding has ended.
    void set_paused(bool paused);
    // Ctrl+M: silence at once, or sound again from the next cue or loop.
    void set_muted(bool muted);
    bool muted() const { return m_muted; }
    bool device_open() const { return m_open; }
    // Sample frames mixed since the device opened: where the stream stands, for measuring how
    // soon a cue is heard.
    std::uint64_t frames_mixed() const { return m_frames_mixed.load(); }

private:
    enum class Channel : int { Hop, Shield, Traffic, Rotor, Reserved };

    SoundScene survey() const;
    bool open();
    static char const* open_device();
    void close();
    void give_up(char const* what);
    void settle_loops(SoundScene const&);
    void play_loop(Channel, Mix_Chunk* chunk, Mix_Chunk*& playing);
    Mix_Chunk* chunk(std::string_view name) const;
    Mix_Chunk* loop_chunk(Loop) const; // the climb's is the climbing rotor's

    static void mixed(void* self, std::uint8_t* stream, int length);
    static void channel_finished(int channel);

    Display& m_desktop;
    std::ostream& m_errors;
    Stage const* m_stage = nullptr;
    bool m_muted;
    bool m_paused = false;
    bool m_open = false;
    bool m_given_up = false;
    std::atomic<std::uint64_t> m_frames_mixed = 0;
    std::array<Mix_Chunk*, cue_count + loop_count> m_chunks {};
    Mix_Chunk* m_traffic = nullptr;
    Mix_Chunk* m_rotor = nullptr;
};

} // namespace tolvane
