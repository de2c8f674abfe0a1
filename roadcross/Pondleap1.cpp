#include "roadcross/Pondleap1.h"

#include "stage/Numbers.h"
#include "stage/Rect.h"

#include <array>

namespace tolvane {

namespace {

constexpr std::int16_t key_left = 37;
constexpr std::int16_t key_up = 38;
constexpr std::int16_t key_right = 39;
constexpr std::int16_t key_down = 40;
constexpr std::array<std::int16_t, 4> frog_keys { key_left, key_up, key_right, key_down };

constexpr float frog_step = 200;

// Left-driving vehicles wrap only well past the left edge, so they reappear after a pause.
constexpr float wrap_left = -2000;

// The frog's bounds while the game runs.
constexpr float frog_rightmost = 10200;
constexpr float frog_lowest = 5760;

constexpr Font board_font { 18, 400 };
constexpr Colour splat_green = colours::Green;

Image vehicle(std::string_view name, Bounds bounds, std::string_view picture, bool stretch = true)
{
    return Image({ .name = name, .bounds = bounds, .picture = picture, .stretch = stretch });
}

Label board_label(std::string_view name, Bounds bounds, std::string_view caption)
{
    return Label({ .name = name, .bounds = bounds, .caption = caption, .font = board_font });
}

} // namespace

Pondleap1::Pondleap1(Stage& stage)
    : Window(stage,
        {
            .name = "Pondleap1",
            .caption = "Pondleap Game",
            .client_width = 10830,
            .client_height = 7080,
            .frame_left = 60,
            .frame_top = 345,
            .picture = "Pondleap1/Picture",
            // The board is laid out for its design size: maximized, the road and its labels would
            // sit in one corner of a large grey window, so the board offers no maximize button.
            .maximizable = false,
            .keys = frog_keys,
        })
    , cmdReset({ .name = "cmdReset",
          .bounds = { 4560, 2040, 1695, 675 },
          .caption = "Reset",
          .font = board_font,
          .visible = false })
    , imgTrophy({ .name = "imgTrophy", .bounds = { 4800, 0, 735, 735 }, .picture = "Pondleap1/imgTrophy" })
    , imgtractor { {
          vehicle("imgtractor(0)", { 0, 4320, 615, 570 }, "Pondleap1/imgtractor"),
          vehicle("imgtractor(1)", { 5160, 4320, 615, 570 }, "Pondleap1/imgtractor"),
          vehicle("imgtractor(2)", { 8400, 4320, 615, 570 }, "Pondleap1/imgtractor"),
      } } // Race cars 1 and 2 first stand 120 twips above race car 0; Reset lines all three up.
    , imgracecar { {
          vehicle("imgracecar(0)", { 0, 2520, 690, 630 }, "Pondleap1/imgracecar"),
          vehicle("imgracecar(1)", { 5040, 2400, 690, 630 }, "Pondleap1/imgracecar"),
          vehicle("imgracecar(2)", { 8760, 2400, 690, 630 }, "Pondleap1/imgracecar"),
      } }
    , imgTruck { {
          vehicle("imgTruck(0)", { 9720, 960, 1050, 495 }, "Pondleap1/imgTruck"),
          vehicle("imgTruck(1)", { 6960, 960, 1050, 495 }, "Pondleap1/imgTruck"),
          vehicle("imgTruck(2)", { 4920, 960, 1050, 495 }, "Pondleap1/imgTruck"),
      } }
    , imgyellowcar { {
          vehicle("imgyellowcar(0)", { 10080, 3360, 720, 630 }, "Pondleap1/imgyellowcar"),
          vehicle("imgyellowcar(1)", { 6960, 3360, 720, 630 }, "Pondleap1/imgyellowcar"),
          vehicle("imgyellowcar(2)", { 3120, 3360, 720, 630 }, "Pondleap1/imgyellowcar"),
      } } // The pink cars show their picture at its own size, 50 by 36 pixels.
    , carpink { {
          vehicle("carpink(0)", { 10080, 1680, 750, 540 }, "Pondleap1/carpink", false),
          vehicle("carpink(1)", { 7200, 1680, 750, 540 }, "Pondleap1/carpink", false),
          vehicle("carpink(2)", { 3360, 1680, 750, 540 }, "Pondleap1/carpink", false),
      } }
    , lbltime(board_label("lbltime", { 3720, 6120, 1095, 615 }, "10"))
    , lblTime434(board_label("lblTime434", { 2520, 6120, 975, 615 }, "Time:"))
    , lblsplatt({ .name = "lblsplatt",
          .bounds = { 1080, 2040, 1815, 975 },
          .caption = "Splat!!!!!!",
          .font = board_font,
          .BackColor = splat_green,
          .visible = false })
    , Label1(board_label("Label1", { 120, 6120, 975, 495 }, "Lives:"))
    , lbllives(board_label("lbllives", { 1200, 6120, 495, 615 }, "4"))
    , frog({ .name = "frog", .bounds = { 4680, 5640, 195, 225 }, .picture = "Pondleap1/frog" })
{
    store({ &cmdReset, &imgTrophy, &imgtractor.Item(2), &imgracecar.Item(2), &imgracecar.Item(1), &imgtractor.Item(1),
        &imgTruck.Item(2), &imgTruck.Item(1), &imgyellowcar.Item(2), &imgyellowcar.Item(1), &carpink.Item(2),
        &carpink.Item(1), &lbltime, &lblTime434, &lblsplatt, &Label1, &lbllives, &frog, &imgracecar.Item(0),
        &imgtractor.Item(0), &imgyellowcar.Item(0), &carpink.Item(0), &imgTruck.Item(0) });
    declare({
        { "TruckSpeed", &TruckSpeed },
        { "PinkSpeed", &PinkSpeed },
        { "RacecarSpeed", &RacecarSpeed },
        { "YellowcarSpeed", &YellowcarSpeed },
        { "TractorSpeed", &TractorSpeed },
    });
    on_click(cmdReset, &Pondleap1::cmdReset_Click);
}

// The first game starts from the layout; only the lane speeds are drawn here. The start window
// is still showing while the board loads, so showing it again changes nothing.
void Pondleap1::Form_Load()
{
    NewTruckSpeed();
    NewPinkSpeed();
    NewRacecarSpeed();
    NewYellowcarSpeed();
    NewTractorSpeed();
    form("Pondleap2").Show();
    hold(Loop::Traffic, true);
}

// Keys apply no bound: the next tick does, so while the board is stopped the frog can be moved
// anywhere, even out of sight, until Reset brings it back.
void Pondleap1::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/)
{
    if (KeyCode >= key_left && KeyCode <= key_down)
        cue(Cue::Hop);
    if (KeyCode == key_up)
        frog.Top = frog.Top - frog_step;
    if (KeyCode == key_down)
        frog.Top = frog.Top + frog_step;
    if (KeyCode == key_left)
        frog.Left = frog.Left - frog_step;
    if (KeyCode == key_right)
        frog.Left = frog.Left + frog_step;
}

// A tick runs to its end even when an earlier step stopped the timer or hid the board, so a hit
// and a time-out in one tick cost two lives.
void Pondleap1::Timer1_Timer()
{
    for (int i = 0; i < 3; ++i) {
        TrafficStep(i);
        CountDown();
    }
    KeepFrogOnBoard();
    CheckTractorHit();
    CheckYellowcarHit();
    CheckRacecarHit();
    CheckTruckHit();
    CheckPinkHit();
    CheckTimeAndLives();
    CheckTrophy();
}

// Reset puts the traffic back, with the yellow cars one row higher and the race cars in one row,
// and the frog 240 twips above its first start; the lives and the lane speeds stay as they are.
void Pondleap1::cmdReset_Click()
{
    PlaceLane(imgTruck, { 9720, 6960, 4920 }, 960);
    PlaceLane(carpink, { 10080, 7200, 3360 }, 1680);
    PlaceLane(imgracecar, { 0, 5040, 8760 }, 2520);
    PlaceLane(imgyellowcar, { 10080, 6960, 3120 }, 3240);
    PlaceLane(imgtractor, { 0, 5160, 8400 }, 4320);
    lblsplatt.Visible = false;
    lbltime.Caption = "10";
    Timer1.Enabled = true;
    cmdReset.Visible = false;
    frog.Left = 4680;
    frog.Top = 5400;
    cue(Cue::Reset);
    hold(Loop::Traffic, true);
}

void Pondleap1::PlaceLane(SpriteArray<Image, 3>& vehicles, std::array<float, 3> const& lefts, float top)
{
    for (int i = 0; i < vehicles.Count; ++i) {
        vehicles.Item(i).Left = lefts[static_cast<std::size_t>(i)];
        vehicles.Item(i).Top = top;
    }
}

void Pondleap1::NewTruckSpeed() { TruckSpeed = to_int16(Rnd() * 30.0 + 15); }

void Pondleap1::NewPinkSpeed() { PinkSpeed = to_int16(Rnd() * 90.0 + 15); }

void Pondleap1::NewRacecarSpeed() { RacecarSpeed = to_int16(Rnd() * 30.0 + 15); }

void Pondleap1::NewYellowcarSpeed() { YellowcarSpeed = to_int16(Rnd() * 90.0 + 15); }

void Pondleap1::NewTractorSpeed() { TractorSpeed = to_int16(Rnd() * 90.0 + 15); }

// A lane speed drawn at a wrap is in force at once, so the lane's later vehicles in this loop
// already move with it while the earlier ones have moved with the old one.
void Pondleap1::TrafficStep(int i)
{
    WrapVehicles(i);
    MoveVehicles(i);
}

void Pondleap1::WrapVehicles(int i)
{
    WrapLeftward(imgTruck.Item(i), &Pondleap1::NewTruckSpeed);
    WrapLeftward(carpink.Item(i), &Pondleap1::NewPinkSpeed);
    WrapRightward(imgracecar.Item(i), &Pondleap1::NewRacecarSpeed);
    WrapLeftward(imgyellowcar.Item(i), &Pondleap1::NewYellowcarSpeed);
    WrapRightward(imgtractor.Item(i), &Pondleap1::NewTractorSpeed);
}

void Pondleap1::MoveVehicles(int i)
{
    imgTruck.Item(i).Left = imgTruck.Item(i).Left - TruckSpeed;
    imgracecar.Item(i).Left = imgracecar.Item(i).Left + RacecarSpeed;
    imgyellowcar.Item(i).Left = imgyellowcar.Item(i).Left - YellowcarSpeed;
    imgtractor.Item(i).Left = imgtractor.Item(i).Left + TractorSpeed;
    carpink.Item(i).Left = carpink.Item(i).Left - PinkSpeed;
}

// The board's outer width is read at every wrap, so resizing the window moves the point where
// left-driving vehicles come back in and where right-driving ones leave.
void Pondleap1::WrapLeftward(Image& vehicle, void (Pondleap1::*NewSpeed)())
{
    if (vehicle.Left <= wrap_left) {
        (this->*NewSpeed)();
        vehicle.Left = Me().Width;
    }
}

void Pondleap1::WrapRightward(Image& vehicle, void (Pondleap1::*NewSpeed)())
{
    if (vehicle.Left >= Me().Width) {
        (this->*NewSpeed)();
        vehicle.Left = 0;
    }
}

// The countdown is re-read from its caption at every step, so its decimal steps stay exact.
void Pondleap1::CountDown() { lbltime.Caption = caption_text(caption_number(lbltime.Caption.view()) - 0.004); }

void Pondleap1::KeepFrogOnBoard()
{
    if (frog.Top <= 0)
        frog.Top = 0;
    if (frog.Left <= 0)
        frog.Left = 0;
    if (frog.Left >= frog_rightmost)
        frog.Left = frog_rightmost;
    if (frog.Top > frog_lowest)
        frog.Top = frog_lowest;
}

void Pondleap1::CheckTractorHit() { CheckHits(imgtractor); }

void Pondleap1::CheckYellowcarHit() { CheckHits(imgyellowcar); }

void Pondleap1::CheckRacecarHit() { CheckHits(imgracecar); }

void Pondleap1::CheckTruckHit() { CheckHits(imgTruck); }

void Pondleap1::CheckPinkHit() { CheckHits(carpink); }

// Every vehicle under the frog costs a life of its own.
void Pondleap1::CheckHits(SpriteArray<Image, 3>& vehicles)
{
    for (int i = 0; i < vehicles.Count; ++i)
        if (overlap(frog, vehicles.Item(i)))
            LoseLife();
}

void Pondleap1::LoseLife()
{
    lbllives.Caption = caption_text(caption_number(lbllives.Caption.view()) - 1);
    Timer1.Enabled = false;
    cmdReset.Visible = true;
    lblsplatt.Visible = true;
    cue(Cue::Splat);
    hold(Loop::Traffic, false);
}

// The lives test also sees the lives taken by this tick's hits, and it accepts any number of 0
// or less, since a tick can take more lives than were left.
void Pondleap1::CheckTimeAndLives()
{
    if (caption_number(lbltime.Caption.view()) <= 0) {
        cmdReset.Visible = true;
        lblsplatt.Visible = true;
        Timer1.Enabled = false;
        lbllives.Caption = caption_text(caption_number(lbllives.Caption.view()) - 1);
        cue(Cue::TimeUp);
        hold(Loop::Traffic, false);
    }
    if (caption_number(lbllives.Caption.view()) <= 0) {
        form("Pondleap4").Show();
        Me().Visible = false;
        cmdReset.Visible = false;
        lblsplatt.Visible = false;
    }
}

// A won board keeps its timer: it ticks on unseen and, with the frog still on the trophy, shows
// the win window again on every tick, until its countdown runs out.
void Pondleap1::CheckTrophy()
{
    if (overlap(frog, imgTrophy)) {
        cue(Cue::Trophy);
        form("Pondleap5").Show();
        Me().Visible = false;
    }
}

} // namespace tolvane
