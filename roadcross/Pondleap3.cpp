#include "roadcross/Pondleap3.h"

namespace tolvane {

namespace {

constexpr std::string_view help_text
    = "The object of the game is to direct the frog to its home. To do this, You must avoid cars while crossing "
      "a busy road, The controls for this game are presented by the arrow keys whitch move the frog.";

} // namespace

Pondleap3::Pondleap3(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap3",
            .caption = "Pondleap Help",
            .client_width = 4560,
            .client_height = 3060,
            // Like the board, the help window is laid out for its design size, so it offers no
            // maximize button.
            .maximizable = false,
        })
    , Label1({ .name = "Label1", .bounds = { 120, 240, 4095, 2535 }, .caption = help_text, .font = { 13.5f, 400 } })
{
    store({ &Label1 });
}

} // namespace tolvane
