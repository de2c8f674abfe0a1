#include "results/Pondleap4.h"

namespace tolvane {

Pondleap4::Pondleap4(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap4",
            .caption = "Pondleap Lose",
            .client_width = 9015,
            .client_height = 6270,
        })
{ }

} // namespace tolvane
