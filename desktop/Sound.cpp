#include "desktop/Sound.h"

#include "assets/BuiltInSounds.h"
#include "desktop/QuietStandardError.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace tolvane {

namespace {

constexpr int mixing_channels = 16;

// The sounds in the order of `Sound::m_chunks`: the cues, then the loops, the climbing rotor
// standing for the climb.
constexpr std::array<std::string_view, cue_count + loop_count> sound_names { "Hop", "Splat", "TimeUp", "Reset",
    "Trophy", "Launch", "AlienDown", "Shield", "BossDown", "BombReleased", "CannonStruck", "Pickup", "LowFuel",
    "FlightOver", "YouWin", "GameOver", "Traffic", "Rotor", "RotorClimb" };
static_assert(std::equal(cue_names.begin(), cue_names.end(), sound_names.begin()));

// Posted when a sound ends, so that an event loop asleep with no timer running wakes and closes
// the device it no longer needs.
std::uint32_t wake_event()
{
    static std::uint32_t const type = SDL_RegisterEvents(1);
    return type;
}

int channel(auto which) { return static_cast<int>(which); }

} // namespace

Sound::Sound(Display& desktop, bool muted, std::ostream& errors)
    : m_desktop(desktop)
    , m_errors(errors)
    , m_muted(muted)
{
    wake_event();
}

Sound::~Sound() { close(); }

void Sound::window_loaded(Window& window) { m_desktop.window_loaded(window); }

void Sound::window_unloading(Window& window) { m_desktop.window_unloading(window); }

void Sound::window_shown(Window& window)
{
    m_desktop.window_shown(window);
    settle_loops(survey());
}

void Sound::window_hidden(Window& window)
{
    m_desktop.window_hidden(window);
    settle_loops(survey());
}

void Sound::window_activated(Window& window) { m_desktop.window_activated(window); }

void Sound::window_resized(Window& window) { m_desktop.window_resized(window); }

void Sound::program_ended()
{
    m_desktop.program_ended();
    close();
}

// A hop waits for the last one to end, so that a held arrow key, whose repeats come faster than
// a hop lasts, never stacks hops; so does the shield, which a missile crossing the boss sounds
// on every tick.
void Sound::cue_sounded(Window&, Cue cue)
{
    if (!open())
        return;
    Mix_Chunk* const sound = m_chunks[static_cast<std::size_t>(cue)];
    if (cue == Cue::Hop || cue == Cue::Shield) {
        int const own = channel(cue == Cue::Hop ? Channel::Hop : Channel::Shield);
        if (!Mix_Playing(own))
            Mix_PlayChannel(own, sound, 0);
        return;
    }
    Mix_PlayChannel(-1, sound, 0);
}

void Sound::loops_changed(Window&) { settle_loops(survey()); }

void Sound::settle()
{
    SoundScene const scene = survey();
    if (m_open && !scene.game_runs && Mix_Playing(-1) == 0)
        close();
    else if (!m_open && scene.game_runs)
        open();
    settle_loops(scene);
}

void Sound::set_paused(bool paused)
{
    m_paused = paused;
    settle();
}

void Sound::set_muted(bool muted)
{
    m_muted = muted;
    if (muted)
        close();
    else
        settle();
}

// What should be heard: nothing while paused.
SoundScene Sound::survey() const { return m_stage && !m_paused ? SoundScene::of(*m_stage) : SoundScene {}; }

// Opens the device on the first need; returns whether it is open. A device that failed once is
// not tried again: each try could cost the time of a timeout.
bool Sound::open()
{
    if (m_open || m_muted || m_given_up)
        return m_open;
    // The device starts mixing as it opens, so the count of frames starts before it.
    m_frames_mixed = 0;
    Mix_SetPostMix(&Sound::mixed, this);
    if (char const* failed = open_device()) {
        give_up(failed);
        return false;
    }
    Mix_AllocateChannels(mixing_channels);
    Mix_ReserveChannels(channel(Channel::Reserved));
    for (std::size_t i = 0; i < sound_names.size(); ++i)
        m_chunks[i] = chunk(sound_names[i]);
    Mix_ChannelFinished(&Sound::channel_finished);
    m_open = true;
    return true;
}

// Returns what failed, or null.
char const* Sound::open_device()
{
    QuietStandardError const quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return "cannot start SDL's audio";
    if (Mix_OpenAudioDevice(frequency, AUDIO_S16SYS, channels, buffer_samples, nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return "cannot open the sound device";
    }
    return nullptr;
}

Mix_Chunk* Sound::chunk(std::string_view name) const
{
    auto const bytes = built_in_sound(name);
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return source ? Mix_LoadWAV_RW(source, 1) : nullptr;
}

// Closing, not pausing: a paused device still wakes the process.
void Sound::close()
{
    if (!m_open)
        return;
    Mix_ChannelFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& each : m_chunks)
        Mix_FreeChunk(std::exchange(each, nullptr));
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_open = false;
    m_traffic = nullptr;
    m_rotor = nullptr;
}

void Sound::give_up(char const* what)
{
    m_given_up = true;
    m_errors << "tolvane: " << what << " (" << SDL_GetError() << "); playing on without sound\n";
}

// The traffic hums while a visible board holds it; the rotor turns while a visible helicopter
// flies, on its higher loop while a button is held.
void Sound::settle_loops(SoundScene const& scene)
{
    bool const traffic = scene.holds(Loop::Traffic);
    bool const rotor = scene.holds(Loop::Rotor);
    if (!m_open && !traffic && !rotor)
        return;
    if (!open())
        return;
    Mix_Chunk* const climbing = scene.holds(Loop::Climb) ? loop_chunk(Loop::Climb) : loop_chunk(Loop::Rotor);
    play_loop(Channel::Traffic, traffic ? loop_chunk(Loop::Traffic) : nullptr, m_traffic);
    play_loop(Channel::Rotor, rotor ? climbing : nullptr, m_rotor);
}

Mix_Chunk* Sound::loop_chunk(Loop loop) const { return m_chunks[cue_count + static_cast<std::size_t>(loop)]; }

void Sound::play_loop(Channel which, Mix_Chunk* loop, Mix_Chunk*& playing)
{
    if (loop == playing)
        return;
    playing = loop;
    if (loop)
        Mix_PlayChannel(channel(which), loop, -1);
    else
        Mix_HaltChannel(channel(which));
}

// Runs on SDL's audio thread after each buffer is mixed: 16-bit samples, one a channel.
void Sound::mixed(void* self, std::uint8_t*, int length)
{
    static_cast<Sound*>(self)->m_frames_mixed += static_cast<std::uint64_t>(length) / (2 * channels);
}

void Sound::channel_finished(int)
{
    SDL_Event event {};
    event.type = wake_event();
    SDL_PushEvent(&event);
}

} // namespace tolvane
