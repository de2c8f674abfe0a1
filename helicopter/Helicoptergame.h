#pragma once

#include "stage/Window.h"

#include <cstdint>

namespace tolvane {

// Skyhaul: the helicopter climbs while a mouse button is held and falls while none is, through
// three scrolling obstacle bars, burning fuel that three scrolling pumps can refill. Every flight
// ends by putting the field back as it was stored, so the game is an endless series of flights.
// All its state lives in the sprites below and in the six speeds.
class Helicoptergame final : public Window {
public:
    explicit Helicoptergame(Stage&);

    Label Label1; // the hint below the field
    Shape Heli; // the green frame of the flying field
    Label lblstart; // shown exactly while no flight runs
    Label Label4;
    Label Label3;
    Image gas3; // fuel pump, upper lane; hidden once taken in this flight
    Image gas2; // fuel pump, lower lane
    Image Gas1; // fuel pump, middle lane
    Label lblscore; // the distance flown in this flight
    Label lblfuel; // the fuel left
    Shape shpgreenobstacle; // lower lane
    Shape ShpObstacleorange; // upper lane
    Shape shpobstaclered; // middle lane
    Image Imghelicopter; // its Enabled is the climb flag, so it never takes the mouse while falling

    Timer Timer1 { *this, { .interval = 2, .enabled = true } }; // runs exactly while a flight runs

    // Twips per tick that each scrolling sprite moves to the left.
    std::int16_t RedSpeed = 0;
    std::int16_t OrangeSpeed = 0;
    std::int16_t GreenSpeed = 0;
    std::int16_t Gas1Speed = 0;
    std::int16_t Gas2Speed = 0;
    std::int16_t Gas3Speed = 0;

private:
    void Form_Load() override;
    void lblstart_Click();
    void Form_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void Form_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void Timer1_Timer() override;

    void EndFlight();

    void Climb();
    void Fall();

    void MoveRed();
    void MoveOrange();
    void MoveGreen();
    void MoveGas1();
    void MoveGas2();
    void MoveGas3();
    void MoveWithReentry(Sprite&, std::int16_t const& speed, void (Helicoptergame::*new_speed)());

    void NewRedSpeed();
    void NewOrangeSpeed();
    void NewGreenSpeed();
    void NewGas1Speed();
    void NewGas2Speed();
    void NewGas3Speed();
    std::int16_t DrawSpeed(int base) const;

    void BurnFuel();
    void WarnLowFuel();
    void CapFuel();
    void CountDistance();

    void CheckCeiling();
    void CheckFloor();
    void CheckEmptyTank();

    void CheckOrangeHit();
    void CheckRedHit();
    void CheckGreenHit();
    void CheckHit(Shape& bar);

    void CheckGas1Pickup();
    void CheckGas2Pickup();
    void CheckGas3Pickup();
    void CheckPickup(Image& pump);

    double Fuel() const;

    bool m_fuel_warned = false; // the low-fuel warning has sounded since the gauge last stood above its mark
};

} // namespace tolvane
