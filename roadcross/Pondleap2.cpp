#include "roadcross/Pondleap2.h"

namespace tolvane {

Pondleap2::Pondleap2(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap2",
            .caption = "Pondleap start",
            .client_width = 6405,
            .client_height = 5985,
        })
{ }

} // namespace tolvane
