#pragma once
// What every fuzz target shares: a check that stops the run with the failing
// input described, the input read as a number, and independent readings of the
// number texts the code reads and writes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

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
inline bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// An input of exactly sizeof(T) bytes is the number's bits; any other is read as
// decimal text, so that seeds can sit on the edges.
template <typename T>
T ReadNumber(const std::uint8_t* data, std::size_t size) {
    T value = 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (size == sizeof value) std::memcpy(&value, data, sizeof value);
    else value = std::is_same_v<T, float> ? std::strtof(text.c_str(), nullptr) : std::strtod(text.c_str(), nullptr);
    return value;
}

// Length of the longest number at the start of `s` by the strict grammar (sign; digits,
// "." and fraction digits; "E" or "e", a sign and digits); 0 when there is none.
inline std::size_t LeadingNumberLength(std::string_view s) {
    std::size_t i = s.starts_with('+') || s.starts_with('-') ? 1 : 0, digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && IsDigit(s[i]); ++i) ++digits;
    if (digits == 0) return 0;
    std::size_t j = i + 1;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t exponentStart = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        if (j > exponentStart) i = j;  // an "E" without digits is not part of the number
    }
    return i;
}

// The text as the code under test should write it: "-" only before a non-zero number, digits,
// at most one "." followed by digits without a trailing zero, a "0" before the point below 1
// and no other leading zero; at most `maxDecimals` digits after the point (-1: any).
inline bool IsPlainDecimal(std::string_view text, int maxDecimals = -1) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == intStart || (i - intStart > 1 && text[intStart] == '0')) return false;
    bool zero = i - intStart == 1 && text[intStart] == '0';
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) zero = zero && text[i] == '0';
        if (i == fracStart || text[i - 1] == '0') return false;
        if (maxDecimals >= 0 && i - fracStart > static_cast<std::size_t>(maxDecimals)) return false;
    }
    return i == text.size() && !(zero && text[0] == '-');  // never "-0"
}

// The value rounded to `digits` significant decimal digits, by the C library.
inline double RoundedTo(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    return std::strtod(buf, nullptr);
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
