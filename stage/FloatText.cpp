#include "stage/FloatText.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <type_traits>

namespace tolvane::float_chars {

namespace portable {

namespace {

// A positive number as decimal digits: d1.d2d3... times ten to the `exponent`.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// "%.*e" of a positive finite number, as digits and exponent.
Decimal decimal(double value, int digits)
{
    std::array<char, 64> text {};
    std::snprintf(text.data(), text.size(), "%.*e", digits - 1, value);
    Decimal result;
    char const* p = text.data();
    for (; *p != 'e'; ++p)
        if (*p != '.')
            result.digits += *p;
    result.exponent = std::atoi(p + 1);
    return result;
}

// The decimal one unit of its last digit above or below, with as many digits.
Decimal step(Decimal number, int direction)
{
    std::string& digits = number.digits;
    if (direction > 0) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++number.exponent;
        } else {
            ++digits[i - 1];
        }
    } else {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '0')
            digits[--i] = '9';
        --digits[i - 1];
        if (digits.front() == '0') {
            digits.erase(digits.begin());
            digits.push_back('9');
            --number.exponent;
        }
    }
    return number;
}

std::string scientific_text(Decimal const& number)
{
    std::string text(1, number.digits.front());
    if (number.digits.size() > 1) {
        text += '.';
        text.append(number.digits, 1);
    }
    std::array<char, 16> exponent {};
    std::snprintf(
        exponent.data(), exponent.size(), "e%c%02d", number.exponent < 0 ? '-' : '+', std::abs(number.exponent));
    return text + exponent.data();
}

// The fixed form of a positive `value` whose shortest digits are `number`. A whole number is
// written with all its digits, exactly, as the standard library does: 2^55 is 36028797018963968,
// though 3602879701896397 followed by a zero would read back as the same double.
std::string fixed_text(double value, Decimal const& number)
{
    std::string const& digits = number.digits;
    int const count = static_cast<int>(digits.size());
    if (number.exponent >= count - 1) {
        std::array<char, 512> text {};
        std::snprintf(text.data(), text.size(), "%.0f", value);
        return text.data();
    }
    if (number.exponent >= 0)
        return digits.substr(0, static_cast<std::size_t>(number.exponent) + 1) + '.'
            + digits.substr(static_cast<std::size_t>(number.exponent) + 1);
    std::string text = "0.";
    text.append(static_cast<std::size_t>(-number.exponent - 1), '0');
    text += digits;
    return text;
}

template <typename Float> Float read_back(std::string const& text)
{
    if constexpr (std::is_same_v<Float, float>)
        return std::strtof(text.c_str(), nullptr);
    else
        return std::strtod(text.c_str(), nullptr);
}

// The fewest digits that read back as `value` (positive and finite): of the decimals with that
// many digits, the nearest to it. Where the value's neighbours are not equally far, the nearest
// may fall outside what reads back while the next one above it does not.
template <typename Float> Decimal shortest_decimal(Float value)
{
    for (int digits = 1; digits < std::numeric_limits<Float>::max_digits10; ++digits) {
        Decimal const nearest = decimal(value, digits);
        for (int direction : { 0, 1, -1 }) {
            Decimal const candidate = direction == 0 ? nearest : step(nearest, direction);
            if (read_back<Float>(scientific_text(candidate)) == value)
                return candidate;
        }
    }
    return decimal(value, std::numeric_limits<Float>::max_digits10);
}

// `text` after a minus sign when `negative`. Appended, not concatenated: g++ 12 warns of a
// false overlap in `"-" + text` when optimising.
std::string with_sign(bool negative, std::string const& text)
{
    std::string result = negative ? "-" : "";
    result += text;
    return result;
}

// The text of a value that is zero or not finite, as the standard library writes it; or empty.
std::string special(double value)
{
    if (std::isnan(value))
        return with_sign(std::signbit(value), "nan");
    if (std::isinf(value))
        return with_sign(std::signbit(value), "inf");
    if (value == 0)
        return with_sign(std::signbit(value), "0");
    return {};
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Whether the text at `p` starts with `word` in any case; `word` is in lower case.
bool starts_with(char const* p, char const* last, std::string_view word)
{
    if (last - p < static_cast<std::ptrdiff_t>(word.size()))
        return false;
    for (char const c : word)
        if ((*p++ | 0x20) != c)
            return false;
    return true;
}

} // namespace

std::string shortest(double value)
{
    if (std::string text = special(value); !text.empty())
        return text;
    Decimal const number = shortest_decimal(std::fabs(value));
    std::string const fixed = fixed_text(std::fabs(value), number);
    std::string const scientific = scientific_text(number);
    return with_sign(value < 0, fixed.size() <= scientific.size() ? fixed : scientific);
}

std::string shortest_fixed(float value)
{
    if (std::string text = special(value); !text.empty())
        return text;
    return with_sign(value < 0, fixed_text(std::fabs(value), shortest_decimal(std::fabs(value))));
}

std::string scientific(double value, int precision)
{
    if (std::string text = special(value); !text.empty() && value != 0)
        return text;
    std::array<char, 512> text {};
    std::snprintf(text.data(), text.size(), "%.*e", precision, value);
    return text.data();
}

std::from_chars_result parse(char const* first, char const* last, double& value)
{
    char const* p = first;
    bool const negative = p < last && *p == '-';
    if (negative)
        ++p;
    if (starts_with(p, last, "inf")) {
        p += starts_with(p, last, "infinity") ? 8 : 3;
        value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return { p, std::errc {} };
    }
    if (starts_with(p, last, "nan")) {
        p += 3;
        if (p < last && *p == '(') {
            char const* q = p + 1;
            while (q < last && (is_digit(*q) || ((*q | 0x20) >= 'a' && (*q | 0x20) <= 'z') || *q == '_'))
                ++q;
            if (q < last && *q == ')')
                p = q + 1;
        }
        value = negative ? -std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::quiet_NaN();
        return { p, std::errc {} };
    }
    char const* const digits = p;
    while (p < last && is_digit(*p))
        ++p;
    bool any_digit = p != digits;
    if (p < last && *p == '.') {
        char const* const fraction = ++p;
        while (p < last && is_digit(*p))
            ++p;
        any_digit = any_digit || p != fraction;
    }
    if (!any_digit)
        return { first, std::errc::invalid_argument };
    if (p < last && (*p == 'e' || *p == 'E')) {
        char const* q = p + 1;
        if (q < last && (*q == '+' || *q == '-'))
            ++q;
        if (q < last && is_digit(*q)) {
            while (q < last && is_digit(*q))
                ++q;
            p = q;
        }
    }
    std::string const number(first, p);
    errno = 0;
    double const read = std::strtod(number.c_str(), nullptr);
    // Beyond the range, or so small it is lost altogether: the value is left as it was. A number
    // that comes out subnormal is read.
    if (errno == ERANGE && (std::isinf(read) || read == 0))
        return { p, std::errc::result_out_of_range };
    value = read;
    return { p, std::errc {} };
}

} // namespace portable

#if TOLVANE_FLOAT_CHARCONV

std::string shortest(double value)
{
    std::array<char, 32> text {};
    return { text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr };
}

std::string shortest_fixed(float value)
{
    std::array<char, 64> text {};
    return { text.data(), std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ptr };
}

std::string scientific(double value, int precision)
{
    std::array<char, 512> text {};
    return { text.data(),
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific, precision).ptr };
}

std::from_chars_result parse(char const* first, char const* last, double& value)
{
    return std::from_chars(first, last, value);
}

#else

std::string shortest(double value) { return portable::shortest(value); }
std::string shortest_fixed(float value) { return portable::shortest_fixed(value); }
std::string scientific(double value, int precision) { return portable::scientific(value, precision); }
std::from_chars_result parse(char const* first, char const* last, double& value)
{
    return portable::parse(first, last, value);
}

#endif

} // namespace tolvane::float_chars
