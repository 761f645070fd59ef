// NumberText of any finite double: plain decimal where 15 digits need no
// exponent (below 1E15), never "-0", and it reads back (by ParseNumber and by
// strtod) as the value rounded to 15 significant digits; the largest doubles,
// which round beyond the range, read back as the largest 15-digit number. Input: 8 bytes are the double's bits; other inputs are
// read as decimal text, so seeds can sit on the edges.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    if (size == sizeof value) {
        std::memcpy(&value, data, sizeof value);
    } else {
        value = kelo::fuzz::Strtod(std::string(reinterpret_cast<const char*>(data), size));
    }
    if (!std::isfinite(value)) return 0;

    const std::string text = kelo::NumberText(value);
    const std::string where = "NumberText(" + kelo::fuzz::Show(value) + ") = \"" + text + "\"";
    const double expected = std::min(kelo::fuzz::RoundedTo(std::fabs(value), 15), 1.79769313486231e308);
    if (expected < 1e15) kelo::fuzz::Require(kelo::fuzz::IsPlainDecimal(text), where + " is not plain");
    kelo::fuzz::Require(!kelo::fuzz::LooksNonFinite(text), where);

    double back = 0;
    try {
        back = kelo::ParseNumber(text);
    } catch (const kelo::NumberError&) {
        kelo::fuzz::Fail(where + " does not read back");
    }
    // Zero of either sign reads back as a zero.
    kelo::fuzz::Require(back == 0 || std::signbit(back) == std::signbit(value), where + " has the wrong sign");
    kelo::fuzz::Require(std::fabs(back) == expected, where + " reads back as " + kelo::fuzz::Show(back) + ", not " +
                                              kelo::fuzz::Show(expected));
    return 0;
}
