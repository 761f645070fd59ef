#include "text/Utf.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(UtfTest, ValidTextRoundTrips) {
    const std::string texts[] = {
        "",
        "LINE ASSIST TWO_PTS",
        "始めにアプリの設定または起動してください。",
        "C:\\図面\\a.mi",
        "\xC2\xA5 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF",  // ¥ € U+1F600 U+10FFFF
        std::string("a\0b", 3),
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    }
}

TEST(UtfTest, DecodesToExpectedUnits) {
    EXPECT_EQ(Utf8ToUtf16("図面"), u"図面");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), std::u16string({0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(u"\u00A5"), "\xC2\xA5");
}

TEST(UtfTest, InvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string input;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\x80z", u"a\uFFFDz"},                       // stray continuation byte
        {"a\xC3", u"a\uFFFD"},                          // truncated at the end
        {"\xE3\x81z", u"\uFFFDz"},                      // truncated 3-byte sequence, next char kept
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                  // overlong '/'
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},        // overlong 3-byte
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},        // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xFF\xFE", u"\uFFFD\uFFFD"},
        {"\xF0\x9F\x98", u"\uFFFD"},                    // truncated 4-byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        EXPECT_EQ(Utf8ToUtf16(c.input), c.expected);
    }
}

TEST(UtfTest, LoneSurrogatesBecomeReplacementCharacters) {
    struct Case {
        std::u16string input;
        std::string expected;
    };
    const Case cases[] = {
        {std::u16string({u'a', 0xD800, u'b'}), "a\xEF\xBF\xBD" "b"},
        {std::u16string({0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {std::u16string({0xD83D}), "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.expected));
        EXPECT_EQ(Utf16ToUtf8(c.input), c.expected);
    }
}

}  // namespace
}  // namespace kelo
