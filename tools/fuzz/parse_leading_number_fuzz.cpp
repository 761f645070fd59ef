// ParseLeadingNumber never throws and reads what a separate reading reads: blanks, tabs and
// line feeds dropped, then "&H"/"&O" and their digits, or the longest prefix the strict
// grammar accepts, valued by strtod (beyond the double range an infinity of its sign).
#include "FuzzCheck.h"
#include "text/NumberRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelo::fuzz::Require;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double got = kelo::ParseLeadingNumber(text);  // an exception here is a failure too
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    const std::string where = "ParseLeadingNumber(\"" + text + "\") = " + kelo::fuzz::Show(got);
    if (s.size() >= 2 && s[0] == '&' && std::string_view("HhOo").find(s[1]) != std::string_view::npos) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        const auto digit = [](char c) {
            return kelo::fuzz::IsDigit(c) ? c - '0' : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10 : 99;
        };
        std::size_t digits = 0;
        std::uint64_t exact = 0;
        for (; 2 + digits < s.size() && digit(s[2 + digits]) < base; ++digits)
            if (digits < 13) exact = exact * base + static_cast<std::uint64_t>(digit(s[2 + digits]));
        // Up to 13 digits the value is an exact double in either base; longer ones only need to be sane.
        if (digits <= 13) Require(got == static_cast<double>(exact), where + ", expected " + std::to_string(exact));
        else Require(!std::isnan(got) && got >= static_cast<double>(exact), where);
        return 0;
    }
    const std::size_t length = kelo::fuzz::LeadingNumberLength(s);
    const double expected = length == 0 ? 0.0 : std::strtod(s.substr(0, length).c_str(), nullptr);
    Require(kelo::fuzz::SameDouble(got, expected), where + ", expected " + kelo::fuzz::Show(expected));
    return 0;
}
