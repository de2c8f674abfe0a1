#include "aliens/Starbreach1.h"

namespace tolvane {

Starbreach1::Starbreach1(Stage& stage)
    : Window(stage,
        {
            .name = "Starbreach1",
            .caption = "Starbreach Game",
            .client_width = 11760,
            .client_height = 11145,
            .frame_top = 450,
            .placed_by_desktop = false,
        })
{ }

} // namespace tolvane
