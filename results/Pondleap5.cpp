#include "results/Pondleap5.h"

namespace tolvane {

namespace {

constexpr Colour purple = 0x00C000C0;
constexpr Colour magenta = 0x00FF00FF;

} // namespace

Pondleap5::Pondleap5(Stage& stage)
    : ResultWindow(stage,
        {
            .name = "Pondleap5",
            .caption = "Pondleap win",
            .client_width = 10500,
            .client_height = 7170,
            .message = "You Win!!",
            .message_bounds = { 720, 360, 8295, 5895 },
            .message_BackColor = purple,
            .exit_bounds = { 7080, 6360, 1455, 735 },
            .exit_BackColor = magenta,
            .phrase = Cue::YouWin,
        })
{ }

} // namespace tolvane
