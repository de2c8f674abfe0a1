#include "stage/Numbers.h"

#include "stage/FloatText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tolvane {

namespace {

template <typename Int> Int round_half_even(double value)
{
    constexpr double lowest = std::numeric_limits<Int>::min();
    constexpr double highest = std::numeric_limits<Int>::max();
    if (std::isnan(value))
        return 0;
    double const rounded = std::nearbyint(value); // the default rounding mode is to nearest, ties to even
    if (rounded <= lowest)
        return std::numeric_limits<Int>::min();
    if (rounded >= highest)
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

} // namespace

std::int16_t to_int16(double value) { return round_half_even<std::int16_t>(value); }

std::int32_t to_int32(double value) { return round_half_even<std::int32_t>(value); }

double caption_number(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    auto const [end, error] = float_chars::parse(text.data(), text.data() + text.size(), value);
    if (error != std::errc {} || !std::isfinite(value))
        return 0;
    return value;
}

std::string caption_text(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";

    // Scientific form with 15 significant digits: "d.dddddddddddddde+XX".
    std::string const scientific = float_chars::scientific(std::fabs(value), 14);
    std::string digits;
    char const* p = scientific.data();
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    int exponent = 0;
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, scientific.data() + scientific.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    int const point = exponent + 1; // digits before the decimal point
    if (point <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-point), '0');
        text += digits;
    } else if (static_cast<std::size_t>(point) >= digits.size()) {
        text += digits;
        text.append(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        text += digits.substr(0, static_cast<std::size_t>(point));
        text += '.';
        text += digits.substr(static_cast<std::size_t>(point));
    }
    return text;
}

std::string float_text(float value)
{
    if (value == 0)
        return "0";
    // A NaN is spelled the same whatever its sign bit, which to_chars would show.
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    return float_chars::shortest_fixed(value);
}

float to_single(double value)
{
    // Doubles from float_max up to half a float step above it still round down to float_max; from
    // there on they round to infinity, as the hardware rounds them.
    constexpr double rounds_to_infinity = 0x1.ffffffp127;
    constexpr float infinity = std::numeric_limits<float>::infinity();
    if (std::abs(value) >= rounds_to_infinity)
        return value > 0 ? infinity : -infinity;
    return static_cast<float>(value);
}

} // namespace tolvane
