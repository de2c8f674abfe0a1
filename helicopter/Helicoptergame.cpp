#include "helicopter/Helicoptergame.h"

#include "stage/Numbers.h"
#include "stage/Rect.h"

namespace tolvane {

namespace {

constexpr Colour black = colours::Black;
constexpr Colour green = colours::Green;

constexpr Font large = { 18, 400 };

constexpr double climb_step = 35;
constexpr double fall_step = 45;
constexpr double ceiling_limit = 120; // this height itself ends the flight
constexpr double floor_limit = 5760; // this height itself is still flown

constexpr double reentry_limit = -2000;
constexpr double speed_range = 30;

constexpr double burn = 0.04;
constexpr double full_gauge = 99;
constexpr double pickup = 10;
constexpr double distance_step = 0.5;
constexpr double low_fuel = 20; // about 31 seconds of flight from a full tank

} // namespace

Helicoptergame::Helicoptergame(Stage& stage)
    : Window(stage,
        {
            .name = "Helicoptergame",
            .caption = "Skyhaul",
            .client_width = 10065,
            .client_height = 7605,
            .frame_left = 60,
            .BackColor = black,
        })
    , Label1({ .name = "Label1",
          .bounds = { 960, 6480, 1455, 615 },
          .caption = "Save Your Fuel",
          .BackColor = black,
          .ForeColor = green })
    , Heli({ .name = "Heli", .bounds = { 0, 0, 10095, 6375 }, .BorderColor = green, .border_width = 5, .FillStyle = 1 })
    , lblstart({ .name = "lblstart",
          .bounds = { 3720, 2640, 2415, 495 },
          .caption = "Click to start",
          .font = large,
          .BackColor = black,
          .ForeColor = green })
    , Label4({ .name = "Label4",
          .bounds = { 5400, 6600, 1455, 615 },
          .caption = "Distance",
          .font = large,
          .BackColor = black,
          .ForeColor = green })
    , Label3({ .name = "Label3",
          .bounds = { 2640, 6600, 735, 375 },
          .caption = "Fuel",
          .font = large,
          .BackColor = black,
          .ForeColor = green })
    , gas3({ .name = "gas3", .bounds = { 8160, 240, 435, 555 }, .picture = "Helicoptergame/Gas" })
    , gas2({ .name = "gas2", .bounds = { 8160, 3480, 435, 555 }, .picture = "Helicoptergame/Gas" })
    , Gas1({ .name = "Gas1", .bounds = { 8160, 1680, 435, 555 }, .picture = "Helicoptergame/Gas" })
    , lblscore({ .name = "lblscore",
          .bounds = { 6960, 6600, 2055, 735 },
          .caption = "0",
          .font = large,
          .BackColor = black,
          .ForeColor = green })
    , lblfuel({ .name = "lblfuel",
          .bounds = { 3600, 6600, 855, 375 },
          .caption = "99",
          .font = large,
          .BackColor = black,
          .ForeColor = green })
    , shpgreenobstacle(
          { .name = "shpgreenobstacle", .bounds = { 7680, 4440, 1455, 495 }, .FillColor = 0x0080FF80, .FillStyle = 0 })
    , ShpObstacleorange(
          { .name = "ShpObstacleorange", .bounds = { 7680, 840, 1455, 495 }, .FillColor = 0x0080C0FF, .FillStyle = 0 })
    // The dark red background never shows: the solid fill covers the inside and the background
    // itself is transparent.
    , shpobstaclered({ .name = "shpobstaclered",
          .bounds = { 7680, 2520, 1455, 495 },
          .BackColor = 0x000000C0,
          .opaque = false,
          .FillColor = 0x008080FF,
          .FillStyle = 0 })
    , Imghelicopter({ .name = "Imghelicopter",
          .bounds = { 720, 2160, 1215, 555 },
          .picture = "Helicoptergame/Imghelicopter",
          .enabled = false })
{
    store({ &Label1, &Heli, &lblstart, &Label4, &Label3, &gas3, &gas2, &Gas1, &lblscore, &lblfuel, &shpgreenobstacle,
        &ShpObstacleorange, &shpobstaclered, &Imghelicopter });
    declare({
        { "RedSpeed", &RedSpeed },
        { "OrangeSpeed", &OrangeSpeed },
        { "GreenSpeed", &GreenSpeed },
        { "Gas1Speed", &Gas1Speed },
        { "Gas2Speed", &Gas2Speed },
        { "Gas3Speed", &Gas3Speed },
    });
    on_click(lblstart, &Helicoptergame::lblstart_Click);
}

// The window opens waiting, in its stored layout; only the speeds are drawn here.
void Helicoptergame::Form_Load()
{
    NewRedSpeed();
    NewOrangeSpeed();
    NewGreenSpeed();
    NewGas1Speed();
    NewGas2Speed();
    NewGas3Speed();
    Timer1.Enabled = false;
}

// Nothing is reset here: Form_Load or the last EndFlight has already left the stored layout.
void Helicoptergame::lblstart_Click()
{
    lblstart.Visible = false;
    Timer1.Enabled = true;
    hold(Loop::Rotor, true);
}

// Any button, anywhere the press reaches the window, in flight or while waiting; the flag only
// matters when a tick reads it.
void Helicoptergame::Form_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/)
{
    Imghelicopter.Enabled = true;
    hold(Loop::Climb, true);
}

// Releasing any button clears the flag, even while another one is still held.
void Helicoptergame::Form_MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/)
{
    Imghelicopter.Enabled = false;
    hold(Loop::Climb, false);
}

// Every step runs in every tick, also after one of them has ended the flight: the reset field
// passes every later test, so a tick ends at most one flight.
void Helicoptergame::Timer1_Timer()
{
    Climb();
    Fall();
    MoveRed();
    MoveOrange();
    MoveGreen();
    MoveGas1();
    MoveGas2();
    MoveGas3();
    BurnFuel();
    WarnLowFuel();
    CapFuel();
    CountDistance();
    CheckCeiling();
    CheckFloor();
    CheckEmptyTank();
    CheckOrangeHit();
    CheckRedHit();
    CheckGreenHit();
    CheckGas1Pickup();
    CheckGas2Pickup();
    CheckGas3Pickup();
}

// Puts the field back as it was stored. The speeds, the climb flag and the other sprites' Top
// carry over into the next flight.
void Helicoptergame::EndFlight()
{
    lblstart.Visible = true;
    Timer1.Enabled = false;
    ShpObstacleorange.Left = 7680;
    shpobstaclered.Left = 7680;
    shpgreenobstacle.Left = 7680;
    Gas1.Left = 8160;
    gas2.Left = 8160;
    gas3.Left = 8160;
    Gas1.Visible = true;
    gas2.Visible = true;
    gas3.Visible = true;
    Imghelicopter.Top = 2160;
    lblfuel.Caption = "99";
    lblscore.Caption = "0";
    cue(Cue::FlightOver);
    hold(Loop::Rotor, false);
}

void Helicoptergame::Climb()
{
    if (Imghelicopter.Enabled)
        Imghelicopter.Top = Imghelicopter.Top - climb_step;
}

// The flag is read afresh, but nothing since Climb can have changed it, so exactly one of the
// two steps acts.
void Helicoptergame::Fall()
{
    if (!Imghelicopter.Enabled)
        Imghelicopter.Top = Imghelicopter.Top + fall_step;
}

void Helicoptergame::MoveRed() { MoveWithReentry(shpobstaclered, RedSpeed, &Helicoptergame::NewRedSpeed); }

void Helicoptergame::MoveOrange() { MoveWithReentry(ShpObstacleorange, OrangeSpeed, &Helicoptergame::NewOrangeSpeed); }

void Helicoptergame::MoveGreen() { MoveWithReentry(shpgreenobstacle, GreenSpeed, &Helicoptergame::NewGreenSpeed); }

void Helicoptergame::MoveGas1() { MoveWithReentry(Gas1, Gas1Speed, &Helicoptergame::NewGas1Speed); }

void Helicoptergame::MoveGas2() { MoveWithReentry(gas2, Gas2Speed, &Helicoptergame::NewGas2Speed); }

void Helicoptergame::MoveGas3() { MoveWithReentry(gas3, Gas3Speed, &Helicoptergame::NewGas3Speed); }

// The re-entry test comes before the move, so a sprite that has just passed the limit re-enters
// one tick later, at whatever outer width the window has then, and moves at its new speed at
// once. Visibility plays no part: a taken pump scrolls on unseen.
void Helicoptergame::MoveWithReentry(Sprite& sprite, std::int16_t const& speed, void (Helicoptergame::*new_speed)())
{
    if (sprite.Left <= reentry_limit) {
        (this->*new_speed)();
        sprite.Left = Me().Width;
    }
    sprite.Left = sprite.Left - speed;
}

void Helicoptergame::NewRedSpeed() { RedSpeed = DrawSpeed(45); }

void Helicoptergame::NewOrangeSpeed() { OrangeSpeed = DrawSpeed(65); }

void Helicoptergame::NewGreenSpeed() { GreenSpeed = DrawSpeed(55); }

void Helicoptergame::NewGas1Speed() { Gas1Speed = DrawSpeed(60); }

void Helicoptergame::NewGas2Speed() { Gas2Speed = DrawSpeed(30); }

void Helicoptergame::NewGas3Speed() { Gas3Speed = DrawSpeed(40); }

// The top speed, base + 30, comes only when the draw times 30 rounds up to it.
std::int16_t Helicoptergame::DrawSpeed(int base) const { return to_int16(double { Rnd() } * speed_range + base); }

// Every step goes through the caption text, so the gauge stays a whole multiple of 0.04.
void Helicoptergame::BurnFuel() { lblfuel.Caption = caption_text(Fuel() - burn); }

// A pick-up later in the tick can still push the gauge above 99 until the next tick's cap.
// The warning sounds once as the gauge falls below its mark, and again only after a pick-up or a
// new flight has lifted the gauge back above it.
void Helicoptergame::WarnLowFuel()
{
    bool const low = Fuel() < low_fuel;
    if (low && !m_fuel_warned)
        cue(Cue::LowFuel);
    m_fuel_warned = low;
}

void Helicoptergame::CapFuel()
{
    if (Fuel() >= full_gauge)
        lblfuel.Caption = "99";
}

void Helicoptergame::CountDistance()
{
    lblscore.Caption = caption_text(caption_number(lblscore.Caption.view()) + distance_step);
}

void Helicoptergame::CheckCeiling()
{
    if (Imghelicopter.Top <= ceiling_limit)
        EndFlight();
}

void Helicoptergame::CheckFloor()
{
    if (Imghelicopter.Top > floor_limit)
        EndFlight();
}

void Helicoptergame::CheckEmptyTank()
{
    if (Fuel() <= 0)
        EndFlight();
}

void Helicoptergame::CheckOrangeHit() { CheckHit(ShpObstacleorange); }

void Helicoptergame::CheckRedHit() { CheckHit(shpobstaclered); }

void Helicoptergame::CheckGreenHit() { CheckHit(shpgreenobstacle); }

// A shown "Click to start" means the flight has already ended in this tick, and the field
// that EndFlight put back must not end it a second time.
void Helicoptergame::CheckHit(Shape& bar)
{
    bool const touched = overlap(Imghelicopter, bar);
    bool const flying = !lblstart.Visible;
    if (touched && flying)
        EndFlight();
}

void Helicoptergame::CheckGas1Pickup() { CheckPickup(Gas1); }

void Helicoptergame::CheckGas2Pickup() { CheckPickup(gas2); }

void Helicoptergame::CheckGas3Pickup() { CheckPickup(gas3); }

// No look at lblstart is needed here: after an EndFlight in this tick the gauge reads 99, which
// is too full for a pick-up. A hidden pump has been taken in this flight already.
void Helicoptergame::CheckPickup(Image& pump)
{
    bool const touched = overlap(Imghelicopter, pump);
    bool const room = Fuel() < full_gauge;
    bool const shown = pump.Visible;
    if (touched && room && shown) {
        lblfuel.Caption = caption_text(Fuel() + pickup);
        pump.Visible = false;
        cue(Cue::Pickup);
    }
}

double Helicoptergame::Fuel() const { return caption_number(lblfuel.Caption.view()); }

} // namespace tolvane
