#include "stage/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tolvane {
namespace {

TEST(Numbers, ConversionsRoundHalfToEven)
{
    struct Case {
        double value;
        int int16;
    };
    for (auto const [value, expected] : { Case { 15.5, 16 }, Case { 16.5, 16 }, Case { 44.5, 44 }, Case { 45.5, 46 },
             Case { 22.5, 22 }, Case { 37.5, 38 }, Case { -0.5, 0 }, Case { -1.5, -2 }, Case { 15.49, 15 } })
        EXPECT_EQ(to_int16(value), expected) << value;
    EXPECT_EQ(to_int32(100.5), 100);
    EXPECT_EQ(to_int32(101.5), 102);
}

TEST(Numbers, ConversionsSaturateInsteadOfOverflowing)
{
    EXPECT_EQ(to_int16(1e9), 32767);
    EXPECT_EQ(to_int16(-1e9), -32768);
    EXPECT_EQ(to_int32(1e30), 2147483647);
    EXPECT_EQ(to_int32(-1e30), -2147483647 - 1);
    EXPECT_EQ(to_int32(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Numbers, CaptionArithmeticStaysExact)
{
    struct Case {
        char const* caption;
        double change;
        char const* expected;
    };
    for (auto const [caption, change, expected] : { Case { "4", -1, "3" }, Case { "0.5", 0.5, "1" },
             Case { "0.008", -0.004, "0.004" }, Case { "0.004", -0.004, "0" }, Case { "0", -0.004, "-0.004" },
             Case { "99", -0.04, "98.96" }, Case { "98.96", -0.04, "98.92" }, Case { "0", -1, "-1" },
             Case { "98.96", 10, "108.96" }, Case { "10", -0.004, "9.996" }, Case { "1612", 0.5, "1612.5" } })
        EXPECT_EQ(caption_text(caption_number(caption) + change), expected) << caption << " " << change;
}

// Every step re-reads the text, so a countdown never collects a tail of binary digits: from "10"
// by 0.004 it passes 0.004, 0 and -0.004 exactly.
TEST(Numbers, CountdownPassesZeroExactly)
{
    std::string caption = "10";
    for (int step = 1; step <= 2501; ++step) {
        caption = caption_text(caption_number(caption) - 0.004);
        if (step == 2499) {
            EXPECT_EQ(caption, "0.004");
        }
        if (step == 2500) {
            EXPECT_EQ(caption, "0");
        }
    }
    EXPECT_EQ(caption, "-0.004");
}

TEST(Numbers, CaptionTextHasFifteenSignificantDigits)
{
    EXPECT_EQ(caption_text(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(caption_text(-2.0 / 3), "-0.666666666666667");
    EXPECT_EQ(caption_text(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(caption_text(0.0001), "0.0001");
    EXPECT_EQ(caption_text(-0.0), "0");
}

TEST(Numbers, CaptionsThatAreNotNumbersReadAsZero)
{
    EXPECT_EQ(caption_number(""), 0);
    EXPECT_EQ(caption_number("Splat"), 0);
    EXPECT_EQ(caption_number("  12.5"), 12.5);
    EXPECT_EQ(caption_number("-3"), -3);
}

TEST(Numbers, FloatsPrintInTheirShortestFixedForm)
{
    EXPECT_EQ(float_text(4680), "4680");
    EXPECT_EQ(float_text(-160), "-160");
    EXPECT_EQ(float_text(8.25f), "8.25");
    EXPECT_EQ(float_text(548.25f), "548.25");
    EXPECT_EQ(float_text(-0.0f), "0");
    EXPECT_EQ(float_text(1e9f), "1000000000");
    float const infinity = std::numeric_limits<float>::infinity();
    float const nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(float_text(infinity), "inf");
    EXPECT_EQ(float_text(-infinity), "-inf");
    EXPECT_EQ(float_text(nan), "nan");
    EXPECT_EQ(float_text(-nan), "nan");
}

TEST(Numbers, DoublesBeyondTheFloatRangeBecomeInfinities)
{
    float const most = std::numeric_limits<float>::max();
    float const infinity = std::numeric_limits<float>::infinity();
    struct Case {
        double value;
        float single;
    };
    for (auto const [value, expected] : { Case { 7455.5, 7455.5f }, Case { 0.1, 0.1f }, Case { most, most },
             Case { 0x1.fffffefp127, most }, Case { 0x1.ffffffp127, infinity }, Case { 1e300, infinity },
             Case { -1e300, -infinity }, Case { -0x1.fffffefp127, -most } })
        EXPECT_EQ(to_single(value), expected) << value;
    EXPECT_TRUE(std::isnan(to_single(std::numeric_limits<double>::quiet_NaN())));
}

} // namespace
} // namespace tolvane
