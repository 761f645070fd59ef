// SingleText of any finite float (FuzzCheck.h's ReadNumber): plain decimal below 1E15,
// never "-0", reading back as the value rounded to 7 significant digits, which ToSingle takes.
#include "FuzzCheck.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelo::fuzz::Require;
    const float value = kelo::fuzz::ReadNumber<float>(data, size);
    if (!std::isfinite(value)) return 0;
    const std::string text = kelo::SingleText(value);
    const std::string where = "SingleText(" + kelo::fuzz::Show(value) + ") = \"" + text + "\"";
    const double expected = kelo::fuzz::RoundedTo(static_cast<double>(value), 7);
    Require(std::fabs(expected) >= 1e15 || kelo::fuzz::IsPlainDecimal(text), where + " is not plain");
    double back = 0;
    try {
        back = kelo::ParseNumber(text);
        // What the settings do with an Enter Time: the text goes back to single precision.
        Require(std::isfinite(kelo::ToSingle(back)), where + " gives a non-finite single");
    } catch (const kelo::NumberError&) {
        kelo::fuzz::Fail(where + " does not read back");
    }
    Require(back == expected, where + " reads back as " + kelo::fuzz::Show(back) + ", not " + kelo::fuzz::Show(expected));
    return 0;
}
