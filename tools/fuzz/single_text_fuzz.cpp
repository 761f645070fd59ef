// SingleText of any finite float: plain decimal where 7 digits need no exponent
// (below 1E15), never "-0", and it
// reads back as the value rounded to 7 significant digits; ToSingle of that
// reading never fails. Input: 4 bytes are the float's bits; other inputs are
// read as decimal text.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    float value = 0;
    if (size == sizeof value) {
        std::memcpy(&value, data, sizeof value);
    } else {
        value = std::strtof(std::string(reinterpret_cast<const char*>(data), size).c_str(), nullptr);
    }
    if (!std::isfinite(value)) return 0;

    const std::string text = kelo::SingleText(value);
    const std::string where = "SingleText(" + kelo::fuzz::Show(value) + ") = \"" + text + "\"";
    const double expected = kelo::fuzz::RoundedTo(static_cast<double>(value), 7);
    if (std::fabs(expected) < 1e15) kelo::fuzz::Require(kelo::fuzz::IsPlainDecimal(text), where + " is not plain");

    double back = 0;
    try {
        back = kelo::ParseNumber(text);
        // What the settings do with an Enter Time: the text goes back to single precision.
        const float single = kelo::ToSingle(back);
        kelo::fuzz::Require(std::isfinite(single), where + " gives a non-finite single");
    } catch (const kelo::NumberError&) {
        kelo::fuzz::Fail(where + " does not read back");
    }
    kelo::fuzz::Require(back == expected, where + " reads back as " + kelo::fuzz::Show(back) + ", not " +
                                              kelo::fuzz::Show(expected));
    return 0;
}
