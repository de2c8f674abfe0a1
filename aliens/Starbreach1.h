#pragma once

#include "stage/Window.h"

#include <cstdint>

namespace tolvane {

// The alien-shooting game in one window. The player steers the cannon with the arrow keys and
// fires with the space bar; every tick moves the formation, the boss, the bombs and the missile
// and then runs the four hit checks. All state lives in the sprites and in the two steps.
class Starbreach1 final : public Window {
public:
    explicit Starbreach1(Stage&);

    Image Imgshoot; // the cannon; only its Left changes
    Image imgboss; // drops the bombs it passes over; shot down only once every alien is gone
    SpriteArray<Image, 15> imgAlien; // stored from index 14 down to 0, so a higher index is on top
    Image ImgMissle; // the one missile; Visible means it is in flight
    SpriteArray<Image, 4> imgbomb; // stored as 0, 2, 1, 3; Visible means it is falling
    Label lblmessage;
    Label lbllives; // the lives left, held only as caption text
    Shape shpfield; // the playing field; its edges turn the formation and the boss

    Timer Timer1 { *this, { .interval = 1, .enabled = true } };

    std::int16_t AlienStep = 0; // twips per tick for every alien, negative to the left
    std::int16_t BossStep = 0;

    void Form_Load() override;
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override;
    void Timer1_Timer() override;

private:
    void MoveFormation();
    void DropBombs();
    void ReturnMissileFromTop();
    void MoveMissile();
    void MoveBoss();
    void CheckLost();
    void KeepCannonInField();
    void CheckWon();
    void KeepWinOverLoss();
    void CheckAlienHits();
    void CheckBombDrops();
    void CheckCannonHits();
    void CheckBossHit();

    void Bounce(Sprite& mover, std::int16_t& step);
    void PutMissileUnderCannon();
    bool AnyAlienShown();
};

} // namespace tolvane
