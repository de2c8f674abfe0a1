#include "roadcross/Pondleap3.h"

namespace tolvane {

Pondleap3::Pondleap3(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap3",
            .caption = "Pondleap Help",
            .client_width = 4560,
            .client_height = 3060,
        })
{ }

} // namespace tolvane
