#include "channel/KeyString.h"

#include <gtest/gtest.h>

#include "text/Utf.h"

namespace kelo {
namespace {

KeyStroke C(char16_t ch, std::uint8_t mods = 0) { return {KeyStroke::Kind::Char, ch, 0, mods}; }
KeyStroke K(std::uint16_t vkey, std::uint8_t mods = 0) { return {KeyStroke::Kind::Key, 0, vkey, mods}; }

std::string Describe(const std::vector<KeyStroke>& strokes) {
    std::string out;
    for (const auto& s : strokes) {
        out += s.kind == KeyStroke::Kind::Char ? "C" + std::to_string(s.ch) : "K" + std::to_string(s.vkey);
        if (s.mods) out += "/" + std::to_string(s.mods);
        out += ' ';
    }
    return out;
}

constexpr std::uint8_t S = kModShift, Ct = kModCtrl, A = kModAlt;

TEST(KeyStringTest, AcceptedStrings) {
    struct Case {
        std::u16string keys;
        std::vector<KeyStroke> expected;
    };
    const Case cases[] = {
        {u"", {}},
        {u"aB 1", {C('a'), C('B'), C(' '), C('1')}},
        {u"^C", {C('C', Ct)}},
        {u"^c", {C('c', Ct)}},
        {u"+a", {C('a', S)}},
        {u"%f", {C('f', A)}},
        {u"+^a", {C('a', S | Ct)}},
        {u"^%+x", {C('x', S | Ct | A)}},
        {u"+ab", {C('a', S), C('b')}},
        {u"~", {K(vk::kReturn)}},
        {u"^~", {K(vk::kReturn, Ct)}},
        {u"{ENTER}", {K(vk::kReturn)}},
        {u"{enter}{Tab}{esc}{ESCAPE}", {K(vk::kReturn), K(vk::kTab), K(vk::kEscape), K(vk::kEscape)}},
        {u"{BS}{BKSP}{BACKSPACE}", {K(vk::kBack), K(vk::kBack), K(vk::kBack)}},
        {u"{BREAK}{CAPSLOCK}{NUMLOCK}{SCROLLLOCK}{PRTSC}{HELP}",
         {K(vk::kBreak), K(vk::kCapital), K(vk::kNumLock), K(vk::kScroll), K(vk::kSnapshot), K(vk::kHelp)}},
        {u"{DEL}{DELETE}{INS}{INSERT}", {K(vk::kDelete), K(vk::kDelete), K(vk::kInsert), K(vk::kInsert)}},
        {u"{UP}{DOWN}{LEFT}{RIGHT}{HOME}{END}{PGUP}{PGDN}",
         {K(vk::kUp), K(vk::kDown), K(vk::kLeft), K(vk::kRight), K(vk::kHome), K(vk::kEnd), K(vk::kPrior),
          K(vk::kNext)}},
        {u"{F1}{f10}{F16}", {K(vk::kF1), K(vk::kF1 + 9), K(vk::kF1 + 15)}},
        {u"{ADD}{SUBTRACT}{MULTIPLY}{DIVIDE}", {K(vk::kAdd), K(vk::kSubtract), K(vk::kMultiply), K(vk::kDivide)}},
        {u"{+}{^}{%}{~}{(}{)}", {C('+'), C('^'), C('%'), C('~'), C('('), C(')')}},
        {u"{{}{}}{[}{]}", {C('{'), C('}'), C('['), C(']')}},
        {u"{a}{ }{図}", {C('a'), C(' '), C(u'図')}},
        {u"{x 3}", {C('x'), C('x'), C('x')}},
        {u"{ENTER 2}", {K(vk::kReturn), K(vk::kReturn)}},
        {u"{+ 2}", {C('+'), C('+')}},
        {u"{} 2}", {C('}'), C('}')}},
        {u"{  2}", {C(' '), C(' ')}},
        {u"{x 0}y", {C('y')}},
        {u"^{x 2}", {C('x', Ct), C('x', Ct)}},
        {u"+{TAB}", {K(vk::kTab, S)}},
        {u"+(ab)c", {C('a', S), C('b', S), C('c')}},
        {u"+(a^b)", {C('a', S), C('b', S | Ct)}},
        {u"^(a+(b))", {C('a', Ct), C('b', S | Ct)}},
        {u"(ab)", {C('a'), C('b')}},
        {u"+()a", {C('a')}},
        {u"+\U0001F600", {C(0xD83D, S), C(0xDE00, S)}},
        {u"\U0001F600", {C(0xD83D), C(0xDE00)}},
        {u"a\r\n\tb", {C('a'), C('\r'), C('\n'), C('\t'), C('b')}},
        {u"add_dim_prefix #14'1'#15 end",
         {C('a'), C('d'), C('d'), C('_'), C('d'), C('i'), C('m'), C('_'), C('p'), C('r'), C('e'), C('f'), C('i'),
          C('x'), C(' '), C('#'), C('1'), C('4'), C('\''), C('1'), C('\''), C('#'), C('1'), C('5'), C(' '), C('e'),
          C('n'), C('d')}},
        {u"C:\\図面", {C('C'), C(':'), C('\\'), C(u'図'), C(u'面')}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.keys));
        std::vector<KeyStroke> got;
        ASSERT_NO_THROW(got = ParseKeyString(c.keys));
        EXPECT_EQ(got, c.expected) << "got " << Describe(got) << "\nwant " << Describe(c.expected);
    }
}

TEST(KeyStringTest, RejectedStrings) {
    const std::u16string cases[] = {
        u"[",       u"a]",      u"+",        u"a^",      u"+^",      u"{",         u"{ENTER",
        u"}",       u"a}b",     u"{}",       u"{ENTR}",  u"{F0}",    u"{F17}",     u"{F1X}",
        u"{ab}",    u"{x 3 }",  u"{ 3}",     u"(",       u"+(ab",    u")",         u"(a))",
        u"(a+)",    u"{x 99999999}", u"{x 10001}", u"{LEFT ARROW}",
    };
    for (const auto& keys : cases) {
        SCOPED_TRACE(Utf16ToUtf8(keys));
        EXPECT_THROW(ParseKeyString(keys), KeyStringError);
    }
}

}  // namespace
}  // namespace kelo
