// ParseLeadingNumber never throws, and reads what a separate reading reads:
// blanks, tabs and line feeds dropped, then "&H"/"&O" and their digits, or the
// longest prefix that the strict grammar accepts, valued by strtod (beyond the
// double range an infinity of the number's sign).
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "text/NumberRules.h"

namespace {

using kelo::fuzz::IsDigit;

// Length of the longest number at the start of `s`; 0 when there is none.
std::size_t LeadingNumberLength(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    std::size_t j = i;
    if (j < s.size() && (s[j] == 'E' || s[j] == 'e')) {
        ++j;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t exponentStart = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        if (j > exponentStart) i = j;  // an "E" without digits is not part of the number
    }
    return i;
}

int DigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double got = kelo::ParseLeadingNumber(text);  // an exception here is a failure too

    std::string s;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    }
    const std::string where = "ParseLeadingNumber(\"" + text + "\") = " + kelo::fuzz::Show(got);
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        std::size_t digits = 0;
        std::uint64_t exact = 0;
        while (2 + digits < s.size() && DigitValue(s[2 + digits]) < base) {
            if (digits < 13) exact = exact * base + static_cast<std::uint64_t>(DigitValue(s[2 + digits]));
            ++digits;
        }
        // Up to 13 digits the value is an exact double in either base; longer ones only need to be sane.
        if (digits <= 13) {
            kelo::fuzz::Require(got == static_cast<double>(exact), where + ", expected " + std::to_string(exact));
        } else {
            kelo::fuzz::Require(!std::isnan(got) && got >= static_cast<double>(exact), where);
        }
        return 0;
    }
    const std::size_t length = LeadingNumberLength(s);
    const double expected = length == 0 ? 0.0 : std::strtod(s.substr(0, length).c_str(), nullptr);
    kelo::fuzz::Require(SameDouble(got, expected), where + ", expected " + kelo::fuzz::Show(expected));
    return 0;
}
