// The contour table's geometry through what it would type: chamfers and rounds at right and
// other angles, both directions along the axis, arcs of both senses, open points worked out,
// undercuts at a shoulder, every refusal with the row it names.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "contour/ContourTable.h"
#include "profiles/ArcSolver.h"
#include "text/NumberRules.h"
#include "text/Texts.h"

namespace kelo {
namespace {

// Everything the segments type: "L " a line, "A " an arc, Enter as "/", the cancel key string as ";".
std::string Typed(const TableContour& contour) {
    std::string out;
    for (const Segment& segment : contour.segments) {
        const SegmentKeys keys = KeyStringsOf(segment);
        for (const KeyStep& step : keys.steps) {
            std::string text(step.text);
            for (auto [long_, short_] : {std::pair{"LINE TWO_PTS ", "L "}, {"ARC CEN_BEG_END ", "A "}})
                if (text.starts_with(long_)) text = short_ + text.substr(std::string(long_).size());
            out += step.kind == KeyStep::Kind::Text ? text : step.kind == KeyStep::Kind::Enter ? "/" : ";";
        }
        if (!keys.complete) out += "<cut>";
    }
    return out;
}

TEST(ContourTable, CornersAndArcsBecomeTheSegmentsTheDialogsType) {
    const struct {
        std::vector<TableRow> rows;
        const char* typed;
    } cases[] = {
        {{{"0", "0"}, {"60", "0", "C1"}, {"60", "-25"}}, "L 0,0 0,29/;L 0,29 -1,30/;L -1,30 -25,30/;"},
        {{{"0", "0"}, {"60", "0", "R1"}, {"60", "@-25"}}, "L 0,0 0,29/;A -1,29/0,29/-1,30/;L -1,30 -25,30/;"},
        {{{"100", "-30"}, {"100", "0", "R 2"}, {"0", "@0"}}, "L -30,50 -2,50/;A -2,48/0,48/-2,50/;L 0,48 0,0/;"},
        {{{"40", "0"}, {"40", "-10", "c1"}, {"60", "-20"}},  // on a 45 degree taper
         "L 0,20 -9,20/;L -9,20 -10.7071,20.7071/;L -10.7071,20.7071 -20,30/;"},
        {{{"40", "0"}, {"40", "-10", "R1"}, {"60", "-20"}},
         "L 0,20 -9.5858,20/;A -9.5858,21/-10.2929,20.2929/-9.5858,20/;L -10.2929,20.2929 -20,30/;"},
        {{{"40", "0"}, {"40", "-2", "C2"}, {"60", "-2"}}, "L 0,20 -2,22/;L -2,22 -2,30/;"},  // the whole line
        {{{"0", "0"}, {"20", "0", "C1"}, {"20", "-2", "C1"}, {"40", "-2"}},  // two corners share a line exactly
         "L 0,0 0,9/;L 0,9 -1,10/;L -1,10 -2,11/;L -2,11 -2,20/;"},
        {{{"20", "0", "", "凹R5"}, {"20", "-8"}}, "A -4,13/-8,10/0,10/;"},
        {{{"20", "0", "", "凸R 5"}, {"20", "-8"}}, "A -4,7/0,10/-8,10/;"},
        {{{"６０", "０"}, {"６０", "＠－２５", "Ｃ１"}, {"80", "@0"}},  // full-width cells
         "L 0,30 -24,30/;L -24,30 -25,31/;L -25,31 -25,40/;"},
        {{{" 60 ", " 0"}, {"60\t", " @ -10 "}}, "L 0,30 -10,30/;"},
    };
    for (const auto& c : cases) {
        const TableContour contour = BuildContour(c.rows);
        EXPECT_EQ(ProblemLine(contour) + Typed(contour), c.typed);
        for (std::size_t i = 1; i < contour.segments.size(); ++i)  // connected
            EXPECT_EQ(contour.segments[i].start, contour.segments[i - 1].end) << c.typed;
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
        {{a, {"", "0"}}, "2行目: 点が決まりません。X と Z を入力するか、角度 (A) や接円弧で決まるようにしてください。"},
        {{a, {"60", ""}}, "2行目: 点が決まりません。X と Z を入力するか、角度 (A) や接円弧で決まるようにしてください。"},
        {{a, {"60", "@x"}}, "2行目: Z が数値ではありません。"},
        {{{"60", "@5"}, b}, "1行目: 最初の行は X と Z を数値で入力してください。"},
        {{{"U60", "0"}, b}, "1行目: 最初の行は X と Z を数値で入力してください。"},
        {{a, {"3e9", "0"}}, "2行目: 数値が大きすぎます。"},
        {{a, b, b}, "3行目: 前の行と同じ点です。"},
        {{{"0", "0", "C1"}, b, c}, "1行目: 最初と最後の点には角を付けられません。"},
        {{a, b, {"60", "-25", "R1"}}, "3行目: 最初と最後の点には角を付けられません。"},
        {{a, {"0", "-10", "C1"}, {"0", "-20"}}, "2行目: 一直線上の点には角を付けられません。"},
        {{a, {"60", "0", "C1", "凹R40"}, c}, "2行目: 円弧の隣の点には角を付けられません。"},
        {{{"0", "0", "", "凸R40"}, {"60", "0", "R1"}, c}, "2行目: 円弧の隣の点には角を付けられません。"},
        {{a, {"60", "0", "C31"}, c}, "2行目: 角が線の長さに収まりません。"},
        {{a, {"60", "0", "C20"}, {"60", "-10", "C20"}, {"80", "-10"}}, "3行目: 角が線の長さに収まりません。"},
        {{a, {"60", "0", "C6"}, {"60", "-10", "C6"}, {"0", "-10"}}, "3行目: 角が線の長さに収まりません。"},
        {{a, {"60", "0", "D1"}, c}, "2行目: 角は C または R と大きさ (例: C1, R0.5)、または逃げ溝 (E0.6x0.3、F、DIN76 P1.5) で入力してください。"},
        {{a, {"60", "0", "C-1"}, c}, "2行目: 角や半径の大きさは0より大きくしてください。"},
        {{a, {"60", "0", "R0"}, c}, "2行目: 角や半径の大きさは0より大きくしてください。"},
        {{{"0", "0", "", "円R5"}, b},
         "1行目: 次の要素は 凹R・凸R と半径 (接円弧は 凸R5接)、または A と角度 (A150) で入力してください。直線なら空欄です。"},
        {{{"20", "0", "", "凹R1"}, {"20", "-8"}}, "1行目: 始点と終点の距離が直径より長いです。半径を大きくしてください。"},
        {{a, {"20", "-8", "", "凸R5"}}, "2行目: 最後の点の次の要素は描けません (次の点がありません)。"},
        {{a, {"x", "0"}, {"60", "0", "Q"}}, "2行目: X が数値ではありません。 (ほかに1行)"},
        {{a, {"60", "0", "C40"}, c, {"y", "0"}}, "2行目: 角が線の長さに収まりません。 (ほかに1行)"},
    };
    for (const auto& c : cases) {
        const TableContour contour = BuildContour(c.rows);
        EXPECT_EQ(ProblemLine(contour), c.line);
        EXPECT_FALSE(contour.Drawable()) << c.line;
    }
    std::vector<TableRow> many;
    for (std::size_t i = 0; i <= kMaxTableRows; ++i) many.push_back({"10", std::to_string(-double(i))});
    EXPECT_EQ(ProblemLine(BuildContour(many)), "1001行目: 行が多すぎます。1000行までです。");
}

// The preview draws every element it can build through a wrong row, and marks the wrong
// rows' points; a length goes on from the row before, read or not.
TEST(ContourTable, APreviewGoesOnThroughAWrongRow) {
    const struct {
        std::vector<TableRow> rows;
        const char* line;
        const char* typed;
        std::vector<ContourPoint> wrong;
    } cases[] = {
        // "R0." while "R0.5" is typed: the corner is left uncut, the rest is drawn.
        {{{"0", "0"}, {"60", "0", "C1"}, {"60", "-25", "R0."}, {"80", "-25"}, {"80", "-40"}},
         "3行目: 角や半径の大きさは0より大きくしてください。",
         "L 0,0 0,29/;L 0,29 -1,30/;L -1,30 -25,30/;L -25,30 -25,40/;L -25,40 -40,40/;", {{-25, 30}}},
        // A point not known: the elements on either side of it go, those beyond it stay.
        {{{"0", "0"}, {"60", "0"}, {"x", "-20"}, {"80", "-25"}, {"80", "-40"}}, "3行目: X が数値ではありません。",
         "L 0,0 0,30/;L -25,40 -40,40/;", {}},
        // A corner too large for its line goes; the line stays.
        {{{"0", "0"}, {"60", "0", "C40"}, {"60", "-25"}, {"80", "-25", "", "凹R1"}, {"80", "-45"}},
         "2行目: 角が線の長さに収まりません。 (ほかに1行)", "L 0,0 0,30/;L 0,30 -25,30/;L -25,30 -25,40/;",
         {{0, 30}, {-25, 40}}},
    };
    for (const auto& c : cases) {
        const TableContour contour = BuildContour(c.rows);
        EXPECT_EQ(ProblemLine(contour), c.line);
        EXPECT_EQ(Typed(contour), c.typed) << c.line;
        EXPECT_EQ(contour.WrongPoints(), c.wrong) << c.line;
    }
    const TableContour contour =
        BuildContour(std::vector<TableRow>{{"60", "0"}, {"abc", "@-10"}, {"80", "@-5"}, {"80", "-30"}});
    EXPECT_EQ(contour.points, (std::vector<std::optional<ContourPoint>>{
                                  ContourPoint{0, 30}, std::nullopt, ContourPoint{-15, 40}, ContourPoint{-30, 40}}));
}

// Open points worked out from the angled lines and tangent arcs around them, forward and
// backward, toward -Z and +Z; the worked-out column shows each, corners cut them as given ones.
TEST(ContourTable, OpenPointsAreWorkedOutFromAnglesTangentArcsAndSteps) {
    const struct {
        std::vector<TableRow> rows;
        const char* worked;  // the worked-out column, rows joined by "|"
        const char* typed;
    } cases[] = {
        {{{"40", "0", "", "A165"}, {"60", ""}}, "|X 60  Z -37.3205", "L 0,20 -37.3205,30/;"},
        {{{"40", "0", "", "A15"}, {"60", ""}}, "|X 60  Z 37.3205", "L 0,20 37.3205,30/;"},
        {{{"40", "0", "", "Ａ１５０"}, {"", "-10"}}, "|X 51.547  Z -10", "L 0,20 -10,25.7735/;"},
        {{{"40", "0"}, {"", "-10", "", "a 180"}, {"60", "-30"}}, "|X 60  Z -10|", "L 0,20 -10,30/;L -10,30 -30,30/;"},
        {{{"40", "0"}, {"", "10", "", "A0"}, {"60", "30"}}, "|X 60  Z 10|", "L 0,20 10,30/;L 10,30 30,30/;"},
        // Worked out backward from a point that is itself worked out from the row after it.
        {{{"40", "0"}, {"", "-10", "", "A180"}, {"60", "", "", "A165"}, {"80", "-50"}}, "|X 60  Z -10|X 60  Z -12.6795|",
         "L 0,20 -10,30/;L -10,30 -12.6795,30/;L -12.6795,30 -50,40/;"},
        {{{"0", "0", "", "A90"}, {"", "", "C1", "A180"}, {"60", "-20"}}, "|X 60  Z 0|",
         "L 0,0 0,29/;L 0,29 -1,30/;L -1,30 -20,30/;"},
        {{{"40", "0"}, {"u10", "w-5"}, {"U-10", "@5"}}, "|X 50  Z -5|X 40  Z 0", "L 0,20 -5,25/;L -5,25 0,20/;"},
        // A convex round down from a cylinder running toward -Z, then toward +Z; a concave one.
        {{{"40", "0"}, {"40", "-10", "", "凸R5接"}, {"30", ""}}, "||X 30  Z -15",
         "L 0,20 -10,20/;A -10,15/-10,20/-15,15/;"},
        {{{"40", "0"}, {"40", "10", "", "凸R5T"}, {"30", ""}}, "||X 30  Z 15", "L 0,20 10,20/;A 10,15/15,15/10,20/;"},
        {{{"40", "0"}, {"40", "-10", "", "凹 R5 接"}, {"50", ""}}, "||X 50  Z -15",
         "L 0,20 -10,20/;A -10,25/-15,25/-10,20/;"},
        // A tangent arc after a tangent arc: it runs on from the first one's end.
        {{{"40", "0"}, {"40", "-10", "", "凸R5接"}, {"30", "", "", "凹R5接"}, {"20", ""}}, "||X 30  Z -15|X 20  Z -20",
         "L 0,20 -10,20/;A -10,15/-10,20/-15,15/;A -20,15/-20,10/-15,15/;"},
        // A tangent arc after a face, up to the Z it reaches first; a chord of a whole diameter.
        {{{"0", "0"}, {"20", "0", "", "凸R10接"}, {"", "-10"}}, "||X 40  Z -10", "L 0,0 0,10/;A -10,10/0,10/-10,20/;"},
        {{{"20", "0", "", "凹R5"}, {"20", "-10"}}, "|", "A -5,10/-10,10/0,10/;"},
    };
    for (const auto& c : cases) {
        const TableContour contour = BuildContour(c.rows);
        std::string worked;
        for (std::size_t i = 0; i < contour.worked.size(); ++i) worked += (i > 0 ? "|" : "") + contour.worked[i];
        EXPECT_EQ(worked, c.worked) << c.typed;
        EXPECT_EQ(ProblemLine(contour) + Typed(contour), c.typed);
    }
}

TEST(ContourTable, OpenPointsThatCannotBeWorkedOutAreNamed) {
    auto at = [](int row, std::string_view reason) { return Fill(Fill(texts::kTableRowProblem, std::to_string(row)), reason); };
    const TableRow a{"40", "0"};
    const struct {
        std::vector<TableRow> rows;
        std::string line;
    } cases[] = {
        {{a, {"", "-10"}}, at(2, texts::kTableUndetermined)},
        {{a, {"", "", "", "A180"}, {"40", "-20"}}, at(2, texts::kTableUndetermined)},
        {{a, {"", "-10", "", "A165"}, {"60", ""}, {"60", "-50"}}, at(2, texts::kTableUndetermined) + " (ほかに1行)"},
        {{{"40", "0", "", "A180"}, {"50", "-10"}}, at(2, texts::kTableOffAngleLine)},
        {{{"40", "0", "", "A180"}, {"40", "10"}}, at(2, texts::kTableBehindAngle)},
        {{{"40", "0", "", "A165"}, {"30", ""}}, at(2, texts::kTableBehindAngle)},
        {{a, {"", "-10", "", "A180"}, {"60", "0"}}, at(2, texts::kTableBehindAngle)},
        {{{"40", "0", "", "A180"}, {"", "", "", "A0"}, {"40", "-20"}}, at(2, texts::kTableParallelAngles)},
        {{a, {"40", "-10", "", "凸R5接"}, {"10", ""}}, at(3, texts::kTableTangentNeverReaches)},
        {{a, {"40", "-10", "", "凸R5接"}, {"30", "-14"}}, at(3, texts::kTableOffTangentArc)},
        {{{"40", "0", "", "凸R5接"}, {"30", "-5"}}, at(1, texts::kTableTangentAtFirst)},
        {{a, {"30", "-5", "", "A"}}, at(2, texts::kTableElementUnreadable)},
        {{a, {"U", "-5"}}, at(2, texts::kTableXNotNumber)},
        {{{"0", "W-1"}, a}, at(1, texts::kTableFirstRowNumbers)},
    };
    for (const auto& c : cases) {
        const TableContour contour = BuildContour(c.rows);
        EXPECT_EQ(ProblemLine(contour), c.line);
        EXPECT_FALSE(contour.Drawable()) << c.line;
    }
    // A cell that cannot be read is not worked out: the row is named for it alone.
    const TableContour unread = BuildContour(std::vector<TableRow>{{"40", "0", "", "A165"}, {"abc", "-10"}});
    EXPECT_EQ(unread.worked, (std::vector<std::string>{"", "X ?  Z -10"}));
}

// A table given in full draws the same elements after a coordinate that an angle
// determines is blanked and the angle added to the row before.
TEST(ContourTable, AnAngleInPlaceOfACoordinateDrawsTheSameContour) {
    std::mt19937 rng(31);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    int compared = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<TableRow> rows;
        for (int i = 0; i < 6; ++i) {
            const double x = pick(0, 4000) / 40.0, z = -i * 10 - pick(0, 400) / 40.0;
            rows.push_back({NumberText(x), NumberText(z), i > 0 && i < 5 && pick(0, 2) == 0 ? "C0.5" : ""});
        }
        const TableContour full = BuildContour(rows);
        if (!full.Drawable()) continue;
        const auto row = static_cast<std::size_t>(pick(1, 5));
        const double dz = ParseNumber(rows[row].z) - ParseNumber(rows[row - 1].z);
        const double dr = (ParseNumber(rows[row].x) - ParseNumber(rows[row - 1].x)) / 2;
        std::vector<TableRow> open = rows;
        open[row - 1].element = "A" + NumberText(std::atan2(dr, dz) * 180 / std::numbers::pi);
        (pick(0, 1) == 0 && dr != 0 ? open[row].z : open[row].x) = "";
        const TableContour worked = BuildContour(open);
        EXPECT_EQ(ProblemLine(worked) + Typed(worked), Typed(full)) << rows[row - 1].x << "," << rows[row - 1].z;
        ++compared;
    }
    EXPECT_GT(compared, 150);
}

// The table's arc element has the centre an arc dialog finds for the same start, end and
// radius, rounded once where it is typed.
TEST(ContourTable, AnArcElementHasTheArcDialogsCentre) {
    std::mt19937 rng(509);
    auto value = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng) / 10.0; };
    for (int trial = 0; trial < 500; ++trial) {
        const double sx = value(0, 2000), sz = value(-1000, 1000), ex = value(0, 2000), ez = value(-1000, 1000);
        const double radius = std::hypot((ex - sx) / 2, ez - sz) / 2 + value(1, 500);
        for (const ArcSense sense : {ArcSense::Concave, ArcSense::Convex}) {
            ArcBoxes boxes{NumberText(sx), NumberText(sz), NumberText(radius), "", "", NumberText(ex), NumberText(ez)};
            ProfileState state;
            SolveArc(sense, boxes, state);
            const std::vector<TableRow> rows{{boxes[0], boxes[1], "", (sense == ArcSense::Concave ? "凹R" : "凸R") + boxes[2]},
                                             {boxes[5], boxes[6]}};
            const Segment arc = BuildContour(rows).segments.at(0);
            EXPECT_NEAR(ParseNumber(*arc.centre.rText), ParseNumber(boxes[3]) / 2, 1e-4) << boxes[3];
            EXPECT_NEAR(ParseNumber(*arc.centre.zText), ParseNumber(boxes[4]), 1e-4) << boxes[4];
        }
    }
    // Rounded once: 51.18034 is typed as 51.1803, not as 102.3607 halved and rounded again.
    const TableContour contour = BuildContour(std::vector<TableRow>{{"80", "-25", "", "凹R15"}, {"80", "-45"}});
    EXPECT_EQ(Typed(contour), "A -35,51.1803/-45,40/-25,40/;");
}

// Undercuts cut into the cylinder next to a face rising from it: each form, with the
// cylinder before the face and after it, toward -Z and toward +Z.
TEST(Undercut, EachFormIsCutIntoTheCylinderBesideTheShoulder) {
    const std::vector<TableRow> minusZ{{"0", "0"}, {"40", "0"}, {"40", "-30", "?"}, {"60", "-30"}, {"60", "-50"}};
    const std::vector<TableRow> faceFirstPlusZ{{"60", "-50"}, {"60", "-30"}, {"40", "-30", "?"}, {"40", "0"}, {"0", "0"}};
    const std::vector<TableRow> plusZ{{"40", "-50"}, {"40", "-20", "?"}, {"60", "-20"}, {"60", "0"}};
    const std::vector<TableRow> faceFirstMinusZ{{"60", "10"}, {"60", "0"}, {"40", "0", "?"}, {"40", "-30"}};
    const struct {
        const std::vector<TableRow>& rows;
        const char* corner;
        const char* typed;
    } cases[] = {
        {minusZ, "E", "L 0,0 0,20/;L 0,20 -27.5,20/;L -27.5,20 -28.6196,19.7/;L -28.6196,19.7 -29.4,19.7/;"
                      "A -29.4,20.3/-30,20.3/-29.4,19.7/;L -30,20.3 -30,30/;L -30,30 -50,30/;"},
        {faceFirstPlusZ, "e 0.6×0.3", "L -50,30 -30,30/;L -30,30 -30,20.3/;A -29.4,20.3/-30,20.3/-29.4,19.7/;"
                                      "L -29.4,19.7 -28.6196,19.7/;L -28.6196,19.7 -27.5,20/;L -27.5,20 0,20/;L 0,20 0,0/;"},
        {plusZ, "E", "L -50,20 -22.5,20/;L -22.5,20 -21.3804,19.7/;L -21.3804,19.7 -20.6,19.7/;"
                     "A -20.6,20.3/-20.6,19.7/-20,20.3/;L -20,20.3 -20,30/;L -20,30 0,30/;"},
        {faceFirstMinusZ, "E", "L 10,30 0,30/;L 0,30 0,20.3/;A -0.6,20.3/-0.6,19.7/0,20.3/;L -0.6,19.7 -1.3804,19.7/;"
                               "L -1.3804,19.7 -2.5,20/;L -2.5,20 -30,20/;"},
        // F: the arc reaches 0.2 behind the face plane, a line at 8 degrees to it leads back.
        {minusZ, "F", "L 0,0 0,20/;L 0,20 -27.5,20/;L -27.5,20 -28.6196,19.7/;L -28.6196,19.7 -29.6,19.7/;"
                      "A -29.6,20.3/-30.1942,20.3835/-29.6,19.7/;L -30.1942,20.3835 -30,21.765/;L -30,21.765 -30,30/;"
                      "L -30,30 -50,30/;"},
        {faceFirstPlusZ, "F", "L -50,30 -30,30/;L -30,30 -30,21.765/;L -30,21.765 -30.1942,20.3835/;"
                              "A -29.6,20.3/-30.1942,20.3835/-29.6,19.7/;L -29.6,19.7 -28.6196,19.7/;"
                              "L -28.6196,19.7 -27.5,20/;L -27.5,20 0,20/;L 0,20 0,0/;"},
        // DIN 76: a 30 degree flank, the face going on below the cylinder's surface.
        {minusZ, "DIN76 P1.5", "L 0,0 0,20/;L 0,20 -24.8,20/;L -24.8,20 -26.7919,18.85/;L -26.7919,18.85 -29.2,18.85/;"
                               "A -29.2,19.65/-30,19.65/-29.2,18.85/;L -30,19.65 -30,30/;L -30,30 -50,30/;"},
        {plusZ, "ＤＩＮ７６Ｂ Ｐ１．５", "L -50,20 -23.8,20/;L -23.8,20 -21.8081,18.85/;L -21.8081,18.85 -20.8,18.85/;"
                                        "A -20.8,19.65/-20.8,18.85/-20,19.65/;L -20,19.65 -20,30/;L -20,30 0,30/;"},
    };
    for (const auto& c : cases) {
        std::vector<TableRow> rows = c.rows;
        for (TableRow& row : rows)
            if (row.corner == "?") row.corner = c.corner;
        const TableContour contour = BuildContour(rows);
        EXPECT_EQ(ProblemLine(contour) + Typed(contour), c.typed) << c.corner;
        for (std::size_t i = 1; i < contour.segments.size(); ++i)
            EXPECT_EQ(contour.segments[i].start, contour.segments[i - 1].end) << c.typed;
    }
}

// E and F alone take the relief for the cylinder's diameter, shown in the worked-out column;
// an undercut that cannot be cut names its row and why.
TEST(Undercut, SizedFromTheDiameterOrRefusedWithTheReason) {
    auto shaft = [](const char* x, const char* corner, const char* faceX = "", const char* cylinderZ = "-30") {
        const std::string face = faceX[0] ? faceX : NumberText(ParseNumber(x) + 20);
        return std::vector<TableRow>{{"0", "0"}, {x, "0"}, {x, cylinderZ, corner}, {face, cylinderZ}};
    };
    for (const auto& [x, designation] : {std::pair{"3", "E0.2x0.1"}, {"3.0002", "E0.4x0.2"}, {"10", "E0.4x0.2"},
                                         {"18", "E0.6x0.2"}, {"80", "E0.6x0.3"}, {"80.0002", "E1x0.4"}}) {
        const TableContour contour = BuildContour(shaft(x, "E"));
        EXPECT_EQ(ProblemLine(contour), "") << x;
        EXPECT_EQ(contour.worked[2], designation) << x;
    }
    auto at = [](std::string_view reason) { return Fill(Fill(texts::kTableRowProblem, "3"), reason); };
    const struct {
        std::vector<TableRow> rows;
        std::string line;
    } cases[] = {
        {shaft("1.6", "F"), at(texts::kUndercutNoDiameter)},
        {shaft("40", "E0.7x0.3"), at(texts::kUndercutNoDesignation)},
        {shaft("40", "DIN76 P7"), at(texts::kUndercutNoPitch)},
        {shaft("40", "E", "20"), at(texts::kUndercutOutsideCorner)},
        {shaft("40", "E", "", "-2"), at(texts::kUndercutCylinderShort)},
        {shaft("40", "F", "42"), at(texts::kUndercutFaceShort)},
        {{{"0", "0"}, {"40", "0"}, {"40", "-30", "E"}, {"60", "-40"}}, at(texts::kUndercutNotCylinderAndFace)},
    };
    for (const auto& c : cases) EXPECT_EQ(ProblemLine(BuildContour(c.rows)), c.line);
}

// A user's norm file adds rows and replaces built-in ones; a bad row is named with its
// line, and the rest still serve.
TEST(Undercut, TheUsersNormFileAddsAndReplacesRows) {
    const std::string header(UndercutNorms::BuiltInText().substr(0, UndercutNorms::BuiltInText().find('\n') + 1));
    std::vector<std::string> problems;
    const UndercutNorms norms = UndercutNorms::BuiltIn().With(header +
        "DIN509,0.6x0.3,0.6,0.3,3,0.2,18,80,,,,our own\r\n"
        "DIN76,P4,2,,,,,,5.6,12,9,our own\r\n"
        "DIN509,0.6x0.3,0.6,0.4,2,0.2,,,,,,designation and t1 differ\r\n"
        "DIN509,1x1,1,1,4,0.3,,,,,,\r\n", problems);
    EXPECT_EQ(problems, (std::vector<std::string>{Fill(Fill(Fill(texts::kNormBadRow, "4"), "designation"),
                                                            "DIN509,0.6x0.3,0.6,0.4,2,0.2,,,,,,designation and t1 differ"),
                                                   Fill(Fill(Fill(texts::kNormBadRow, "5"), "source"),
                                                        "DIN509,1x1,1,1,4,0.3,,,,,,")}));
    const std::vector<TableRow> shaft{{"0", "0"}, {"40", "0"}, {"40", "-30", "E"}, {"60", "-30"}};
    EXPECT_EQ(Typed(BuildContour(shaft, norms)).substr(0, 26), "L 0,0 0,20/;L 0,20 -27,20/");  // f 3, not 2.5
    const std::vector<TableRow> thread{{"0", "0"}, {"60", "0"}, {"60", "-30", "DIN76 P4"}, {"80", "-30"}};
    EXPECT_EQ(ProblemLine(BuildContour(thread, norms)), "");
    EXPECT_NE(ProblemLine(BuildContour(thread)), "");
    EXPECT_EQ(UndercutNorms::BuiltIn().Rows().size(), 20u);
}

}  // namespace
}  // namespace kelo
