#include "aliens/Starbreach1.h"

#include "stage/Numbers.h"
#include "stage/Rect.h"

#include <array>
#include <string>

namespace tolvane {

namespace {

constexpr Colour black = colours::Black;
constexpr Colour green = colours::Green;

constexpr std::int16_t key_space = 32;
constexpr std::int16_t key_left = 37;
constexpr std::int16_t key_right = 39;
constexpr std::array<std::int16_t, 3> cannon_keys { key_left, key_right, key_space };

constexpr double cannon_step = 200;
constexpr double cannon_leftmost = 360;
constexpr double cannon_rightmost = 7000;
constexpr double missile_speed = 90;
constexpr double bomb_speed = 50;
constexpr double bomb_lowest = 7920;
constexpr double bomb_column_top = 840;

// Where each alien stands at load. The bottom row is numbered out of column order: alien 4 stands
// in the leftmost column, so it is the one that turns the formation at the left edge.
struct Place {
    float Left;
    float Top;
};
constexpr std::array<Place, 15> alien_places { {
    { 3240, 3720 },
    { 4200, 3720 },
    { 5160, 3720 },
    { 6120, 3720 },
    { 2280, 3720 },
    { 2280, 2760 },
    { 3240, 2760 },
    { 4200, 2760 },
    { 5160, 2760 },
    { 6120, 2760 },
    { 2280, 1800 },
    { 3240, 1800 },
    { 4200, 1800 },
    { 5160, 1800 },
    { 6120, 1800 },
} };

constexpr std::array<float, 4> bomb_columns { 3360, 5160, 1560, 6840 };

std::string_view alien_picture(int index)
{
    if (index >= 10)
        return "Starbreach1/imgAlien-top";
    if (index >= 5)
        return "Starbreach1/imgAlien-middle";
    return "Starbreach1/imgAlien-bottom";
}

Image alien(int index)
{
    auto const place = alien_places[static_cast<std::size_t>(index)];
    auto const name = "imgAlien(" + std::to_string(index) + ")";
    return Image({ .name = name, .bounds = { place.Left, place.Top, 780, 720 }, .picture = alien_picture(index) });
}

Image bomb(int index)
{
    auto const name = "imgbomb(" + std::to_string(index) + ")";
    return Image({ .name = name,
        .bounds = { bomb_columns[static_cast<std::size_t>(index)], 960, 495, 465 },
        .picture = "Starbreach1/imgbomb",
        .visible = false });
}

} // namespace

Starbreach1::Starbreach1(Stage& stage)
    : Window(stage,
        {
            .name = "Starbreach1",
            .caption = "Starbreach Game",
            .client_width = 11760,
            .client_height = 11145,
            .frame_top = 450,
            .BackColor = black,
            .picture = "Starbreach1/Picture",
            .placed_by_desktop = false,
            .keys = cannon_keys,
        })
    , Imgshoot({ .name = "Imgshoot", .bounds = { 3840, 8280, 1065, 555 }, .picture = "Starbreach1/Imgshoot" })
    , imgboss(
          { .name = "imgboss", .bounds = { 3480, 240, 1455, 795 }, .picture = "Starbreach1/imgboss", .stretch = false })
    , imgAlien { { alien(0), alien(1), alien(2), alien(3), alien(4), alien(5), alien(6), alien(7), alien(8), alien(9),
          alien(10), alien(11), alien(12), alien(13), alien(14) } }
    , ImgMissle({ .name = "ImgMissle",
          .bounds = { 8040, 4800, 75, 660 },
          .picture = "Starbreach1/ImgMissle",
          .visible = false })
    , imgbomb { { bomb(0), bomb(1), bomb(2), bomb(3) } }
    , lblmessage({ .name = "lblmessage",
          .bounds = { 8520, 1440, 1575, 735 },
          .caption = "Lives",
          .font = { 18, 400 },
          .BackColor = black })
    , lbllives({ .name = "lbllives",
          .bounds = { 10200, 1440, 975, 855 },
          .caption = "3",
          .font = { 18, 400 },
          .BackColor = black })
    , shpfield({ .name = "shpfield", .bounds = { 240, 0, 7935, 9255 }, .BackColor = black, .opaque = true })
{
    store({ &Imgshoot, &imgboss, &imgAlien.Item(14), &imgAlien.Item(13), &imgAlien.Item(12), &imgAlien.Item(11),
        &imgAlien.Item(10), &imgAlien.Item(9), &imgAlien.Item(8), &imgAlien.Item(7), &imgAlien.Item(6),
        &imgAlien.Item(5), &imgAlien.Item(4), &imgAlien.Item(3), &imgAlien.Item(2), &imgAlien.Item(1),
        &imgAlien.Item(0), &ImgMissle, &imgbomb.Item(0), &imgbomb.Item(2), &imgbomb.Item(1), &imgbomb.Item(3),
        &lblmessage, &lbllives, &shpfield });
    declare({ { "AlienStep", &AlienStep }, { "BossStep", &BossStep } });
}

void Starbreach1::Form_Load()
{
    AlienStep += 35;
    BossStep += 60;
    lblmessage.ForeColor = green;
    lbllives.ForeColor = green;
}

// No bound here: the tick keeps the cannon in the field, so several presses between two ticks
// all count before it does.
void Starbreach1::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/)
{
    if (KeyCode == key_left)
        Imgshoot.Left = Imgshoot.Left - cannon_step;
    if (KeyCode == key_right)
        Imgshoot.Left = Imgshoot.Left + cannon_step;
    if (KeyCode == key_space && !ImgMissle.Visible)
        cue(Cue::Launch);
    if (KeyCode == key_space)
        ImgMissle.Visible = true;
}

// The order matters: the end checks look at the lives and the boss as the previous tick's hits
// left them, so a game is decided one tick after the hit that decides it.
void Starbreach1::Timer1_Timer()
{
    MoveFormation();
    DropBombs();
    ReturnMissileFromTop();
    MoveMissile();
    MoveBoss();
    CheckLost();
    KeepCannonInField();
    CheckWon();
    KeepWinOverLoss();
    CheckAlienHits();
    CheckBombDrops();
    CheckCannonHits();
    CheckBossHit();
}

// The aliens share one step that flips the moment any of them leaves the field, even halfway
// through the loop, so the later aliens already move back on that tick. The formation drifts
// apart over time by design; shot aliens keep moving and turning it like the others.
void Starbreach1::MoveFormation()
{
    for (int i = 0; i < imgAlien.Count; ++i) {
        auto& one = imgAlien.Item(i);
        one.Left = one.Left + AlienStep;
        Bounce(one, AlienStep);
    }
}

void Starbreach1::DropBombs()
{
    for (int j = 0; j < imgbomb.Count; ++j) {
        auto& one = imgbomb.Item(j);
        if (one.Visible)
            one.Top = one.Top + bomb_speed;
        if (one.Top >= bomb_lowest) {
            one.Top = bomb_column_top;
            one.Visible = false;
        }
    }
}

// A missile that reached the top is launched again from the cannon: it stays visible, so the
// next step sends it up at once.
void Starbreach1::ReturnMissileFromTop()
{
    if (ImgMissle.Top == 0 && ImgMissle.Visible)
        cue(Cue::Launch);
    if (ImgMissle.Top == 0)
        PutMissileUnderCannon();
}

void Starbreach1::MoveMissile()
{
    if (ImgMissle.Visible)
        ImgMissle.Top = ImgMissle.Top - missile_speed;
    else
        PutMissileUnderCannon();
}

void Starbreach1::MoveBoss()
{
    imgboss.Left = imgboss.Left + BossStep;
    Bounce(imgboss, BossStep);
}

void Starbreach1::CheckLost()
{
    if (caption_number(lbllives.Caption.view()) == 0) {
        Me().Visible = false;
        form("Starbreach2").Show();
    }
}

void Starbreach1::KeepCannonInField()
{
    if (Imgshoot.Left <= cannon_leftmost)
        Imgshoot.Left = cannon_leftmost;
    if (Imgshoot.Left >= cannon_rightmost)
        Imgshoot.Left = cannon_rightmost;
}

void Starbreach1::CheckWon()
{
    if (!imgboss.Visible) {
        Me().Visible = false;
        form("Starbreach3").Show();
    }
}

// The first tick reads Starbreach3's Visible and so loads both result windows, hidden; their
// messages grow from then on. When both ends come on one tick, the win is the one that stays up.
void Starbreach1::KeepWinOverLoss()
{
    if (form("Starbreach3").Visible)
        form("Starbreach2").Visible = false;
}

// The missile is not looked at, only its place: once hidden by one hit it still destroys a second
// alien that it overlaps later in the same loop.
void Starbreach1::CheckAlienHits()
{
    for (int i = 0; i < imgAlien.Count; ++i) {
        auto& one = imgAlien.Item(i);
        if (overlap(ImgMissle, one) && one.Visible) {
            one.Visible = false;
            ImgMissle.Visible = false;
            cue(Cue::AlienDown);
        }
    }
}

// A bomb waiting at the top always reaches down into the boss's rows, so it is released as soon
// as the boss passes over its column.
void Starbreach1::CheckBombDrops()
{
    for (int j = 0; j < imgbomb.Count; ++j) {
        if (overlap(imgboss, imgbomb.Item(j)) && imgboss.Visible && !imgbomb.Item(j).Visible)
            cue(Cue::BombReleased);
        if (overlap(imgboss, imgbomb.Item(j)) && imgboss.Visible)
            imgbomb.Item(j).Visible = true;
    }
}

// A bomb that strikes the cannon stays shown and falls again from the top of its column, wherever
// the boss is. The lives go on counting below 0 after the game is lost.
void Starbreach1::CheckCannonHits()
{
    for (int j = 0; j < imgbomb.Count; ++j) {
        if (overlap(Imgshoot, imgbomb.Item(j))) {
            lbllives.Caption = caption_text(caption_number(lbllives.Caption.view()) - 1);
            imgbomb.Item(j).Top = bomb_column_top;
            cue(Cue::CannonStruck);
        }
    }
}

// The missile flies on after downing the boss; the game is won on the next tick.
void Starbreach1::CheckBossHit()
{
    if (AnyAlienShown() && overlap(ImgMissle, imgboss))
        cue(Cue::Shield);
    if (!AnyAlienShown() && overlap(ImgMissle, imgboss) && imgboss.Visible)
        cue(Cue::BossDown);
    if (!AnyAlienShown() && overlap(ImgMissle, imgboss))
        imgboss.Visible = false;
}

// Both comparisons are strict, and the sprite is not moved back: it stays beyond the edge until
// a later move carries it back in.
void Starbreach1::Bounce(Sprite& mover, std::int16_t& step)
{
    float const field_left = shpfield.Left.get();
    float const field_right = shpfield.Left.get() + shpfield.Width.get();
    if (mover.Left.get() + mover.Width.get() > field_right)
        step = static_cast<std::int16_t>(-step);
    else if (mover.Left.get() < field_left)
        step = static_cast<std::int16_t>(-step);
}

// The cannon's height serves as the missile's offset from the cannon's left edge, which puts the
// missile a little right of the turret.
void Starbreach1::PutMissileUnderCannon()
{
    ImgMissle.Top = Imgshoot.Top;
    ImgMissle.Left = Imgshoot.Left + Imgshoot.Height;
}

bool Starbreach1::AnyAlienShown()
{
    for (int i = 0; i < imgAlien.Count; ++i) {
        if (imgAlien.Item(i).Visible)
            return true;
    }
    return false;
}

} // namespace tolvane
