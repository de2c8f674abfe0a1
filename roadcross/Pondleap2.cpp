#include "roadcross/Pondleap2.h"

namespace tolvane {

Pondleap2::Pondleap2(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap2",
            .caption = "Pondleap start",
            .client_width = 6405,
            .client_height = 5985,
            .picture = "Pondleap2/Picture",
        })
    // The Help picture is stretched a little wider than its painted button; the Start picture
    // keeps its own size.
    , Image2({ .name = "Image2", .bounds = { 960, 4560, 4530, 1035 }, .picture = "Pondleap2/Image2" })
    , Image1({ .name = "Image1", .bounds = { 960, 3000, 4425, 990 }, .picture = "Pondleap2/Image1", .stretch = false })
{
    store({ &Image2, &Image1 });
    on_click(Image1, &Pondleap2::Image1_Click);
    on_click(Image2, &Pondleap2::Image2_Click);
}

// Showing the board loads it the first time, which starts its timer and draws the lane speeds;
// its first tick comes only after this click has been handled.
void Pondleap2::Image1_Click()
{
    form("Pondleap1").Visible = true;
    Me().Visible = false;
}

// The help window is left open by Start, so it can stay beside the board for the whole game.
void Pondleap2::Image2_Click() { form("Pondleap3").Visible = true; }

} // namespace tolvane
