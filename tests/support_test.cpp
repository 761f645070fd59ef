// The small helpers the windows stand on (where the contour preview stands beside a dialog,
// a window brought back onto the screen, the retry of a busy clipboard, UTF-8), and the
// stand-in host's command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "LineEditor.h"
#include "text/Utf.h"
#include "ui/AtomicFile.h"
#include "ui/Placement.h"
#include "ui/Retry.h"

namespace kelo {
namespace {

TEST(Placement, BesideTheDialogClearOfItAndOfTheToolbar) {
    const PixelRect screen{0, 0, 1920, 1080}, toolbar{380, 0, 1700, 144};
    const struct {
        PixelRect dialog;
        std::optional<PixelRect> expected;
    } cases[] = {
        {{760, 390, 1080, 690}, PixelRect{1088, 390, 1568, 710}},   // to the right, top edges level
        {{1500, 390, 1820, 690}, PixelRect{1012, 390, 1492, 710}},  // near the right edge: to the left
        {{760, 60, 1080, 360}, PixelRect{1088, 152, 1568, 472}},    // high up: below the toolbar
        {{760, 900, 1080, 1060}, PixelRect{1088, 760, 1568, 1080}}, // low down: pulled up into the screen
        {{200, 390, 1700, 690}, PixelRect{1708, 390, 1920, 710}},   // narrow room: as wide as the room
        {{100, 390, 1850, 690}, std::nullopt},                      // no room on either side
    };
    for (const auto& c : cases) {
        const auto placed = PlaceBeside(c.dialog, toolbar, screen, 480, 320, 8, 160);
        EXPECT_EQ(placed, c.expected) << c.dialog.left;
        EXPECT_FALSE(placed && (Overlap(*placed, c.dialog) || Overlap(*placed, toolbar)));
    }
    const std::pair<PixelRect, PixelRect> moved[] = {
        {{100, 0, 1380, 110}, {0, 0, 1280, 110}},      // wider than the screen: its left edge shows
        {{1500, 0, 2780, 110}, {0, 0, 1280, 110}},     // on a monitor that is gone
        {{600, 0, 900, 110}, {600, 0, 900, 110}},      // inside already
        {{1100, -50, 1400, 60}, {980, 0, 1280, 110}},  // partly above and right
        {{-400, 700, -100, 810}, {0, 610, 300, 720}},  // below and left
    };
    for (const auto& [window, expected] : moved) EXPECT_EQ(MoveInside(window, {0, 0, 1280, 720}), expected);
}

// Tries again within half a second, a pause between two tries, and stops at the first success.
// A file replaced through a file beside it: a write that fails halfway, or a move that
// fails, leaves the old file as it was and nothing beside it.
TEST(ReplaceWhole, AFailureLeavesTheOldFile) {
    for (const auto& [writeFails, moveFails] : {std::pair{false, false}, {true, false}, {false, true}}) {
        std::map<std::string, std::string> disk{{"t.csv", "old"}};
        const FileSteps steps{
            [&](std::string_view bytes) {
                disk["t.csv.tmp"] = bytes.substr(0, writeFails ? bytes.size() / 2 : bytes.size());
                return !writeFails;
            },
            [&] {
                if (moveFails) return false;
                disk["t.csv"] = disk["t.csv.tmp"];
                disk.erase("t.csv.tmp");
                return true;
            },
            [&] { disk.erase("t.csv.tmp"); },
        };
        const bool replaced = ReplaceWhole(steps, "new rows");
        EXPECT_EQ(replaced, !writeFails && !moveFails);
        EXPECT_EQ(disk, (std::map<std::string, std::string>{{"t.csv", replaced ? "new rows" : "old"}}));
    }
}

TEST(RetryWhileBusy, TriesAgainWithinHalfASecond) {
    for (auto [failures, succeeds, tries] : {std::tuple{0, true, 1}, {1, true, 2}, {4, true, 5}, {5, false, 5},
                                             {50, false, 5}}) {
        int tried = 0;
        std::vector<std::chrono::milliseconds> pauses;
        EXPECT_EQ(RetryWhileBusy([&] { return ++tried > failures; }, [&](auto pause) { pauses.push_back(pause); }),
                  succeeds);
        EXPECT_EQ(tried, tries);
        ASSERT_EQ(pauses.size(), static_cast<std::size_t>(tries - 1));
        std::chrono::milliseconds total{0};
        for (auto p : pauses) total += p;
        EXPECT_LE(total.count(), 500);
        EXPECT_TRUE(std::ranges::all_of(pauses, [](auto p) { return p.count() > 0; }));
    }
}

TEST(Utf, ValidTextRoundTripsAndInvalidBecomesReplacementCharacters) {
    for (const std::string& text : {std::string(), std::string("C:\\図面\\a.mi"), std::string("a\0b", 3),
                                    std::string("\xC2\xA5 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF")})
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    const std::pair<std::string, std::u16string> cases[] = {
        {"図面", u"図面"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}, {"a\x80z", u"a\uFFFDz"}, {"a\xC3", u"a\uFFFD"},
        {"\xE3\x81z", u"\uFFFDz"}, {"\xC0\xAF", u"\uFFFD\uFFFD"},  // truncated, overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"}, {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // overlong, surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, {"\xFF\xFE", u"\uFFFD\uFFFD"}, {"\xF0\x9F\x98", u"\uFFFD"},
    };
    for (const auto& [utf8, utf16] : cases) EXPECT_EQ(Utf8ToUtf16(utf8), utf16) << testing::PrintToString(utf8);
    EXPECT_EQ(Utf16ToUtf8(std::u16string({u'a', 0xD800, u'b', 0xDC00, 0xD83D})), "a\uFFFDb\uFFFD\uFFFD");
}


// The stand-in host's command line: the end-to-end tests read its log, so what it makes
// of the typed keys must be right (its drawing of arcs is checked against the preview's).
TEST(HostsimLineEditor, KeysMakeLinesAndCancelsAsADraftingCommandLineWould) {
    const struct {
        std::u16string keys;
        std::vector<std::string> lines;  // completed lines, in order
        int cancels;
        std::u16string current;  // what is left on the command line
    } cases[] = {
        {u"LINE TWO_PTS 0,50 0,30\r", {"LINE TWO_PTS 0,50 0,30"}, 0, u""},
        {u"ABC\x03" u"END\r", {"END"}, 1, u""},  // Ctrl+C drops the line being typed
        {u"AB\bC\r\r", {"AC", ""}, 0, u""},      // Backspace removes one character; an empty line is a line
        {u"TEXT\r'", {"TEXT"}, 0, u"'"},         // the opening quote waits for the user
        {u"A\tB\x1b\x7f" u"C", {}, 0, u"ABC"},   // other control characters are not shown
        {u"図面\r", {"図面"}, 0, u""},
        {u"x\U0001F600\b\r", {"x"}, 0, u""},     // a surrogate pair goes as one character
        {u"\xD800\r", {"\xEF\xBF\xBD"}, 0, u""},  // a lone surrogate is replaced
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.keys.begin(), c.keys.end())));
        hostsim::LineEditor editor;
        std::vector<std::string> lines;
        int cancels = 0;
        for (char16_t unit : c.keys) {
            const auto result = editor.Feed(unit);
            if (result.outcome == hostsim::LineEditor::Outcome::kLine) lines.push_back(result.line);
            cancels += result.outcome == hostsim::LineEditor::Outcome::kCancel;
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(cancels, c.cancels);
        EXPECT_TRUE(editor.Current() == c.current);
        EXPECT_EQ(std::vector<std::string>(editor.History().begin(), editor.History().end()), c.lines);
    }
}

}  // namespace
}  // namespace kelo
