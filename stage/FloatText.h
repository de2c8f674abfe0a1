#pragma once

#include <charconv>
#include <string>

// Floating-point numbers to text and back, exactly as the standard library's `to_chars` and
// `from_chars` do it. Some standard libraries (the web page's) have those for integers only; the
// portable versions here do the same work through the C library's correctly rounded `snprintf`
// and `strtod`, and are used only where the standard ones are missing.
namespace tolvane::float_chars {

// `to_chars(double)`: the fewest significant digits that read back as the same double, in fixed
// or scientific form, whichever is shorter (fixed on a tie).
std::string shortest(double value);
// `to_chars(float, chars_format::fixed)`: the fewest digits that read back as the same float, in
// fixed form.
std::string shortest_fixed(float value);
// `to_chars(double, chars_format::scientific, precision)`.
std::string scientific(double value, int precision);
// `from_chars(double)` in its general format: an optional "-", digits with an optional point and
// exponent, or "inf", "infinity", "nan" and "nan(...)" in any case; no blanks, no "+", no hex.
std::from_chars_result parse(char const* first, char const* last, double& value);

// The same through the C library, whatever the standard library has. The C library is asked in
// the "C" locale's terms: the program never changes its locale, so "." is the decimal point.
namespace portable {
std::string shortest(double value);
std::string shortest_fixed(float value);
std::string scientific(double value, int precision);
std::from_chars_result parse(char const* first, char const* last, double& value);
} // namespace portable

} // namespace tolvane::float_chars
