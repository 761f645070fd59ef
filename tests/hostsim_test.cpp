// The stand-in host's command line and drawing: the end-to-end tests read its
// log and look at its canvas, so what it makes of the typed keys must be right.
#include <gtest/gtest.h>

#include <cmath>

#include "Args.h"
#include "LineEditor.h"
#include "Sketch.h"
#include "View.h"

namespace kelo::hostsim {
namespace {

struct Fed {
    std::u16string keys;
    std::vector<std::string> lines;  // completed lines, in order
    int cancels;
    std::u16string current;          // what is left on the command line
};

TEST(HostsimLineEditor, KeysMakeLinesAndCancelsAsADraftingCommandLineWould) {
    const Fed cases[] = {
        {u"LINE TWO_PTS 0,50 0,30\r", {"LINE TWO_PTS 0,50 0,30"}, 0, u""},
        {u"\x03LINE\r", {"LINE"}, 1, u""},
        {u"ABC\x03" u"END\r", {"END"}, 1, u""},             // Ctrl+C drops the line being typed
        {u"AB\bC\r", {"AC"}, 0, u""},                        // Backspace removes one character
        {u"\r", {""}, 0, u""},                               // an empty line is still a line
        {u"TEXT\r'", {"TEXT"}, 0, u"'"},                     // the opening quote waits for the user
        {u"A\tB\x1b\x7f" u"C", {}, 0, u"ABC"},               // other control characters are not shown
        {u"図面\r", {"図面"}, 0, u""},
        {u"x\U0001F600\b\r", {"x"}, 0, u""},                // a surrogate pair goes as one character
        {u"\xD800\r", {"\xEF\xBF\xBD"}, 0, u""},             // a lone surrogate is replaced
    };
    for (const Fed& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.keys.begin(), c.keys.end())));
        LineEditor editor;
        std::vector<std::string> lines;
        int cancels = 0;
        for (char16_t unit : c.keys) {
            const auto result = editor.Feed(unit);
            if (result.outcome == LineEditor::Outcome::kLine) lines.push_back(result.line);
            if (result.outcome == LineEditor::Outcome::kCancel) ++cancels;
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(cancels, c.cancels);
        EXPECT_TRUE(editor.Current() == c.current);
        EXPECT_EQ(std::vector<std::string>(editor.History().begin(), editor.History().end()), c.lines);
    }
}

TEST(HostsimSketch, PointsAreReadStrictly) {
    const struct {
        const char* text;
        bool ok;
        std::vector<Point> points;
    } cases[] = {
        {"0,50 0,30", true, {{0, 50}, {0, 30}}},
        {"-25,30 -7.6794,40", true, {{-25, 30}, {-7.6794, 40}}},
        {" 5.0 , .5 ", true, {{5, 0.5}}},
        {"1e3,-2", true, {{1000, -2}}},
        {"", true, {}},
        {"0,50 0", false, {}},
        {"abc,30", false, {}},
        {"inf,1", false, {}},
        {"nan,1", false, {}},
        {"1e300,1", false, {}},  // beyond anything a drawing holds
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto points = ParsePoints(c.text);
        ASSERT_EQ(points.has_value(), c.ok);
        if (!c.ok) continue;
        ASSERT_EQ(points->size(), c.points.size());
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            EXPECT_DOUBLE_EQ((*points)[i].z, c.points[i].z);
            EXPECT_DOUBLE_EQ((*points)[i].r, c.points[i].r);
        }
    }
}

TEST(HostsimSketch, LinesAndArcsBecomeShapesAndCancelAbandonsAPendingOne) {
    Sketch sketch;
    sketch.OnLine("DIM_CATCH_ANGLE 1");
    sketch.OnLine("LINE TWO_PTS 0,50 0,30");
    sketch.OnLine("LINE TWO_PTS 0,30");  // the second point on the next line
    sketch.OnLine("-25,30");
    sketch.OnLine("ARC CEN_BEG_END -25,20");
    sketch.OnCancel();                    // the arc's points never come
    sketch.OnLine("-25,30");
    sketch.OnLine("LINE TWO_PTS 1,x 2,3");  // a bad number: ignored
    sketch.OnLine("ARC CEN_BEG_END -25,20");
    sketch.OnLine("-25,30");
    sketch.OnLine("-15,20");
    ASSERT_EQ(sketch.Shapes().size(), 3u);
    const auto& arc = std::get<Arc>(sketch.Shapes()[2]);
    EXPECT_DOUBLE_EQ(arc.centre.z, -25);
    EXPECT_DOUBLE_EQ(arc.end.r, 20);
    const Point end = *sketch.LastEnd();  // on the ray to the end point, at the arc's radius
    EXPECT_NEAR(end.z, -15, 1e-9);
    EXPECT_NEAR(end.r, 20, 1e-9);
    const Box box = sketch.Extent();
    EXPECT_LE(box.rMin, 0);  // the axis always shows
    EXPECT_GE(box.rMax, 50);
    EXPECT_LE(box.zMin, -25);
}

TEST(HostsimSketch, ArcsRunCounterClockwiseFromBeginToEnd) {
    // A quarter from (1,0) to (0,1) about the origin, and the long way back.
    const auto quarter = ArcPolyline(Arc{{0, 0}, {1, 0}, {0, 1}});
    const auto rest = ArcPolyline(Arc{{0, 0}, {0, 1}, {1, 0}});
    for (const auto* arc : {&quarter, &rest})
        for (const Point& p : *arc) EXPECT_NEAR(std::hypot(p.z, p.r), 1, 1e-9);
    for (const Point& p : quarter) EXPECT_GE(p.r, -1e-9);
    bool passesBelow = false;
    for (const Point& p : rest) passesBelow |= p.r < -0.5;
    EXPECT_TRUE(passesBelow);
}

TEST(HostsimView, FitsTheBoxWithTheRadiusGrowingUpwards) {
    const View view(Box{-50, 50, 0, 50}, 0, 0, 220, 120, 10);
    EXPECT_DOUBLE_EQ(view.Scale(), 2);  // 200 px for 100 in Z, 100 px for 50 in r
    const Pixel low = view.ToPixel({-50, 0}), high = view.ToPixel({50, 50});
    EXPECT_EQ(low.x, 10);
    EXPECT_EQ(low.y, 110);
    EXPECT_EQ(high.x, 210);
    EXPECT_EQ(high.y, 10);
    const Pixel far = view.ToPixel({1e300, -1e300});  // clamped, never overflowing GDI
    EXPECT_LE(far.x, 1'000'000);
    EXPECT_LE(far.y, 1'000'000);
}

TEST(HostsimArgs, OptionsAreTakenAndTyposIgnored) {
    const Options o = ParseArgs({"--title", "図面 テスト", "--log", "C:\\h.log", "--x", "1000", "--h", "abc",
                                 "--bogus", "--w", "600", "--hang-after", "12"});
    EXPECT_EQ(o.title, "図面 テスト");
    EXPECT_EQ(o.logPath, "C:\\h.log");
    EXPECT_EQ(o.x, 1000);
    EXPECT_EQ(o.y, 300);       // default kept
    EXPECT_EQ(o.height, 500);  // a bad number keeps the default
    EXPECT_EQ(o.width, 600);
    EXPECT_EQ(o.hangAfter, 12);
    EXPECT_EQ(ParseArgs({}).hangAfter, 0);  // never hangs unless asked
}

}  // namespace
}  // namespace kelo::hostsim
