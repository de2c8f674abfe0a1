#include "launcher/Mainform.h"

namespace tolvane {

namespace {

constexpr Colour white = colours::White;

constexpr std::string_view heli_description
    = "This game is controlled by the mouse button when you press it the helicopter goes up when you "
      "release it goes down, the objective of this game is to get as much distance without crashing into "
      "the obstacles if you crash you lose .Also saving the gasoline tanks until you really need it or "
      "when your fuel is low because there are only 3 fuel tanks and when they run out you lose.";

constexpr std::string_view space_description
    = "The objective of this game is to move a laser canon from side to side using arrow keys and the "
      "space button is to shoot, you must first defeat all the small aliens with the canon and then "
      "defeat the boss who is throwing bombs at you from the beginning, if you get hit by any of the "
      "bombs you lose a life and if you lose 3 lives you lose the game. They way you win the game is by "
      "defeating the boss alien.";

constexpr std::string_view pondleap_description
    = "The object of the game is to direct the frog to its Trophy. To do this, You must avoid all cars "
      "while crossing a busy road .The controls for this game are presented by the arrow keys which move "
      "the frog up, down, left or right, if you get hit by a car or you run out of time you lose a life "
      "If you lose. When you lose four lives you lose the game. The  way of winning the game is getting "
      "to the trophy when the trophy is collected you win.";

} // namespace

Mainform::Mainform(Stage& stage)
    : Window(stage,
        { .name = "Mainform",
            .caption = "Tolvane box set",
            .client_width = 11370,
            .client_height = 10770,
            .BackColor = white })
    , Label1({ .name = "Label1",
          .bounds = { 3480, 120, 3015, 375 },
          .caption = "Tolvane Box set",
          .font = { 13.5f, 400 },
          .BackColor = white })
    , lblheli({ .name = "lblheli",
          .bounds = { 3120, 5400, 4095, 3375 },
          .caption = heli_description,
          .font = { 12, 400 },
          .BackColor = white,
          .visible = false })
    , lblspace({ .name = "lblspace",
          .bounds = { 3120, 5400, 3975, 3615 },
          .caption = space_description,
          .font = { 12, 400 },
          .BackColor = white,
          .visible = false })
    , pondleaplabel({ .name = "pondleaplabel",
          .bounds = { 3240, 5400, 3975, 3615 },
          .caption = pondleap_description,
          .font = { 12, 400 },
          .BackColor = white })
    , ImgCopter({ .name = "ImgCopter",
          .bounds = { 3240, 1920, 3600, 3240 },
          .picture = "Mainform/ImgCopter",
          .visible = false })
    , lblmessage({ .name = "lblmessage",
          .bounds = { 3360, 600, 3375, 1215 },
          .caption = "Please select a one of three games by clicking the arrows",
          .font = { 13.5f, 700 },
          .BackColor = white })
    , imgpondleap({ .name = "imgpondleap", .bounds = { 3240, 1920, 3570, 3210 }, .picture = "Mainform/imgpondleap" })
    , imgstarbreach({ .name = "imgstarbreach",
          .bounds = { 3240, 1920, 3615, 3180 },
          .picture = "Mainform/imgstarbreach",
          .visible = false })
    , Image2({ .name = "Image2", .bounds = { 7200, 2760, 2280, 1725 }, .picture = "Mainform/Image2" })
    , Image1({ .name = "Image1", .bounds = { 240, 2760, 2280, 1725 }, .picture = "Mainform/Image1" })
{
    store({ &Label1, &lblheli, &lblspace, &pondleaplabel, &ImgCopter, &lblmessage, &imgpondleap, &imgstarbreach,
        &Image2, &Image1 });
    on_click(Image1, &Mainform::Image1_Click);
    on_click(Image2, &Mainform::Image2_Click);
    on_click(ImgCopter, &Mainform::ImgCopter_Click);
    on_click(imgpondleap, &Mainform::imgpondleap_Click);
    on_click(imgstarbreach, &Mainform::imgstarbreach_Click);
}

// Two tests, one after the other: from the road-crossing page the first one acts, from the
// helicopter page the second; from the alien page neither does.
void Mainform::Image1_Click()
{
    if (imgpondleap.Visible) {
        imgstarbreach.Visible = true;
        lblspace.Visible = true;
        pondleaplabel.Visible = false;
        imgpondleap.Visible = false;
    }
    if (ImgCopter.Visible) {
        ImgCopter.Visible = false;
        lblheli.Visible = false;
        imgpondleap.Visible = true;
        pondleaplabel.Visible = true;
    }
}

void Mainform::Image2_Click()
{
    if (imgstarbreach.Visible) {
        imgpondleap.Visible = true;
        imgstarbreach.Visible = false;
        lblspace.Visible = false;
        pondleaplabel.Visible = true;
    } else if (imgpondleap.Visible) {
        ImgCopter.Visible = true;
        lblheli.Visible = true;
        imgpondleap.Visible = false;
        pondleaplabel.Visible = false;
    }
}

void Mainform::ImgCopter_Click()
{
    form("Helicoptergame").Show();
    Me().Visible = false;
}

void Mainform::imgpondleap_Click()
{
    form("Pondleap2").Show();
    Me().Visible = false;
}

void Mainform::imgstarbreach_Click()
{
    form("Starbreach1").Show();
    Me().Visible = false;
}

} // namespace tolvane
