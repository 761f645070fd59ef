#include "text/NumberRules.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "text/DecimalText.h"

namespace kelo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr long long kExponentCap = 1'000'000'000'000'000;

// Where a decimal number (sign, digits, ".", fraction, exponent) that starts
// at `i` ends, taking the longest well-formed prefix. Returns `i` itself when
// there is no number there. `order` gets a rough decimal order of magnitude
// (exponent plus the place of the first significant digit), enough to tell an
// overflow from an underflow when the conversion reports "out of range".
std::size_t ScanDecimal(std::string_view s, std::size_t i, long long& order) {
    const std::size_t begin = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissaDigits = 0;
    long long firstSignificant = 0;  // position of the first non-zero digit relative to the point
    bool seenNonZero = false;
    long long intDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (s[i] != '0' && !seenNonZero) seenNonZero = true;
        if (seenNonZero) ++intDigits;
        ++i, ++mantissaDigits;
    }
    firstSignificant = intDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        long long place = 0;
        while (i < s.size() && IsDigit(s[i])) {
            --place;
            if (s[i] != '0' && !seenNonZero) {
                seenNonZero = true;
                firstSignificant = place + 1;
            }
            ++i, ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return begin;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                // Saturates far beyond any digit count, so the order stays right for long texts.
                if (exponent < kExponentCap) exponent = exponent * 10 + (s[j] - '0');
                ++j;
            }
            if (negative) exponent = -exponent;
            i = j;
        }
    }
    order = exponent + firstSignificant;
    return i;
}

enum class Range { Fine, Overflow };

// Converts a scanned decimal number; underflow gives a signed zero.
Range ConvertDecimal(std::string_view number, long long order, double& value) {
    const bool negative = !number.empty() && number[0] == '-';
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) number.remove_prefix(1);
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        if (order > 0) {
            value = negative ? -HUGE_VAL : HUGE_VAL;
            return Range::Overflow;
        }
        value = 0;
    }
    if (negative) value = -value;
    return Range::Fine;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

double ParseNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    long long order = 0;
    const std::size_t end = ScanDecimal(text, 0, order);
    if (end == 0 || end != text.size()) throw NumberError("not a number: " + std::string(text));
    double value = 0;
    if (ConvertDecimal(text, order, value) == Range::Overflow) {
        throw NumberError("number out of range: " + std::string(text));
    }
    return value;
}
std::optional<double> ReadNumber(std::string_view text) {
    try {
        return ParseNumber(text);
    } catch (const NumberError&) {
        return std::nullopt;
    }
}

std::optional<double> ReadCoordinate(std::string_view text) {
    const std::optional<double> value = ReadNumber(text);
    if (!value || !(std::fabs(*value) <= kLargestCoordinate)) return std::nullopt;
    return value;
}

// Beyond the double range the reading saturates to an infinity of the number's
// sign instead of failing; callers that compute with it treat a non-finite
// result as an error. "&H" / "&O" read the digits as an unsigned integer
// (no 16- or 32-bit wrap-around).
double ParseLeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    }
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        double value = 0;
        for (std::size_t i = 2; i < s.size(); ++i) {
            int digit = -1;
            const char c = s[i];
            if (IsDigit(c)) digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit < 0 || digit >= base) break;
            value = value * base + digit;
        }
        return value;
    }
    long long order = 0;
    const std::size_t end = ScanDecimal(s, 0, order);
    if (end == 0) return 0;
    double value = 0;
    ConvertDecimal(std::string_view(s).substr(0, end), order, value);
    return value;
}

// The largest doubles round, at 15 digits, beyond the double range: their text
// would never read back. Such a value is written as the largest 15-digit number.
std::string NumberText(double value) {
    constexpr double kLargestReadable = 1.79769313486231e308;
    if (std::fabs(value) > kLargestReadable && std::isfinite(value)) value = std::copysign(kLargestReadable, value);
    return DecimalText(value, 15);
}

std::string SingleText(float value) { return DecimalText(static_cast<double>(value), 7); }

float ToSingle(double value) {
    if (std::isnan(value)) throw NumberError("not a number");
    const double magnitude = std::fabs(value);
    if (magnitude <= FLT_MAX) return static_cast<float>(value);
    // Between FLT_MAX and the midpoint to the next power of two the value
    // still rounds to FLT_MAX; the midpoint itself rounds (to even) away.
    const double limit = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
    if (magnitude < limit) return value < 0 ? -FLT_MAX : FLT_MAX;
    throw NumberError("beyond single precision");
}

}  // namespace kelo
