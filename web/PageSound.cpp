#include "web/PageSound.h"

#include "assets/BuiltInSounds.h"

#include <string>

extern "C" {
// sound.js: channels 0 and 1 are the hop's and the shield's, 2 and 3 the traffic's and the rotor's;
// -1 is any free one.
void page_sound_play(int channel, char const* name, unsigned char const* bytes, int length, bool loop);
void page_sound_stop(int channel);
bool page_sound_busy(int channel);
void page_sound_idle(bool idle);
void page_sound_silence();
}

namespace tolvane {

namespace {

enum class Channel : int { Any = -1, Hop, Shield, Traffic, Rotor };

void play(Channel channel, std::string_view name, bool loop)
{
    std::span<unsigned char const> const bytes = built_in_sound(name);
    std::string const named(name);
    page_sound_play(static_cast<int>(channel), named.c_str(), bytes.data(), static_cast<int>(bytes.size()), loop);
}

} // namespace

void PageSound::window_shown(Window& window)
{
    m_page.window_shown(window);
    settle();
}

void PageSound::window_hidden(Window& window)
{
    m_page.window_hidden(window);
    settle();
}

void PageSound::program_ended()
{
    m_page.program_ended();
    page_sound_stop(static_cast<int>(Channel::Traffic));
    page_sound_stop(static_cast<int>(Channel::Rotor));
    page_sound_idle(true);
}

// As on the desktop, a hop waits for the last one to end, and so does the shield.
void PageSound::cue_sounded(Window&, Cue cue)
{
    if (m_muted)
        return;
    if (cue == Cue::Hop || cue == Cue::Shield) {
        Channel const own = cue == Cue::Hop ? Channel::Hop : Channel::Shield;
        if (!page_sound_busy(static_cast<int>(own)))
            play(own, name_of(cue), false);
        return;
    }
    play(Channel::Any, name_of(cue), false);
}

SoundScene PageSound::survey() const
{
    return m_stage && !m_paused && !m_muted ? SoundScene::of(*m_stage) : SoundScene {};
}

// The traffic hums while a visible board holds it; the rotor turns while a visible helicopter
// flies, on its higher loop while a button is held. sound.js leaves a loop that is already
// playing as it is.
void PageSound::settle()
{
    SoundScene const scene = survey();
    if (scene.holds(Loop::Traffic))
        play(Channel::Traffic, "Traffic", true);
    else
        page_sound_stop(static_cast<int>(Channel::Traffic));
    if (scene.holds(Loop::Rotor))
        play(Channel::Rotor, scene.holds(Loop::Climb) ? "RotorClimb" : "Rotor", true);
    else
        page_sound_stop(static_cast<int>(Channel::Rotor));
    page_sound_idle(!scene.game_runs);
}

void PageSound::set_paused(bool paused)
{
    m_paused = paused;
    settle();
}

void PageSound::set_muted(bool muted)
{
    m_muted = muted;
    if (muted)
        page_sound_silence();
    settle();
}

} // namespace tolvane
