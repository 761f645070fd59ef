// The stand-in host's command line and drawing: the end-to-end tests read its
// log and look at its canvas, so what it makes of the typed keys must be right.
#include <gtest/gtest.h>

#include "LineEditor.h"
#include "Sketch.h"

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

TEST(HostsimSketch, PointsAreReadStrictlyAndLinesAndArcsBecomeShapes) {
    EXPECT_EQ(ParsePoints(" 5.0 , .5 -25,30 1e3,-2")->size(), 3u);
    EXPECT_EQ((*ParsePoints("-7.6794,40"))[0].z, -7.6794);
    for (const char* bad : {"0,50 0", "abc,30", "inf,1", "nan,1", "1e300,1"}) EXPECT_FALSE(ParsePoints(bad)) << bad;

    Sketch sketch;
    for (const char* line : {"DIM_CATCH_ANGLE 1", "LINE TWO_PTS 0,50 0,30", "LINE TWO_PTS 0,30", "-25,30",
                             "ARC CEN_BEG_END -25,20"})
        sketch.OnLine(line);
    sketch.OnCancel();  // the arc's points never come
    for (const char* line : {"-25,30", "LINE TWO_PTS 1,x 2,3", "ARC CEN_BEG_END -25,20", "-25,30", "-15,20"})
        sketch.OnLine(line);
    ASSERT_EQ(sketch.Shapes().size(), 3u);
    EXPECT_EQ(std::get<Arc>(sketch.Shapes()[2]).centre.z, -25);
    const Point end = *sketch.LastEnd();  // on the ray to the end point, at the arc's radius
    EXPECT_NEAR(end.z, -15, 1e-9);
    EXPECT_NEAR(end.r, 20, 1e-9);
    EXPECT_LE(sketch.Extent().rMin, 0);  // the axis always shows
}

}  // namespace
}  // namespace kelo::hostsim
