#include "text/FormatCoord.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "text/DecimalText.h"

namespace kelo {

namespace {

// The general text of a number: a sign position (blank or "-"), then up to 15
// significant digits with no digit before the point below magnitude 1
// (" 12.5", " .5", "-.25", "-3").
std::string GeneralText(double r) {
    std::string digits = DecimalText(std::fabs(r), 15);
    // Just below 1E15 the 15 digits round up to "1E15": the value itself is
    // below it, so its text stays plain.
    if (std::fabs(r) < 1e15 && digits.find('E') != std::string::npos) digits = "1000000000000000";
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
    return (r < 0 ? "-" : " ") + digits;
}

}  // namespace

// A value whose scaled form is not finite cannot be rounded: it raises
// std::overflow_error and leaves the variable as it was, so callers' traps
// treat it like any other arithmetic overflow. From 1E15 on the text keeps an
// exponent ("1E15").
std::string FormatCoord(double& value) {
    const double v = value * 10000;
    if (!std::isfinite(v)) throw std::overflow_error("coordinate out of range");
    const double n = std::nearbyint(v);  // default rounding mode: ties to even
    const double r = n / 10000;
    value = r;

    const std::string b = GeneralText(r);
    if (r >= 0) {
        if (r == 0) return "0";
        if (r >= 1) return b.substr(1);
        return "0" + b.substr(1);
    }
    if (r > -1) return "-0." + b.substr(2);
    return b;
}

}  // namespace kelo
