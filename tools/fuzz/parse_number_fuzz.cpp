// ParseNumber against a reading written separately: a recogniser of the strict
// grammar (blanks around; sign; digits, "." and fraction digits; "E" or "e", a
// sign and digits) and the C library's strtod for the value. Both must agree on
// every text: which ones are numbers, which ones are beyond the double range,
// and the value, bit for bit (the sign of a zero included).
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "text/NumberRules.h"

namespace {

using kelo::fuzz::IsDigit;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The grammar, read left to right: true when `text` is a number and nothing else.
bool IsStrictNumber(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == text.size();
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    const std::string core = text.substr(begin, end - begin);

    bool expectNumber = IsStrictNumber(core);
    double expected = 0;
    if (expectNumber) {
        errno = 0;
        expected = std::strtod(core.c_str(), nullptr);
        // Beyond the range is an error; below it a number still reads (as a tiny number or zero).
        if (errno == ERANGE && std::isinf(expected)) expectNumber = false;
    }

    double got = 0;
    bool isNumber = true;
    try {
        got = kelo::ParseNumber(text);
    } catch (const kelo::NumberError&) {
        isNumber = false;
    }
    kelo::fuzz::Require(isNumber == expectNumber, "acceptance differs for \"" + text + "\": ParseNumber " +
                                                      (isNumber ? "accepts" : "rejects") + " it");
    if (isNumber) {
        kelo::fuzz::Require(SameDouble(got, expected), "value of \"" + text + "\": " + kelo::fuzz::Show(got) +
                                                           ", strtod " + kelo::fuzz::Show(expected));
    }
    return 0;
}
