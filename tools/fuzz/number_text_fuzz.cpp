// NumberText of any finite double (FuzzCheck.h's ReadNumber): plain decimal where 15
// digits need no exponent (below 1E15), never "-0", reading back as the value rounded to
// 15 significant digits; the largest doubles, which round beyond the range, read back as
// the largest 15-digit number.
#include <algorithm>

#include "FuzzCheck.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelo::fuzz::Require;
    using kelo::fuzz::Show;
    const double value = kelo::fuzz::ReadNumber<double>(data, size);
    if (!std::isfinite(value)) return 0;
    const std::string text = kelo::NumberText(value);
    const std::string where = "NumberText(" + Show(value) + ") = \"" + text + "\"";
    const double expected = std::min(kelo::fuzz::RoundedTo(std::fabs(value), 15), 1.79769313486231e308);
    Require(expected >= 1e15 || kelo::fuzz::IsPlainDecimal(text), where + " is not plain");
    Require(!kelo::fuzz::LooksNonFinite(text), where);
    double back = 0;
    try {
        back = kelo::ParseNumber(text);
    } catch (const kelo::NumberError&) {
        kelo::fuzz::Fail(where + " does not read back");
    }
    // Zero of either sign reads back as a zero.
    Require(back == 0 || std::signbit(back) == std::signbit(value), where + " has the wrong sign");
    Require(std::fabs(back) == expected, where + " reads back as " + Show(back) + ", not " + Show(expected));
    return 0;
}
