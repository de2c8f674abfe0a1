#include "results/Pondleap4.h"

namespace tolvane {

namespace {

constexpr Colour yellow = 0x0000FFFF;

} // namespace

Pondleap4::Pondleap4(Stage& stage)
    : ResultWindow(stage,
        {
            .name = "Pondleap4",
            .caption = "Pondleap Lose",
            .client_width = 9015,
            .client_height = 6270,
            .message = "Game Over",
            .message_bounds = { 720, 240, 6825, 4335 },
            .message_BackColor = yellow,
            .message_ForeColor = colours::Black,
            .exit_bounds = { 2880, 4800, 1575, 975 },
            .exit_BackColor = yellow,
            .phrase = Cue::GameOver,
        })
{ }

} // namespace tolvane
