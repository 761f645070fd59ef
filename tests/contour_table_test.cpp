// The contour table's geometry, through what it would type: chamfers and rounds at
// right and other angles, both directions along the axis, arcs of both senses, and
// every refusal with the row it names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/ContourTable.h"

namespace kelo {
namespace {

// Everything the segments type, Enter as "/" and the cancel key string as ";".
std::string Typed(const TableContour& contour) {
    std::string out;
    for (const Segment& segment : contour.segments) {
        const SegmentKeys keys = KeyStringsOf(segment);
        for (const KeyStep& step : keys.steps)
            out += step.kind == KeyStep::Kind::Text ? step.text : step.kind == KeyStep::Kind::Enter ? "/" : ";";
        if (!keys.complete) out += "<cut>";
    }
    return out;
}

TEST(ContourTable, CornersAndArcsBecomeTheSegmentsTheDialogsType) {
    const struct {
        const char* name;
        std::vector<TableRow> rows;
        const char* typed;
    } cases[] = {
        {"right-angle chamfer toward -Z", {{"0", "0"}, {"60", "0", "C1"}, {"60", "-25"}},
         "LINE TWO_PTS 0,0 0,29/;LINE TWO_PTS 0,29 -1,30/;LINE TWO_PTS -1,30 -25,30/;"},
        {"right-angle round toward -Z", {{"0", "0"}, {"60", "0", "R1"}, {"60", "@-25"}},
         "LINE TWO_PTS 0,0 0,29/;ARC CEN_BEG_END -1,29/0,29/-1,30/;LINE TWO_PTS -1,30 -25,30/;"},
        {"round toward +Z, face going down", {{"100", "-30"}, {"100", "0", "R 2"}, {"0", "@0"}},
         "LINE TWO_PTS -30,50 -2,50/;ARC CEN_BEG_END -2,48/0,48/-2,50/;LINE TWO_PTS 0,48 0,0/;"},
        {"chamfer on a 45 degree taper", {{"40", "0"}, {"40", "-10", "c1"}, {"60", "-20"}},
         "LINE TWO_PTS 0,20 -9,20/;LINE TWO_PTS -9,20 -10.7071,20.7071/;LINE TWO_PTS -10.7071,20.7071 -20,30/;"},
        {"round on a 45 degree taper", {{"40", "0"}, {"40", "-10", "R1"}, {"60", "-20"}},
         "LINE TWO_PTS 0,20 -9.5858,20/;ARC CEN_BEG_END -9.5858,21/-10.2929,20.2929/-9.5858,20/;"
         "LINE TWO_PTS -10.2929,20.2929 -20,30/;"},
        {"a chamfer that takes the whole line", {{"40", "0"}, {"40", "-2", "C2"}, {"60", "-2"}},
         "LINE TWO_PTS 0,20 -2,22/;LINE TWO_PTS -2,22 -2,30/;"},
        {"two corners sharing a line exactly", {{"0", "0"}, {"20", "0", "C1"}, {"20", "-2", "C1"}, {"40", "-2"}},
         "LINE TWO_PTS 0,0 0,9/;LINE TWO_PTS 0,9 -1,10/;LINE TWO_PTS -1,10 -2,11/;LINE TWO_PTS -2,11 -2,20/;"},
        {"concave arc element", {{"20", "0", "", "凹R5"}, {"20", "-8"}},
         "ARC CEN_BEG_END -4,13/-8,10/0,10/;"},
        {"convex arc element", {{"20", "0", "", "凸R 5"}, {"20", "-8"}},
         "ARC CEN_BEG_END -4,7/0,10/-8,10/;"},
        {"full-width cells", {{"\uFF16\uFF10", "\uFF10"}, {"\uFF16\uFF10", "\uFF20\uFF0D\uFF12\uFF15", "\uFF23\uFF11"}, {"80", "@0"}},
         "LINE TWO_PTS 0,30 -24,30/;LINE TWO_PTS -24,30 -25,31/;LINE TWO_PTS -25,31 -25,40/;"},
        {"blanks around cells", {{" 60 ", " 0"}, {"60\t", " @ -10 "}}, "LINE TWO_PTS 0,30 -10,30/;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableContour contour = BuildContour(c.rows);
        EXPECT_EQ(ProblemLine(contour), "");
        EXPECT_EQ(Typed(contour), c.typed);
        // The contour is connected: each segment starts where the one before ended.
        for (std::size_t i = 1; i < contour.segments.size(); ++i)
            EXPECT_EQ(contour.segments[i].start, contour.segments[i - 1].end) << i;
    }
}

TEST(ContourTable, RowsThatCannotBeBuiltAreNamedAndNothingIsTyped) {
    const TableRow a{"0", "0"}, b{"60", "0"}, c{"60", "-25"};
    const struct {
        std::vector<TableRow> rows;
        const char* line;
    } cases[] = {
        {{a}, "点を2行以上入力してください。"},
        {{a, {"abc", "0"}}, "2行目: X が数値ではありません。"},
        {{a, {"", "0"}}, "2行目: X が空です。"},
        {{a, {"60", ""}}, "2行目: Z が空です。"},
        {{a, {"60", "@x"}}, "2行目: Z が数値ではありません。"},
        {{{"60", "@5"}, b}, "1行目: 最初の行の Z は長さ (@) でなく Z の値で入力してください。"},
        {{a, {"3e9", "0"}}, "2行目: 数値が大きすぎます。"},
        {{a, b, b}, "3行目: 前の行と同じ点です。"},
        {{{"0", "0", "C1"}, b, c}, "1行目: 最初と最後の点には角を付けられません。"},
        {{a, b, {"60", "-25", "R1"}}, "3行目: 最初と最後の点には角を付けられません。"},
        {{a, {"0", "-10", "C1"}, {"0", "-20"}}, "2行目: 一直線上の点には角を付けられません。"},
        {{a, {"60", "0", "C1", "凹R40"}, c}, "2行目: 円弧の隣の点には角を付けられません。"},
        {{{"0", "0", "", "凸R40"}, {"60", "0", "R1"}, c}, "2行目: 円弧の隣の点には角を付けられません。"},
        {{a, {"60", "0", "C31"}, c}, "2行目: 角が線の長さに収まりません。"},
        {{a, {"60", "0", "C20"}, {"60", "-10", "C20"}, {"80", "-10"}}, "3行目: 角が線の長さに収まりません。"},
        {{a, {"60", "0", "D1"}, c}, "2行目: 角は C または R と大きさで入力してください (例: C1, R0.5)。"},
        {{a, {"60", "0", "C-1"}, c}, "2行目: 角や半径の大きさは0より大きくしてください。"},
        {{a, {"60", "0", "R0"}, c}, "2行目: 角や半径の大きさは0より大きくしてください。"},
        {{{"0", "0", "", "円R5"}, b}, "1行目: 次の要素は 凹R または 凸R と半径で入力してください (例: 凹R5)。直線なら空欄です。"},
        {{{"20", "0", "", "凹R1"}, {"20", "-8"}}, "1行目: 始点と終点の距離が直径以上です。半径を大きくしてください。"},
        {{a, {"20", "-8", "", "凸R5"}}, "2行目: 最後の点の次の要素は描けません (次の点がありません)。"},
        {{a, {"x", "0"}, {"60", "0", "Q"}}, "2行目: X が数値ではありません。 (ほかに1行)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const TableContour contour = BuildContour(c.rows);
        EXPECT_EQ(ProblemLine(contour), c.line);
        EXPECT_FALSE(contour.Drawable());
    }
    std::vector<TableRow> many;
    for (std::size_t i = 0; i <= kMaxTableRows; ++i) many.push_back({"10", std::to_string(-double(i))});
    EXPECT_EQ(ProblemLine(BuildContour(many)), "1001行目: 行が多すぎます。1000行までです。");
}

TEST(ContourTable, TheContourBeforeTheFirstWrongRowIsStillBuiltForThePreview) {
    const std::vector<TableRow> rows{{"0", "0"}, {"60", "0", "C1"}, {"60", "-25", "R2"}, {"80", "-25"}, {"x", "-40"}};
    const TableContour contour = BuildContour(rows);
    EXPECT_EQ(ProblemLine(contour), "5行目: X が数値ではありません。");
    // Up to row 4, whose own corner or element would wait for the row after it.
    EXPECT_EQ(Typed(contour),
              "LINE TWO_PTS 0,0 0,29/;LINE TWO_PTS 0,29 -1,30/;LINE TWO_PTS -1,30 -23,30/;"
              "ARC CEN_BEG_END -23,32/-25,32/-23,30/;LINE TWO_PTS -25,32 -25,40/;");
    EXPECT_EQ(ProblemLine(BuildContour(std::vector<TableRow>{{"0", "0"}, {"60", "0", "C40"}, {"60", "-25"}, {"y", "0"}})),
              "2行目: 角が線の長さに収まりません。 (ほかに1行)");
}

TEST(ContourTable, EachRowsPointIsKnownWhereItsCellsCanBeRead) {
    const std::vector<TableRow> rows{{"60", "0"}, {"abc", "@-10"}, {"80", "@-5"}, {"80", "-30"}};
    const TableContour contour = BuildContour(rows);
    ASSERT_EQ(contour.points.size(), 4u);
    EXPECT_EQ(contour.points[0], (ContourPoint{0, 30}));
    EXPECT_FALSE(contour.points[1]);
    EXPECT_EQ(contour.points[2], (ContourPoint{-15, 40}));  // a length goes on from the row before, read or not
    EXPECT_EQ(contour.points[3], (ContourPoint{-30, 40}));
}

}  // namespace
}  // namespace kelo
