#pragma once
// The number text of profile values and converted condition values: how a
// text is read as a single-precision value and how such a value is written,
// independent of the regional settings.
#include <string>
#include <string_view>

namespace kt520::profile {

// Reads the number at the start of text: optional blanks, an optional sign,
// digits with "." as the only decimal mark, an optional exponent ("E" or
// "e"). Reading stops at the first character that cannot continue the
// number; a text that does not begin with a number, or whose value lies
// outside the single-precision range, reads as 0. The value goes through
// double precision first and is then rounded to single precision.
float readValue(std::string_view text);

// Writes value rounded to 7 significant digits without trailing zeros or a
// trailing point, "-" before negatives, no leading "0" before the point
// (".5", "-.25"). Magnitudes below 1E-04 or from 1E+07 up take the exponent
// form "1.5E-05", "-2E+07". Zero (of either sign) is "0"; infinities and
// NaN are "Inf", "-Inf" and "NaN".
std::string numberText(float value);

}  // namespace kt520::profile
