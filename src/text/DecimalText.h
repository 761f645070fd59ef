#pragma once
// Plain decimal text of a number with a limited count of significant digits:
// the one digit generator behind NumberText, SingleText and FormatCoord.
#include <string>

namespace kelo {

// "-" in front of negative numbers, no sign otherwise; at most
// `significantDigits` significant digits; no trailing zeros after the point and
// no point without a fraction; "0" before the point below magnitude 1; "0" for
// both zeros. Magnitudes that round to 1E15 or more keep an exponent ("1E15",
// "-2.5E20", no "+"): plain text there would show digits that were never computed.
// Non-finite values give "inf", "-inf" or "nan".
std::string DecimalText(double value, int significantDigits);

}  // namespace kelo
