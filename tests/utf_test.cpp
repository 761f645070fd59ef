#include "text/Utf.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(Utf, ValidTextRoundTripsAndInvalidBecomesReplacementCharacters) {
    for (const std::string& text : {std::string(), std::string("C:\\図面\\a.mi"), std::string("a\0b", 3),
                                    std::string("\xC2\xA5 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF")})
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    const struct {
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"図面", u"図面"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}, {"a\x80z", u"a\uFFFDz"}, {"a\xC3", u"a\uFFFD"},
        {"\xE3\x81z", u"\uFFFDz"}, {"\xC0\xAF", u"\uFFFD\uFFFD"},  // truncated, overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"}, {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // overlong, surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, {"\xFF\xFE", u"\uFFFD\uFFFD"}, {"\xF0\x9F\x98", u"\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
    EXPECT_EQ(Utf16ToUtf8(std::u16string({u'a', 0xD800, u'b', 0xDC00, 0xD83D})), "a\uFFFDb\uFFFD\uFFFD");
}

}  // namespace
}  // namespace kelo
