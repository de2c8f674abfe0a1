#pragma once

#include "stage/Window.h"

#include <array>
#include <cstdint>

namespace tolvane {

// The road-crossing board: a frog in the purple band at the bottom, five lanes of traffic on the
// black road, a trophy in the notch of the top band, and the lives and the countdown beneath.
// All the game knows lives in the sprites and in the five lane speeds.
class Pondleap1 final : public Window {
public:
    explicit Pondleap1(Stage&);

    // Members in the order in which the design first stores them; the elements of the vehicle
    // arrays are stored apart from one another, as the list in the constructor shows.
    CommandButton cmdReset; // hidden until a life is lost
    Timer Timer1 { *this, { .interval = 1, .enabled = true } };
    Image imgTrophy;
    SpriteArray<Image, 3> imgtractor; // lane 5, drives right
    SpriteArray<Image, 3> imgracecar; // lane 3, drives right
    SpriteArray<Image, 3> imgTruck; // lane 1, drives left
    SpriteArray<Image, 3> imgyellowcar; // lane 4, drives left
    SpriteArray<Image, 3> carpink; // lane 2, drives left
    Label lbltime; // the countdown, a number as text
    Label lblTime434;
    Label lblsplatt; // shown with cmdReset after a lost life
    Label Label1;
    Label lbllives; // the lives, a number as text
    Image frog;

    // Twips per tick of each lane's three vehicles; zero until `Form_Load` draws them.
    std::int16_t TruckSpeed = 0;
    std::int16_t PinkSpeed = 0;
    std::int16_t RacecarSpeed = 0;
    std::int16_t YellowcarSpeed = 0;
    std::int16_t TractorSpeed = 0;

    void Form_Load() override;
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override;
    void Timer1_Timer() override;

private:
    void cmdReset_Click();

    void NewTruckSpeed();
    void NewPinkSpeed();
    void NewRacecarSpeed();
    void NewYellowcarSpeed();
    void NewTractorSpeed();

    void TrafficStep(int i);
    void WrapVehicles(int i);
    void MoveVehicles(int i);
    void WrapLeftward(Image& vehicle, void (Pondleap1::*NewSpeed)());
    void WrapRightward(Image& vehicle, void (Pondleap1::*NewSpeed)());
    void CountDown();
    void KeepFrogOnBoard();

    void CheckTractorHit();
    void CheckYellowcarHit();
    void CheckRacecarHit();
    void CheckTruckHit();
    void CheckPinkHit();
    void CheckHits(SpriteArray<Image, 3>& vehicles);
    void LoseLife();
    void CheckTimeAndLives();
    void CheckTrophy();

    void PlaceLane(SpriteArray<Image, 3>& vehicles, std::array<float, 3> const& lefts, float top);
};

} // namespace tolvane
