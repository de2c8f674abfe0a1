#include "results/Starbreach2.h"

namespace tolvane {

namespace {

constexpr Colour green = colours::Green;
constexpr Colour light_green = 0x0080FF80;

} // namespace

Starbreach2::Starbreach2(Stage& stage)
    : ResultWindow(stage,
        {
            .name = "Starbreach2",
            .caption = "Space lose",
            .client_width = 8940,
            .client_height = 6450,
            .message = "Game Over",
            .message_bounds = { 840, 720, 6825, 4335 },
            .message_BackColor = green,
            .message_ForeColor = colours::Black,
            .exit_bounds = { 3000, 5280, 1575, 975 },
            .exit_BackColor = light_green,
            .phrase = Cue::GameOver,
        })
{ }

} // namespace tolvane
