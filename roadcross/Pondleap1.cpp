#include "roadcross/Pondleap1.h"

namespace tolvane {

Pondleap1::Pondleap1(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap1",
            .caption = "Pondleap Game",
            .client_width = 10830,
            .client_height = 7080,
            .frame_left = 60,
            .frame_top = 345,
        })
{ }

} // namespace tolvane
