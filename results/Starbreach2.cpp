#include "results/Starbreach2.h"

namespace tolvane {

Starbreach2::Starbreach2(Stage& stage)
    : Window(stage,
        {
            .name = "Starbreach2",
            .caption = "Space lose",
            .client_width = 8940,
            .client_height = 6450,
        })
{ }

} // namespace tolvane
