// Every character the toolbar types, planned on keyboard layouts captured from
// Wine (tests/layouts, made by tests/layouts/capture.py), replays to exactly
// itself: by the layout's own key, or as a Unicode packet where the layout has
// no key for it. Whatever modifiers the user holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FakeLayout.h"
#include "channel/KeyPlan.h"
#include "channel/KeyString.h"
#include "text/Utf.h"
#include "toolbar/Commands.h"
#include "toolbar/FileCommands.h"

namespace kelo {
namespace {

using testing::FakeLayout;
using testing::Replay;

struct CapturedLayout {
    const char* name;
    FakeLayout layout;
};

const std::vector<CapturedLayout>& Captured() {
    static const std::vector<CapturedLayout> layouts = [] {
        const auto folder = std::filesystem::path(__FILE__).parent_path() / "layouts";
        std::vector<CapturedLayout> out;
        for (const char* name : {"us", "jis", "de", "fr"}) {
            out.push_back({name, FakeLayout::Captured(testing::ReadLayoutTable((folder / (std::string(name) + ".txt")).string()))});
        }
        return out;
    }();
    return layouts;
}

// Every text the toolbar types as it stands: the command table, the profile and
// arc lines, the start-up line, and LOAD / STORE lines with the paths a
// draftsman's files have (escaped as the file commands escape them).
std::vector<std::string> TypedTexts() {
    std::vector<std::string> texts{"DIM_CATCH_ANGLE 1", "LINE TWO_PTS 0,50 0,30", "LINE TWO_PTS -25,30 -7.6794,40",
                                   "ARC CEN_BEG_END -4,13", "-8,10", "0.0001,-134.9999"};
    for (const CommandRow& row : kCommands) {
        for (std::string_view line : {row.line, row.shiftLine}) {
            if (!line.empty()) texts.emplace_back(line);
        }
        for (const Step& step : row.steps) {
            if (step.kind == Step::Kind::Text) texts.emplace_back(step.text);
        }
    }
    const char* const paths[] = {
        "C:\\図面\\部品 (1)+{a}.mi", "D:\\MI\\図A_図", "\\\\server\\共有\\a~b^c%d[1].mi",
        "C:\\Users\\山田\\Documents\\ＦＲＡＭＥ-A3.MI", "C:\\Zeichnungen\\Welle_ä#2.dxf", "C:\\Dessins\\pièce@1.mi",
    };
    for (const char* head : {"LOAD '", "STORE MI ALL DEL_OLD '", "STORE DXF ALL DEL_OLD '"}) {
        for (const char* path : paths) texts.push_back(head + EscapeKeyText(path) + "'");
    }
    return texts;
}

// The text the host reads for a key string typed literally: the notation's braces taken off.
std::u16string Expected(const std::string& keyString) {
    std::u16string out;
    for (const KeyStroke& stroke : ParseKeyString(Utf8ToUtf16(keyString))) out += stroke.ch;
    return out;
}

TEST(LayoutTables, CapturedTablesHoldEveryPrintableCharacter) {
    for (const auto& captured : Captured()) {
        SCOPED_TRACE(captured.name);
        for (char16_t c = u'a'; c <= u'z'; ++c) EXPECT_TRUE(captured.layout.KeyOf(c)) << static_cast<char>(c);
        for (char16_t c = u'0'; c <= u'9'; ++c) EXPECT_TRUE(captured.layout.KeyOf(c)) << static_cast<char>(c);
    }
}

TEST(LayoutTables, EveryTypedCharacterReplaysToItselfOnEveryCapturedLayout) {
    const std::uint8_t heldStates[] = {0, kHeldLShift, kHeldRCtrl | kHeldLAlt, 0xFF};
    const auto texts = TypedTexts();
    for (const auto& captured : Captured()) {
        std::size_t byKey = 0, byPacket = 0;
        for (const std::string& text : texts) {
            SCOPED_TRACE(std::string(captured.name) + " " + text);
            const auto strokes = ParseKeyString(Utf8ToUtf16(text));
            for (std::uint8_t held : heldStates) {
                const auto events = PlanKeys(strokes, held, captured.layout.AsLayout());
                const Replay replay(events, captured.layout, held);
                EXPECT_EQ(Utf16ToUtf8(replay.typed), Utf16ToUtf8(Expected(text))) << "held " << int(held);
                EXPECT_FALSE(replay.unicodeUnderModifier);
                EXPECT_EQ(replay.down, testing::HeldKeys(held));
                if (held != 0) continue;
                for (const auto& press : replay.presses) {
                    ++(press.unicode ? byPacket : byKey);
                    // A packet only where the layout has no key of its own.
                    if (press.unicode) {
                        EXPECT_FALSE(captured.layout.KeyOf(press.ch)) << char(press.ch);
                    }
                }
            }
        }
        std::printf("%s: %zu texts, %zu characters by key, %zu as Unicode packets\n", captured.name, texts.size(),
                    byKey, byPacket);
    }
}

}  // namespace
}  // namespace kelo
