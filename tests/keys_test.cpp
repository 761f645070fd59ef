// Key strings (SendKeys notation) and key planning: on the US and JIS layouts written by
// hand, with any modifiers held, and every text the toolbar types on the layouts captured
// from Wine (tests/layouts, made by tests/layouts/capture.py).
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>

#include "FakeLayout.h"
#include "channel/KeyPlan.h"
#include "channel/KeyString.h"
#include "text/Utf.h"
#include "toolbar/Commands.h"
#include "toolbar/FileCommands.h"

namespace kelo {
namespace {

using testing::FakeLayout;
using testing::HeldKeys;
using testing::Replay;

KeyStroke C(char16_t ch, std::uint8_t mods = 0) { return {KeyStroke::Kind::Char, ch, 0, mods}; }
KeyStroke K(std::uint16_t vkey, std::uint8_t mods = 0) { return {KeyStroke::Kind::Key, 0, vkey, mods}; }
std::vector<KeyStroke> Chars(std::u16string_view text) {
    std::vector<KeyStroke> strokes;
    for (char16_t ch : text) strokes.push_back(C(ch));
    return strokes;
}
constexpr std::uint8_t S = kModShift, Ct = kModCtrl, A = kModAlt;
using Held = std::initializer_list<std::uint8_t>;

TEST(KeyString, AcceptedStrings) {
    const struct {
        std::u16string keys;
        std::vector<KeyStroke> expected;
    } cases[] = {
        {u"", {}}, {u"aB 1", Chars(u"aB 1")}, {u"^C", {C('C', Ct)}}, {u"^c", {C('c', Ct)}}, {u"+a", {C('a', S)}},
        {u"%f", {C('f', A)}}, {u"+^a", {C('a', S | Ct)}}, {u"^%+x", {C('x', S | Ct | A)}}, {u"+ab", {C('a', S), C('b')}},
        {u"~", {K(vk::kReturn)}}, {u"^~", {K(vk::kReturn, Ct)}}, {u"{ENTER}", {K(vk::kReturn)}},
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
        {u"{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}", Chars(u"+^%~(){}[]")}, {u"{a}{ }{図}", Chars(u"a 図")},
        {u"{x 3}", Chars(u"xxx")}, {u"{ENTER 2}", {K(vk::kReturn), K(vk::kReturn)}}, {u"{+ 2}", Chars(u"++")},
        {u"{} 2}", Chars(u"}}")}, {u"{  2}", Chars(u"  ")}, {u"{x 0}y", Chars(u"y")},
        {u"^{x 2}", {C('x', Ct), C('x', Ct)}}, {u"+{TAB}", {K(vk::kTab, S)}}, {u"+(ab)c", {C('a', S), C('b', S), C('c')}},
        {u"+(a^b)", {C('a', S), C('b', S | Ct)}}, {u"^(a+(b))", {C('a', Ct), C('b', S | Ct)}}, {u"(ab)", Chars(u"ab")},
        {u"+()a", Chars(u"a")}, {u"+\U0001F600", {C(0xD83D, S), C(0xDE00, S)}}, {u"\U0001F600", Chars(u"\U0001F600")},
        {u"a\r\n\tb", Chars(u"a\r\n\tb")}, {u"add_dim_prefix #14'1'#15 end", Chars(u"add_dim_prefix #14'1'#15 end")},
        {u"C:\\図面", Chars(u"C:\\図面")},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseKeyString(c.keys), c.expected) << Utf16ToUtf8(c.keys);
    for (std::u16string_view bad : {u"[", u"a]", u"+", u"a^", u"+^", u"{", u"{ENTER", u"}", u"a}b", u"{}", u"{ENTR}",
                                    u"{F0}", u"{F17}", u"{F1X}", u"{ab}", u"{x 3 }", u"{ 3}", u"(", u"+(ab", u")",
                                    u"(a))", u"(a+)", u"{x 99999999}", u"{x 10001}", u"{LEFT ARROW}"})
        EXPECT_THROW(ParseKeyString(bad), KeyStringError) << Utf16ToUtf8(std::u16string(bad));
}

// Every key goes down only when up and up only when down; what the user held is
// released first and pressed again last, so the state at the end is the physical one.
void ExpectHeldKeysRestored(const std::vector<KeyEvent>& events, std::uint8_t held) {
    auto down = HeldKeys(held);
    const std::size_t restore = down.size();
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::uint32_t id = events[i].unicode ? 0x10000 + events[i].scan : events[i].vkey;
        EXPECT_TRUE(events[i].up ? down.erase(id) == 1 : down.insert(id).second) << "at " << i;
        EXPECT_TRUE(i + restore + 1 != events.size() || down.empty()) << "keys still down before the restore";
    }
    EXPECT_EQ(down, HeldKeys(held));
}

// A held Alt or Win is let go inside Ctrl, so the system never sees it pressed alone.
TEST(KeyPlan, AltAndWinAreReleasedInsideCtrl) {
    for (std::uint8_t held : Held{kHeldLAlt, kHeldRAlt, kHeldLWin, kHeldRWin | kHeldLShift, 0xFF, kHeldLShift}) {
        bool ctrl = false;
        int wrapped = 0;
        for (const KeyEvent& e : PlanKeys({C('a')}, held, testing::UsLayout().AsLayout())) {
            if (e.vkey == vk::kControl) ctrl = !e.up;
            if (e.up && (e.vkey == vk::kLMenu || e.vkey == vk::kRMenu || e.vkey == vk::kLWin || e.vkey == vk::kRWin)) {
                EXPECT_TRUE(ctrl) << "released " << e.vkey << " without Ctrl";
                ++wrapped;
            }
        }
        EXPECT_EQ(wrapped, std::popcount(static_cast<unsigned>(held & 0xF0))) << int(held);
    }
}

KeyEvent Down(std::uint16_t vkey) { return {vkey, 0, false, false}; }
KeyEvent Up(std::uint16_t vkey) { return {vkey, 0, true, false}; }
std::vector<KeyEvent> Tap(std::uint16_t vkey, std::vector<std::uint16_t> mods = {}) {
    std::vector<KeyEvent> events;
    for (auto m : mods) events.push_back(Down(m));
    events.insert(events.end(), {Down(vkey), Up(vkey)});
    for (auto m = mods.rbegin(); m != mods.rend(); ++m) events.push_back(Up(*m));
    return events;
}
std::vector<KeyEvent> Unicode(char16_t u) { return {{0, u, false, true}, {0, u, true, true}}; }

TEST(KeyPlan, ExactEventsForSpecialCases) {
    // AltGr for '@' as on German keyboards, a character only Hankaku reaches, and no 'q' at all.
    const Layout odd = [](char16_t ch) -> std::optional<LayoutKey> {
        if (ch == u'@') return LayoutKey{'Q', kModCtrl | kModAlt};
        if (ch == u'x') return LayoutKey{'X', 0};
        if (ch == u'k') return LayoutKey{'K', 0x08};
        return std::nullopt;
    };
    const Layout us = testing::UsLayout().AsLayout(), jis = testing::JisLayout().AsLayout();
    const auto then = [](std::vector<KeyEvent> a, const std::vector<KeyEvent>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        const Layout& layout;
        std::u16string keys;
        std::vector<KeyEvent> expected;
    } cases[] = {
        {odd, u"@", Tap('Q', {vk::kControl, vk::kMenu})}, {odd, u"k", Unicode('k')}, {odd, u"q", Unicode('q')},
        {odd, u"^q", Tap('Q', {vk::kControl})},          {odd, u"^Q", Tap('Q', {vk::kControl})},
        {odd, u"+7", Tap('7', {vk::kShift})},            {odd, u"^{;}", Unicode(';')},
        {odd, u"%x", Tap('X', {vk::kMenu})},             {odd, u"+{TAB}", Tap(vk::kTab, {vk::kShift})},
        {odd, u"{x 2}", then(Tap('X'), Tap('X'))},
        // Shift may stay down between keys; Alt goes up after each one.
        {odd, u"+(xx)", {Down(vk::kShift), Down('X'), Up('X'), Down('X'), Up('X'), Up(vk::kShift)}},
        {odd, u"%(xx)", then(Tap('X', {vk::kMenu}), Tap('X', {vk::kMenu}))},
        // Ctrl with a capital letter adds no Shift; JIS symbols go by JIS keys.
        {us, u"^C", Tap('C', {vk::kControl})},   {jis, u"^C", Tap('C', {vk::kControl})}, {jis, u"@", Tap(0xC0)},
        {jis, u"_", Tap(0xE2, {vk::kShift})},    {jis, u"'", Tap('7', {vk::kShift})},    {jis, u":", Tap(0xBA)},
        {jis, u"\"", Tap('2', {vk::kShift})},    {jis, u"{+}", Tap(0xBB, {vk::kShift})},   {jis, u"{^}", Tap(0xDE)},
    };
    for (const auto& c : cases) EXPECT_EQ(PlanKeys(ParseKeyString(c.keys), 0, c.layout), c.expected) << Utf16ToUtf8(c.keys);
    EXPECT_EQ(PlanKeys({C('a')}, kHeldLShift, us), then({Up(vk::kLShift)}, then(Tap('A'), {Down(vk::kLShift)})));
}

// Key strings, and every text the toolbar types, on the US and JIS layouts written by hand
// and on those captured from Wine, whatever is held: each replays to exactly what it should
// type, by the layout's own key or as a Unicode packet where the layout has none (never
// under a modifier), and the held keys are let go and pressed again.
TEST(KeyPlan, EveryTextReplaysToItselfOnEveryLayoutWhateverIsHeld) {
    std::vector<std::pair<std::string, std::string>> texts = {  // the key string, what the host reads
        {"^C", "\x03"}, {"^c", "\x03"}, {"~", "\r"}, {"{ENTER}", "\r"}, {"a\rb\nc\td", "a\rb\rc\td"}, {"+abc", "Abc"},
        {"+(ab)c", "ABc"}, {"aAaA", "aAaA"}, {"\U0001F600x", "\U0001F600x"}, {"%(ab)", "\uFFFD\uFFFD"},
        {"+^%x{F4 2}~", "\uFFFD\uFFFD\uFFFD\r"}, {"{@}{\"}{:}{*}{=}{`}{|}{<}{>}{?}{!}{&}{$}", "@\":*=`|<>?!&$"}};
    std::vector<std::string> typed{"DIM_CATCH_ANGLE 1", "LINE TWO_PTS -25,30 -7.6794,40", "ARC CEN_BEG_END -4,13",
                                   "0.0001,-134.9999"};
    for (const CommandRow& row : kCommands) {
        for (std::string_view line : {row.line, row.shiftLine, std::string_view("")})
            if (!line.empty()) typed.emplace_back(line);
        for (const Step& step : row.steps)
            if (step.kind == Step::Kind::Text) typed.emplace_back(step.text);
    }
    for (const char* head : {"LOAD '", "STORE MI ALL DEL_OLD '", "STORE DXF ALL DEL_OLD '"})
        for (const char* path : {"C:\\図面\\部品 (1)+{a}.mi", "D:\\MI\\図A_図", "\\\\server\\共有\\a~b^c%d[1].mi",
                                 "C:\\Users\\山田\\ＦＲＡＭＥ-A3.MI", "C:\\Zeichnungen\\Welle_ä#2.dxf", "C:\\Dessins\\pièce@1.mi"})
            typed.push_back(head + EscapeKeyText(path) + "'");
    for (const std::string& text : typed) {  // as it stands: the notation's braces taken off
        std::u16string reads;
        for (const KeyStroke& stroke : ParseKeyString(Utf8ToUtf16(text))) reads += stroke.ch;
        texts.emplace_back(text, Utf16ToUtf8(reads));
    }
    std::vector<std::pair<std::string, FakeLayout>> layouts{{"US", testing::UsLayout()}, {"JIS", testing::JisLayout()}};
    for (const char* name : {"us", "jis", "de", "fr"}) {
        const auto path = std::filesystem::path(__FILE__).parent_path() / "layouts" / (std::string(name) + ".txt");
        layouts.emplace_back(name, FakeLayout::Captured(testing::ReadLayoutTable(path.string())));
        for (char16_t c : u"abcdefghijklmnopqrstuvwxyz0123456789") EXPECT_TRUE(c == 0 || layouts.back().second.KeyOf(c));
    }
    for (const auto& [name, layout] : layouts) {
        for (const auto& [keys, reads] : texts) {
            const auto strokes = ParseKeyString(Utf8ToUtf16(keys));
            for (std::uint8_t held : Held{0, kHeldLShift, kHeldRCtrl | kHeldLAlt, kHeldRAlt | kHeldLWin, 0xFF}) {
                SCOPED_TRACE(name + " held " + std::to_string(held) + " " + keys);
                const auto events = PlanKeys(strokes, held, layout.AsLayout());
                const Replay replay(events, layout, held);
                EXPECT_EQ(Utf16ToUtf8(replay.typed), reads);
                EXPECT_FALSE(replay.unicodeUnderModifier);
                ExpectHeldKeysRestored(events, held);
                for (const auto& press : replay.presses) EXPECT_FALSE(press.unicode && layout.KeyOf(press.ch));
            }
        }
    }
}

}  // namespace
}  // namespace kelo
