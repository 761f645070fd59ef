#include "text/DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace kelo {

namespace {

constexpr int kFirstExponentKept = 15;

// Spreads the mantissa digits of "d.ddde±x" over a plain decimal text.
std::string Unexponent(bool negative, std::string_view digits, int exponent) {
    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const auto intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
        return out;
    }
    out += digits.substr(0, intDigits);
    out += '.';
    out += digits.substr(intDigits);
    return out;
}

}  // namespace

std::string DecimalText(double value, int significantDigits) {
    if (value == 0) return "0";  // negative zero too
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significantDigits);
    if (res.ec != std::errc{}) return "nan";
    std::string text(buf, res.ptr);
    if (!std::isfinite(value)) return text;

    const auto e = text.find('e');
    if (e == std::string::npos) return text;  // already plain: "0.5", "-12.75", "25"

    const int exponent = std::atoi(text.c_str() + e + 1);
    if (exponent >= kFirstExponentKept) {
        // "1E15", not "1E+15": these texts are typed into the host as key
        // strings, where "+" would hold Shift down for the next key.
        text[e] = 'E';
        if (e + 1 < text.size() && text[e + 1] == '+') text.erase(e + 1, 1);
        return text;
    }
    const bool negative = text[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.') digits += text[i];
    }
    return Unexponent(negative, digits, exponent);
}

}  // namespace kelo
