#include "helicopter/Helicoptergame.h"

namespace tolvane {

Helicoptergame::Helicoptergame(Stage& stage)
    : Window(stage,
        {
            .name = "Helicoptergame",
            .caption = "Skyhaul",
            .client_width = 10065,
            .client_height = 7605,
            .frame_left = 60,
        })
{ }

} // namespace tolvane
