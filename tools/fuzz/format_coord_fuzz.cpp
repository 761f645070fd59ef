// FormatCoord of any double. A value that cannot be scaled by 10000 raises
// std::overflow_error and stays as it was. Otherwise the variable holds the
// value rounded to 4 decimals (ties to even); below 1E15 the text is plain
// decimal with at most 4 decimals, "0" for anything that rounds to zero, and
// it reads back as that rounded value to 15 significant digits; rendering the
// rounded value again gives the same text. Input: 8 bytes are the double's
// bits; other inputs are read as decimal text.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "text/FormatCoord.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double input = 0;
    if (size == sizeof input) {
        std::memcpy(&input, data, sizeof input);
    } else {
        input = kelo::fuzz::Strtod(std::string(reinterpret_cast<const char*>(data), size));
    }
    if (std::isnan(input)) return 0;
    const std::string where = "FormatCoord(" + kelo::fuzz::Show(input) + ")";

    double value = input;
    if (!std::isfinite(input * 10000)) {
        try {
            kelo::FormatCoord(value);
        } catch (const std::overflow_error&) {
            kelo::fuzz::Require(std::memcmp(&value, &input, sizeof value) == 0, where + " changed the variable");
            return 0;
        }
        kelo::fuzz::Fail(where + " gave a text for a value it cannot round");
    }

    const std::string text = kelo::FormatCoord(value);
    const std::string shown = where + " = \"" + text + "\", variable " + kelo::fuzz::Show(value);
    const double rounded = std::nearbyint(input * 10000) / 10000;
    kelo::fuzz::Require(value == rounded, shown + ", expected " + kelo::fuzz::Show(rounded));
    kelo::fuzz::Require(!kelo::fuzz::LooksNonFinite(text), shown);
    if (std::fabs(value) >= 1e15) return 0;  // from there the text keeps an exponent

    kelo::fuzz::Require(kelo::fuzz::IsPlainDecimal(text, 4), shown + " is not plain with at most 4 decimals");
    kelo::fuzz::Require(value != 0 || text == "0", shown);
    const double back = kelo::ParseNumber(text);
    kelo::fuzz::Require(back == kelo::fuzz::RoundedTo(value, 15), shown + " reads back as " + kelo::fuzz::Show(back));

    // Rounding an already rounded value changes nothing, where the scaled value is an exact integer.
    if (std::fabs(value) < 1e11) {
        double again = value;
        const std::string second = kelo::FormatCoord(again);
        kelo::fuzz::Require(second == text && again == value, shown + ", again \"" + second + "\"");
    }
    return 0;
}
