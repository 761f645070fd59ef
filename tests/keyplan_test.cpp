#include "channel/KeyPlan.h"

#include <gtest/gtest.h>

#include <bit>
#include <set>

#include "FakeLayout.h"
#include "channel/KeyString.h"
#include "text/Utf.h"

namespace kelo {
namespace {

using testing::FakeLayout;
using testing::HeldKeys;
using testing::Replay;
const FakeLayout& Us() { return testing::UsLayout(); }
const FakeLayout& Jis() { return testing::JisLayout(); }

std::vector<KeyEvent> Plan(std::u16string_view keys, std::uint8_t held, const FakeLayout& layout) {
    return PlanKeys(ParseKeyString(keys), held, layout.AsLayout());
}

struct LayoutCase {
    const char* name;
    const FakeLayout& layout;
};

const std::uint8_t kHeldStates[] = {
    0,
    kHeldLShift,
    kHeldRShift | kHeldLCtrl,
    kHeldLAlt,
    kHeldRAlt | kHeldLWin,
    0xFF,
};

TEST(KeyPlanTest, HostCommandLinesTypeExactlyOnBothLayouts) {
    struct Case {
        std::u16string keys;
        std::u16string typed;
    };
    const Case cases[] = {
        {u"LINE ASSIST TWO_PTS", u"LINE ASSIST TWO_PTS"},
        {u"add_dim_prefix #14'1'#15 end", u"add_dim_prefix #14'1'#15 end"},
        {u"vetra_line_change 'c_dash_d' 1", u"vetra_line_change 'c_dash_d' 1"},
        {u"C_LINE HORIZONTAL 0,0", u"C_LINE HORIZONTAL 0,0"},
        {u"-7.6794,40", u"-7.6794,40"},
        {u"C:\\図面\\a.mi", u"C:\\図面\\a.mi"},
        {u"D:\\MI\\図A_図", u"D:\\MI\\図A_図"},
        {u"^C", u"\x03"},
        {u"^c", u"\x03"},
        {u"~", u"\r"},
        {u"{ENTER}", u"\r"},
        {u"a\rb\nc\td", u"a\rb\rc\td"},
        {u"{@}{\"}{:}{*}{=}{`}{|}{<}{>}{?}{!}{&}{$}", u"@\":*=`|<>?!&$"},
        {u"{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}", u"+^%~(){}[]"},
        {u"+abc", u"Abc"},
        {u"+(ab)c", u"ABc"},
        {u"aAaA", u"aAaA"},
        {u"\U0001F600x", u"\U0001F600x"},
    };
    const LayoutCase layouts[] = {{"US", Us()}, {"JIS", Jis()}};
    for (const auto& layout : layouts) {
        for (std::uint8_t held : kHeldStates) {
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(layout.name) + " held=" + std::to_string(held) + " " +
                             Utf16ToUtf8(c.keys));
                const auto events = Plan(c.keys, held, layout.layout);
                const Replay replay(events, layout.layout, held);
                EXPECT_EQ(Utf16ToUtf8(replay.typed), Utf16ToUtf8(c.typed));
                EXPECT_FALSE(replay.unicodeUnderModifier);
            }
        }
    }
}

// Every key goes down only when up and up only when down; what the user
// held is released first and pressed again last, so the state at the end is
// the physical state.
TEST(KeyPlanTest, EveryDownHasItsUpAndHeldKeysAreRestored) {
    const std::u16string keys[] = {u"LINE ASSIST TWO_PTS", u"^C", u"+^%x{F4 2}~", u"C:\\図面", u"%(ab)"};
    const LayoutCase layouts[] = {{"US", Us()}, {"JIS", Jis()}};
    for (const auto& layout : layouts) {
        for (std::uint8_t held : kHeldStates) {
            for (const auto& k : keys) {
                SCOPED_TRACE(std::string(layout.name) + " held=" + std::to_string(held) + " " + Utf16ToUtf8(k));
                const auto events = Plan(k, held, layout.layout);
                auto down = HeldKeys(held);
                const std::size_t restoreCount = down.size();
                ASSERT_GE(events.size(), restoreCount);
                for (std::size_t i = 0; i < events.size(); ++i) {
                    const auto& e = events[i];
                    const std::uint32_t id = e.unicode ? 0x10000 + e.scan : e.vkey;
                    if (e.up) {
                        EXPECT_EQ(down.erase(id), 1u) << "up without down at " << i;
                    } else {
                        EXPECT_TRUE(down.insert(id).second) << "down twice at " << i;
                    }
                    if (i + 1 == events.size() - restoreCount) {
                        EXPECT_TRUE(down.empty()) << "keys still down before the restore";
                    }
                }
                EXPECT_EQ(down, HeldKeys(held));
                for (std::size_t i = events.size() - restoreCount; i < events.size(); ++i) {
                    EXPECT_FALSE(events[i].up);
                    EXPECT_TRUE(HeldKeys(held).count(events[i].vkey));
                }
            }
        }
    }
}

TEST(KeyPlanTest, AltAndWinAreReleasedInsideCtrl) {
    for (std::uint8_t held : {std::uint8_t(kHeldLAlt), std::uint8_t(kHeldRAlt), std::uint8_t(kHeldLWin),
                              std::uint8_t(kHeldRWin | kHeldLShift), std::uint8_t(0xFF)}) {
        SCOPED_TRACE(held);
        const auto events = Plan(u"a", held, Us());
        bool ctrl = false;
        int wrapped = 0;
        for (const auto& e : events) {
            if (e.vkey == vk::kControl) ctrl = !e.up;
            if (e.up && (e.vkey == vk::kLMenu || e.vkey == vk::kRMenu || e.vkey == vk::kLWin ||
                         e.vkey == vk::kRWin)) {
                EXPECT_TRUE(ctrl) << "released " << e.vkey << " without Ctrl";
                ++wrapped;
            }
        }
        EXPECT_EQ(wrapped, std::popcount(static_cast<unsigned>(held & 0xF0)));
    }
    // Shift alone needs no wrap.
    const auto shiftOnly = Plan(u"a", kHeldLShift, Us());
    EXPECT_EQ(shiftOnly.front(), (KeyEvent{vk::kLShift, 0, true, false}));
    EXPECT_EQ(shiftOnly.back(), (KeyEvent{vk::kLShift, 0, false, false}));
}

KeyEvent Down(std::uint16_t vkey) { return {vkey, 0, false, false}; }
KeyEvent Up(std::uint16_t vkey) { return {vkey, 0, true, false}; }
KeyEvent UniDown(char16_t u) { return {0, u, false, true}; }
KeyEvent UniUp(char16_t u) { return {0, u, true, true}; }

TEST(KeyPlanTest, ExactEventsForSpecialCases) {
    // A layout with AltGr ('@' as on German keyboards), a character only Hankaku
    // reaches, and no 'q' at all.
    const Layout odd = [](char16_t ch) -> std::optional<LayoutKey> {
        if (ch == u'@') return LayoutKey{'Q', kModCtrl | kModAlt};
        if (ch == u'x') return LayoutKey{'X', 0};
        if (ch == u'k') return LayoutKey{'K', 0x08};
        return std::nullopt;
    };
    struct Case {
        std::u16string keys;
        std::vector<KeyEvent> expected;
    };
    const Case cases[] = {
        {u"@", {Down(vk::kControl), Down(vk::kMenu), Down('Q'), Up('Q'), Up(vk::kMenu), Up(vk::kControl)}},
        {u"k", {UniDown('k'), UniUp('k')}},
        {u"q", {UniDown('q'), UniUp('q')}},
        {u"^q", {Down(vk::kControl), Down('Q'), Up('Q'), Up(vk::kControl)}},
        {u"^Q", {Down(vk::kControl), Down('Q'), Up('Q'), Up(vk::kControl)}},
        {u"+7", {Down(vk::kShift), Down('7'), Up('7'), Up(vk::kShift)}},
        {u"^{;}", {UniDown(';'), UniUp(';')}},
        {u"%x", {Down(vk::kMenu), Down('X'), Up('X'), Up(vk::kMenu)}},
        {u"+{TAB}", {Down(vk::kShift), Down(vk::kTab), Up(vk::kTab), Up(vk::kShift)}},
        {u"{x 2}", {Down('X'), Up('X'), Down('X'), Up('X')}},
        // Shift may stay down between keys; Alt goes up after each one.
        {u"+(xx)", {Down(vk::kShift), Down('X'), Up('X'), Down('X'), Up('X'), Up(vk::kShift)}},
        {u"%(xx)",
         {Down(vk::kMenu), Down('X'), Up('X'), Up(vk::kMenu), Down(vk::kMenu), Down('X'), Up('X'), Up(vk::kMenu)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.keys));
        EXPECT_EQ(PlanKeys(ParseKeyString(c.keys), 0, odd), c.expected);
    }
}

TEST(KeyPlanTest, CtrlWithCapitalLetterDoesNotAddShift) {
    for (const auto* layout : {&Us(), &Jis()}) {
        const auto events = Plan(u"^C", 0, *layout);
        const std::vector<KeyEvent> expected = {Down(vk::kControl), Down('C'), Up('C'), Up(vk::kControl)};
        EXPECT_EQ(events, expected);
    }
}

TEST(KeyPlanTest, JisSymbolsUseJisKeys) {
    struct Case {
        char16_t ch;
        std::uint16_t vkey;
        bool shift;
    };
    const Case cases[] = {{'@', 0xC0, false}, {'_', 0xE2, true}, {'\'', '7', true}, {':', 0xBA, false},
                          {'"', '2', true},   {'+', 0xBB, true}, {'^', 0xDE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.ch));
        const auto events = PlanKeys({{KeyStroke::Kind::Char, c.ch, 0, 0}}, 0, Jis().AsLayout());
        std::vector<KeyEvent> expected = {Down(c.vkey), Up(c.vkey)};
        if (c.shift) expected = {Down(vk::kShift), Down(c.vkey), Up(c.vkey), Up(vk::kShift)};
        EXPECT_EQ(events, expected);
    }
}

}  // namespace
}  // namespace kelo
