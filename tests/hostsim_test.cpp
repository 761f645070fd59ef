// The stand-in host's command line: the end-to-end tests read its log, so what it makes
// of the typed keys must be right (its drawing of arcs is checked against the preview's).
#include <gtest/gtest.h>

#include "LineEditor.h"

namespace kelo::hostsim {
namespace {

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
        LineEditor editor;
        std::vector<std::string> lines;
        int cancels = 0;
        for (char16_t unit : c.keys) {
            const auto result = editor.Feed(unit);
            if (result.outcome == LineEditor::Outcome::kLine) lines.push_back(result.line);
            cancels += result.outcome == LineEditor::Outcome::kCancel;
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(cancels, c.cancels);
        EXPECT_TRUE(editor.Current() == c.current);
        EXPECT_EQ(std::vector<std::string>(editor.History().begin(), editor.History().end()), c.lines);
    }
}

}  // namespace
}  // namespace kelo::hostsim
