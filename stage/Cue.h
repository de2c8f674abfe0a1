#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane {

// A moment of play that the player hears, named as the games name it. Window code sounds a cue
// at the very statement where the thing happens; the stage passes it on only from a visible
// window, so a window that ticks on hidden, or that was loaded hidden, is never heard.
enum class Cue : std::uint8_t {
    // The road-crossing board.
    Hop,
    Splat,
    TimeUp,
    Reset,
    Trophy,
    // The alien field.
    Launch,
    AlienDown,
    Shield, // a missile crosses the boss while aliens are left
    BossDown,
    BombReleased,
    CannonStruck,
    // The helicopter.
    Pickup,
    LowFuel,
    FlightOver,
    // The result windows, when one first shows.
    YouWin,
    GameOver,
};

// A sound that goes on for as long as window code holds it: the traffic while the board runs,
// the rotor while the helicopter flies, and the climb, which raises the rotor's pitch. A held
// loop is heard only while its window is visible.
enum class Loop : std::uint8_t {
    Traffic,
    Rotor,
    Climb,
};

inline constexpr int cue_count = 16;
inline constexpr int loop_count = 3;

// The names by which tests, documents and the sound files refer to cues and loops.
inline constexpr std::array<std::string_view, cue_count> cue_names { "Hop", "Splat", "TimeUp", "Reset", "Trophy",
    "Launch", "AlienDown", "Shield", "BossDown", "BombReleased", "CannonStruck", "Pickup", "LowFuel", "FlightOver",
    "YouWin", "GameOver" };
inline constexpr std::array<std::string_view, loop_count> loop_names { "Traffic", "Rotor", "Climb" };

constexpr std::string_view name_of(Cue cue) { return cue_names[static_cast<std::size_t>(cue)]; }
constexpr std::string_view name_of(Loop loop) { return loop_names[static_cast<std::size_t>(loop)]; }

// A cue as the stage heard it: when, and from which window.
struct CueRecord {
    std::int64_t time_us = 0;
    std::string window;
    Cue cue = Cue::Hop;

    bool operator==(CueRecord const&) const = default;
};

} // namespace tolvane
