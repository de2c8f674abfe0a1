#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How numbers cross between the program's values, its integers and caption text.
namespace tolvane {

// Rounds to the nearest whole number, ties to the even one (44.5 gives 44, 45.5 gives 46).
// Values beyond the integer's range saturate at its ends instead of overflowing.
std::int16_t to_int16(double value);
std::int32_t to_int32(double value);

// Reads a number held as caption text: blanks, then a decimal number with "." as its point.
// Text that does not start with a number reads as 0, so a caption can never stop the program.
double caption_number(std::string_view text);

// Writes a number as caption text: at most 15 significant digits, no trailing zeros, no
// trailing point, "-" before a negative value, plain digits for whole numbers.
std::string caption_text(double value);

// The shortest fixed-point text that reads back as the same 32-bit float ("-0" prints as "0");
// values that are not finite print as "inf", "-inf" and "nan".
std::string float_text(float value);

// A double rounded to a 32-bit float, as the hardware rounds it: beyond the float's range it
// becomes an infinity (a plain cast would be undefined there), and a NaN stays a NaN.
float to_single(double value);

} // namespace tolvane
