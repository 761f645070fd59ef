// FormatCoord of any double (FuzzCheck.h's ReadNumber). A value that cannot be scaled by
// 10000 raises std::overflow_error and stays as it was. Otherwise the variable holds the
// value rounded to 4 decimals (ties to even); below 1E15 the text is plain decimal with at
// most 4 decimals, "0" for what rounds to zero, reading back as that rounded value to 15
// significant digits; rendering the rounded value again gives the same text.
#include <stdexcept>

#include "FuzzCheck.h"
#include "text/FormatCoord.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelo::fuzz::Require;
    using kelo::fuzz::Show;
    const double input = kelo::fuzz::ReadNumber<double>(data, size);
    if (std::isnan(input)) return 0;
    const std::string where = "FormatCoord(" + Show(input) + ")";
    double value = input;
    if (!std::isfinite(input * 10000)) {
        try {
            kelo::FormatCoord(value);
        } catch (const std::overflow_error&) {
            Require(kelo::fuzz::SameDouble(value, input), where + " changed the variable");
            return 0;
        }
        kelo::fuzz::Fail(where + " gave a text for a value it cannot round");
    }
    const std::string text = kelo::FormatCoord(value);
    const std::string shown = where + " = \"" + text + "\", variable " + Show(value);
    const double rounded = std::nearbyint(input * 10000) / 10000;
    Require(value == rounded, shown + ", expected " + Show(rounded));
    Require(!kelo::fuzz::LooksNonFinite(text), shown);
    if (std::fabs(value) >= 1e15) return 0;  // from there the text keeps an exponent
    Require(kelo::fuzz::IsPlainDecimal(text, 4), shown + " is not plain with at most 4 decimals");
    Require(value != 0 || text == "0", shown);
    const double back = kelo::ParseNumber(text);
    Require(back == kelo::fuzz::RoundedTo(value, 15), shown + " reads back as " + Show(back));
    // Rounding an already rounded value changes nothing, where the scaled value is an exact integer.
    double again = value;
    Require(std::fabs(value) >= 1e11 || (kelo::FormatCoord(again) == text && again == value), shown + ", again");
    return 0;
}
