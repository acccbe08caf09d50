#pragma once
// Number text of the length entries, independent of the locale: the plain
// leading-number parse, rounding half to even through a 16-bit integer, and
// the short form (".5", no trailing zeros, at most five characters).
#include <cstdint>
#include <string>
#include <string_view>

namespace kt520::rules {

// The number the text starts with: leading blanks, an optional sign, digits
// and an optional "." with more digits (".5" is 0.5). Anything after the
// number is ignored; 0 when the text does not start with a number.
double leadingNumber(std::string_view text);

// Nearest whole number, halves to the even neighbour, held in 16 bits:
// values beyond the 16-bit range stop at its ends instead of overflowing.
std::int16_t nearestEven16(double value);

// The plain decimal text of the value with "." as separator, without a
// leading zero below 1 (".5") and without trailing zeros, cut to its first
// five characters. The float overload writes the shortest text of the
// single-precision value (25.4f gives "25.4", not its double expansion).
std::string shortNumber(double value);
std::string shortNumber(float value);

}  // namespace kt520::rules
