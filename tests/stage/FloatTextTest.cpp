#include "stage/FloatText.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

// The portable conversions must print and read exactly what the standard library does; here,
// where both exist, every case is put to both.
namespace tolvane::float_chars {
namespace {

std::string standard_shortest(double value)
{
    std::array<char, 32> text {};
    return { text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr };
}

std::string standard_fixed(float value)
{
    std::array<char, 64> text {};
    return { text.data(), std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ptr };
}

std::string standard_scientific(double value, int precision)
{
    std::array<char, 512> text {};
    return { text.data(),
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific, precision).ptr };
}

// Powers of two and of ten with their neighbours, the ends of the range, subnormals: where the
// gaps between neighbouring values change, and shortest printing is hardest.
template <typename Float> std::vector<Float> edges()
{
    std::vector<Float> values { 0, std::numeric_limits<Float>::min(), std::numeric_limits<Float>::max(),
        std::numeric_limits<Float>::denorm_min(), std::numeric_limits<Float>::epsilon(), Float(0.1), Float(0.3),
        Float(1) / 3, Float(100), Float(1e7), Float(1e-7) };
    int const lowest = std::numeric_limits<Float>::min_exponent - std::numeric_limits<Float>::digits;
    for (int exponent = lowest; exponent < std::numeric_limits<Float>::max_exponent; ++exponent)
        values.push_back(std::ldexp(Float(1), exponent));
    for (int exponent = std::numeric_limits<Float>::min_exponent10 - 8;
         exponent <= std::numeric_limits<Float>::max_exponent10; ++exponent)
        values.push_back(static_cast<Float>(std::pow(10.0L, exponent)));
    std::size_t const count = values.size();
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(std::nextafter(values[i], Float(0)));
        values.push_back(std::nextafter(values[i], std::numeric_limits<Float>::infinity()));
    }
    std::vector<Float> signed_values;
    for (Float const value : values) {
        signed_values.push_back(value);
        signed_values.push_back(-value);
    }
    return signed_values;
}

TEST(FloatText, ShortestFixedFloatsAsTheStandardLibrary)
{
    std::vector<float> values = edges<float>();
    for (std::uint64_t bits = 0; bits < (std::uint64_t { 1 } << 32); bits += 16411) {
        float const value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (float const value : values)
        ASSERT_EQ(portable::shortest_fixed(value), standard_fixed(value)) << std::hexfloat << value;
    EXPECT_EQ(portable::shortest_fixed(1e10f), "10000000000");
    EXPECT_EQ(portable::shortest_fixed(-0.1f), "-0.1");
}

TEST(FloatText, ShortestDoublesAsTheStandardLibrary)
{
    std::vector<double> values = edges<double>();
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 30'000; ++i) {
        double const value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            values.push_back(value);
    }
    // Mouse positions in twips, as the journal writes them: the pixel's centre at various scales.
    for (double const scale : { 1.0, 1.25, 1.5, 2.0, 3.0 })
        for (int pixel = -50; pixel < 4000; ++pixel)
            values.push_back((pixel + 0.5) * 15 / scale);
    for (double const value : values)
        ASSERT_EQ(portable::shortest(value), standard_shortest(value)) << std::hexfloat << value;
}

TEST(FloatText, ScientificAsTheStandardLibrary)
{
    std::vector<double> values = edges<double>();
    std::mt19937_64 random(7);
    for (int i = 0; i < 100'000; ++i) {
        double const value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (double const value : values)
        for (int const precision : { 0, 6, 14 })
            ASSERT_EQ(portable::scientific(value, precision), standard_scientific(value, precision))
                << std::hexfloat << value;
}

TEST(FloatText, NotFiniteAsTheStandardLibrary)
{
    double const infinity = std::numeric_limits<double>::infinity();
    double const nan = std::numeric_limits<double>::quiet_NaN();
    for (double const value : { infinity, -infinity, nan, -nan, 0.0, -0.0 }) {
        EXPECT_EQ(portable::shortest(value), standard_shortest(value));
        EXPECT_EQ(portable::shortest_fixed(static_cast<float>(value)), standard_fixed(static_cast<float>(value)));
        EXPECT_EQ(portable::scientific(value, 14), standard_scientific(value, 14));
    }
}

// How much of the text each reads, what it makes of it, and what it refuses.
TEST(FloatText, ParsesAsTheStandardLibrary)
{
    std::vector<std::string> texts { "0", "-0", "12", "12.5", "-12.5e3", "1e", "1e+", "1e-5x", "1.e5", ".5", ".", "-",
        "-.5e-3x", "", "e5", "1e-310", "1e-400", "-1e-400", "1e400", "0e999999", "2.4703282292062328e-324",
        "2.4703282292062327e-324", "4.9406564584124654e-324", "1.7976931348623157e308", "1.7976931348623159e308",
        "infinity", "-INFx", "inFINITy", "infin", "nan", "NaN(abc)", "nan(a-b)", "nan(", "nan()", "-nan(x_1)", "+1",
        " 1", "\t1", "0x1p3", "00012", "1,5", "123456789012345678901234567890", "0.000000000000000000000000000001",
        "3.14159265358979323846264338327950288" };
    std::mt19937_64 random(42);
    for (int i = 0; i < 20'000; ++i) {
        double const value = std::bit_cast<double>(random());
        texts.push_back(standard_shortest(value));
        texts.push_back(standard_scientific(value, 20));
    }
    for (std::string const& text : texts) {
        double standard = 42;
        double ours = 42;
        auto const expected = std::from_chars(text.data(), text.data() + text.size(), standard);
        auto const got = portable::parse(text.data(), text.data() + text.size(), ours);
        ASSERT_EQ(got.ptr - text.data(), expected.ptr - text.data()) << '"' << text << '"';
        ASSERT_EQ(got.ec, expected.ec) << '"' << text << '"';
        ASSERT_EQ(std::isnan(ours), std::isnan(standard)) << '"' << text << '"';
        if (!std::isnan(standard))
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ours), std::bit_cast<std::uint64_t>(standard)) << '"' << text << '"';
        else
            ASSERT_EQ(std::signbit(ours), std::signbit(standard)) << '"' << text << '"';
    }
}

} // namespace
} // namespace tolvane::float_chars
