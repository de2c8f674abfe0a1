#include "results/Starbreach3.h"

namespace tolvane {

namespace {

constexpr Colour red = 0x000000FF;
constexpr Colour green = colours::Green;

} // namespace

Starbreach3::Starbreach3(Stage& stage)
    : ResultWindow(stage,
        {
            .name = "Starbreach3",
            .caption = "space win",
            .client_width = 9810,
            .client_height = 7650,
            .message = "You Win!!",
            .message_bounds = { 480, 600, 8295, 5895 },
            .message_BackColor = red,
            .exit_bounds = { 7440, 6720, 1455, 735 },
            .exit_BackColor = green,
            .phrase = Cue::YouWin,
        })
{ }

// The first time, this loads the lose window hidden and starts its timer; if the lose window is
// showing, it disappears behind the win.
void Starbreach3::Form_Load() { form("Starbreach2").Visible = false; }

} // namespace tolvane
