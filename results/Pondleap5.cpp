#include "results/Pondleap5.h"

namespace tolvane {

Pondleap5::Pondleap5(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap5",
            .caption = "Pondleap win",
            .client_width = 10500,
            .client_height = 7170,
        })
{ }

} // namespace tolvane
