// ParseNumber against a reading written separately: the strict grammar with blanks around
// (FuzzCheck.h) and strtod for the value must agree on every text: which ones are numbers,
// which ones lie beyond the double range, and the value bit for bit (a zero's sign included).
#include <cerrno>

#include "FuzzCheck.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t begin = text.find_first_not_of(" \t"), end = text.find_last_not_of(" \t");
    const std::string core = begin == std::string::npos ? "" : text.substr(begin, end + 1 - begin);

    bool expectNumber = !core.empty() && kelo::fuzz::LeadingNumberLength(core) == core.size();
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
    kelo::fuzz::Require(isNumber == expectNumber, "ParseNumber differs on accepting \"" + text + "\"");
    kelo::fuzz::Require(!isNumber || kelo::fuzz::SameDouble(got, expected),
                        "value of \"" + text + "\": " + kelo::fuzz::Show(got) + ", strtod " + kelo::fuzz::Show(expected));
    return 0;
}
