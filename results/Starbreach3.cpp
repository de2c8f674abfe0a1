#include "results/Starbreach3.h"

namespace tolvane {

Starbreach3::Starbreach3(Stage& stage)
    : Window(stage,
        {
            .name = "Starbreach3",
            .caption = "space win",
            .client_width = 9810,
            .client_height = 7650,
        })
{ }

} // namespace tolvane
