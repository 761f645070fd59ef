#pragma once
// What every fuzz target shares: a check that stops the run with the failing
// input described, and independent readings of the number texts the code writes.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kelo::fuzz {

// libFuzzer keeps the input of any abort as a crash artifact.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void Require(bool holds, const std::string& what) {
    if (!holds) Fail(what);
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text as the code under test should have written it: "-" only in front of
// a non-zero number, digits, at most one ".", followed by at least one digit
// and no trailing zero, a "0" before the point below 1 and no other leading
// zero. `maxDecimals` limits the digits after the point (-1: any).
inline bool IsPlainDecimal(std::string_view text, int maxDecimals = -1) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    const std::size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    const std::size_t intDigits = i - intStart;
    if (intDigits == 0) return false;
    if (intDigits > 1 && text[intStart] == '0') return false;
    bool zero = intDigits == 1 && text[intStart] == '0';
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (text[i] != '0') zero = false;
            ++i;
        }
        const std::size_t fracDigits = i - fracStart;
        if (fracDigits == 0 || text[i - 1] == '0') return false;
        if (maxDecimals >= 0 && fracDigits > static_cast<std::size_t>(maxDecimals)) return false;
    }
    if (i != text.size()) return false;
    return !(zero && text[0] == '-');  // never "-0"
}

// The C library's reading of a text known to be a plain number.
inline double Strtod(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The value rounded to `digits` significant decimal digits, by the C library.
inline double RoundedTo(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    return Strtod(buf);
}

inline std::string Show(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

inline bool LooksNonFinite(std::string_view text) {
    std::string lower;
    for (char c : text) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

}  // namespace kelo::fuzz
