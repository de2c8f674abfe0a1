#include "play/PausableClock.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(PausableClock, StandsStillWhilePausedAndGoesOnFromWhereItStood)
{
    VirtualClock source;
    source.set(1'000);
    PausableClock clock(source);
    EXPECT_EQ(clock.now_us(), 1'000);
    clock.pause();
    source.set(5'001'000);
    EXPECT_EQ(clock.now_us(), 1'000) << "no time passes during a pause";
    clock.pause();
    EXPECT_TRUE(clock.paused());
    clock.resume();
    EXPECT_FALSE(clock.paused());
    EXPECT_EQ(clock.now_us(), 1'000) << "resumed where it stood, with nothing owed";
    source.set(5'016'625);
    EXPECT_EQ(clock.now_us(), 16'625);
    clock.resume();
    clock.pause();
    source.set(6'000'000);
    clock.resume();
    EXPECT_EQ(clock.now_us(), 16'625) << "a second pause adds to the first";
}

} // namespace
} // namespace tolvane
