#include "stage/Random.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(Random, EveryRunDealsTheSameSequenceInUnitRange)
{
    RandomSource first;
    RandomSource second;
    for (int i = 0; i < 10000; ++i) {
        float const value = first.next();
        EXPECT_EQ(value, second.next());
        EXPECT_GE(value, 0.0f);
        EXPECT_LT(value, 1.0f);
    }
}

TEST(Random, QueuedValuesComeFirstWithoutAdvancingTheSequence)
{
    RandomSource plain;
    RandomSource queued;
    queued.queue({ 0.5f, 0.25f });
    EXPECT_EQ(queued.next(), 0.5f);
    EXPECT_EQ(queued.next(), 0.25f);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(queued.next(), plain.next());
}

} // namespace
} // namespace tolvane
