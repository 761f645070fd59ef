// The arc solver: which rule runs, what it writes into the boxes and fields, and how it
// refuses inputs the geometry cannot take. Boxes are written "Text1|Text2|...|Text7".
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "profiles/ArcSolver.h"
#include "text/FormatCoord.h"
#include "text/NumberRules.h"
#include "text/Texts.h"

namespace kelo {
namespace {

using enum ArcRule;

struct Outcome {
    ArcBoxes boxes;
    ProfileState state;
    ArcSolveResult result;
    std::string Boxes() const {
        std::string text = boxes[0];
        for (std::size_t i = 1; i < boxes.size(); ++i) text += "|" + boxes[i];
        return text;
    }
    std::string Written() const {
        std::string text;
        for (int box : result.written) text += std::to_string(box);
        return text;
    }
};

Outcome Solve(ArcSense sense, std::string_view text, ProfileState state = {}) {
    Outcome run{{}, state, {}};
    for (std::string& box : run.boxes) {
        const std::size_t bar = std::min(text.find('|'), text.size());
        box = text.substr(0, bar);
        text.remove_prefix(std::min(bar + 1, text.size()));
    }
    run.result = SolveArc(sense, run.boxes, run.state);
    return run;
}

// The first rule whose inputs are present runs and writes only its boxes; the start point is refreshed.
TEST(SolveArc, AppliesTheFirstRuleThatHoldsAndWritesOnlyItsBoxes) {
    const struct {
        const char* in;
        ArcRule rule;
        const char *written, *concave, *convex;
    } cases[] = {
        {"20|0|5|||20|-8", Centre, "45", "20|0|5|26|-4|20|-8", "20|0|5|14|-4|20|-8"},
        {"20|0|5|||20|8", Centre, "45", "20|0|5|26|4|20|8", "20|0|5|14|4|20|8"},
        {"20|0|10|||30|-10", Centre, "45", "20|0|10|39.8324|-1.2919|30|-10", "20|0|10|10.1676|-8.7081|30|-10"},
        // Equal Z: both senses put the centre left of the direction of travel.
        {"20|0|5|||26|0", Centre, "45", "20|0|5|23|-4.7697|26|0", "20|0|5|23|-4.7697|26|0"},
        {"20|0|5|||14|0", Centre, "45", "20|0|5|17|4.7697|14|0", "20|0|5|17|4.7697|14|0"},
        {"20|0|5|1|2|20|-8", Centre, "45", "20|0|5|26|-4|20|-8", "20|0|5|14|-4|20|-8"},  // recomputed, not trusted
        {"20|0|-5|||20|-8", Centre, "45", "20|0|-5|14|-4|20|-8", "20|0|-5|26|-4|20|-8"},  // across the chord
        {"20|0||26|-4|20|-8", Radius, "3", "20|0|5|26|-4|20|-8", "20|0|5|26|-4|20|-8"},
        {"20|0||27|-4||", Radius, "3", "20|0|5.3151|27|-4||", "20|0|5.3151|27|-4||"},
        {"20|0|5|26|-4|20|", EndZ, "7", "20|0|5|26|-4|20|-8", "20|0|5|26|-4|20|0"},
        {"20|0|5mm|26|-4|20|", EndZ, "7", "20|0|5mm|26|-4|20|-8", "20|0|5mm|26|-4|20|0"},
        {"20|0|5|26|-4||-8", EndX, "6", "20|0|5|26|-4|32|-8", "20|0|5|26|-4|32|-8"},
        {"20|0|5|26|-4||-6", EndX, "6", "20|0|5|26|-4|35.1652|-6", "20|0|5|26|-4|35.1652|-6"},
        {"20|0|5|26|-4||x", EndX, "6", "20|0|5|26|-4|32|x", "20|0|5|26|-4|32|x"},  // end Z reads 0
        {"20|0|5||||", None, "", "20|0|5||||", "20|0|5||||"},
        {"20|0||||20|-8", None, "", "20|0||||20|-8", "20|0||||20|-8"},
        {"20|0|5|26||20|", None, "", "20|0|5|26||20|", "20|0|5|26||20|"},
        {"20|0| |26|-4||", None, "", "20|0| |26|-4||", "20|0| |26|-4||"},  // a blank is not empty
    };
    for (const auto& c : cases) {
        for (ArcSense sense : {ArcSense::Concave, ArcSense::Convex}) {
            const Outcome run = Solve(sense, c.in);
            SCOPED_TRACE(c.in + std::string(sense == ArcSense::Concave ? " concave" : " convex"));
            EXPECT_EQ(run.result.rule, c.rule);
            EXPECT_EQ(run.Written(), c.written);
            EXPECT_EQ(run.result.problem + run.Boxes(), sense == ArcSense::Concave ? c.concave : c.convex);
            EXPECT_TRUE(run.result.focusMoves.empty());
            EXPECT_EQ(run.state.StartX, TextOrNumber("20"));
            EXPECT_EQ(run.state.StartZ, TextOrNumber("0"));
        }
    }
}

// The centre rule keeps the texts as typed and the centre rounded as shown; the other rules
// store what they computed as numbers, lenient readings included.
TEST(SolveArc, StoresTextsAsTypedAndComputedValuesRoundedAsShown) {
    Outcome run = Solve(ArcSense::Concave, "20| 0|10|||30.0|-10.00");
    EXPECT_EQ(std::vector({run.state.StartZ, run.state.Radius, run.state.EndX, run.state.CenterX, run.state.CenterZ}),
              std::vector<TextOrNumber>({" 0", "10", "30.0", 39.8324, -1.2919}));
    EXPECT_EQ(run.state.EndZ, -10);
    run = Solve(ArcSense::Concave, "20|0||27|-4||");
    EXPECT_EQ(run.state.Radius, TextOrNumber(5.3151));
    run = Solve(ArcSense::Concave, "20|-3||26|-7||");  // the distance from a start off Z 0
    EXPECT_EQ(run.state.Radius, TextOrNumber(5.0));
    run = Solve(ArcSense::Concave, "20|0|5|26|-4||-6");
    EXPECT_EQ(run.state.EndX, TextOrNumber(35.1652));
    run = Solve(ArcSense::Concave, "20|0|5mm|26|-4|21|");
    EXPECT_EQ(std::vector({run.state.Radius, run.state.CenterZ, run.state.EndX}),
              std::vector<TextOrNumber>({5.0, -4.0, 21.0}));
    EXPECT_EQ(run.state.EndZ, -8.3301);
    // Chords parallel to the axis take their direction exactly, without the arc cosine.
    for (auto [boxes, angle] : {std::pair{"20|0|5|||20|-8", kProfilePi}, {"20|0|5|||20|8", 0.0}}) {
        run = Solve(ArcSense::Convex, boxes);
        EXPECT_EQ(std::vector({run.state.ChordAngle, run.state.Chord, run.state.CosRatio}),
                  std::vector({angle, 8.0, 0.8}));
        EXPECT_NEAR(run.state.BaseAngle, std::acos(0.8), 1e-15);
    }
}

// An empty start box takes the focus, and the rule uses the start point stored before.
TEST(SolveArc, EmptyStartBoxesTakeTheFocusAndTheRuleUsesThePreviousStart) {
    const struct {
        const char *in, *focus, *out;
        TextOrNumber startZ;
    } cases[] = {
        {"|0|5|||30|-8", "1", "|0|5|36|-4|30|-8", "0"},
        {"30||5|||30|-8", "2", "30||5|36|-4|30|-8", 0.0},
        {"||5|||30|-8", "12", "||5|36|-4|30|-8", 0.0},
        {"||5||||", "12", "||5||||", 0.0},
    };
    for (const auto& c : cases) {
        ProfileState state;
        state.StartX = "30";  // from an earlier run
        const Outcome run = Solve(ArcSense::Concave, c.in, state);
        std::string focus;
        for (int box : run.result.focusMoves) focus += std::to_string(box);
        EXPECT_EQ(focus, c.focus) << c.in;
        EXPECT_EQ(run.Boxes(), c.out);
        EXPECT_EQ(run.state.StartX, TextOrNumber("30"));
        EXPECT_EQ(run.state.StartZ, c.startZ);
    }
}

// A refused rule writes no box, says why, and leaves every field finite with what it had
// stored before the failing step.
TEST(SolveArc, RefusesInputsOutsideItsLimits) {
    const std::pair<const char*, std::string_view> cases[] = {
        {"20|0|abc|||20|-8", texts::kArcRadiusNotNumber},    {"20|0|5|||20mm|-8", texts::kArcEndXNotNumber},
        {"20|0|5|||20| ", texts::kArcEndZNotNumber},          {"x|0|5|||20|-8", texts::kArcStartXNotNumber},
        {"20|1,5|5|||20|-8", texts::kArcStartZNotNumber},    {"20|0|5|||20|0", texts::kArcStartIsEnd},
        {"20|0|0|||20|-8", texts::kArcZeroRadius},           {"20|0|4|||20|-8", texts::kArcChordTooLong},
        {"20|0|-4|||20|-8", texts::kArcChordTooLong},        {"20|0|3|||36|-1", texts::kArcChordTooLong},
        {"20|0|1E-200|||20|-1E150", texts::kArcChordTooLong},  // the ratio overflows
        {"20|-1E308|5|||20|1E308", texts::kArcOutOfRange},   {"20|0|1E305|||30|0", texts::kArcOutOfRange},
        {"20|0||abc|-4||", texts::kArcCenterXNotNumber},     {"20|0||26|-||", texts::kArcCenterZNotNumber},
        {"-1E308|0||1E308|-4||", texts::kArcOutOfRange},     {"20|0||1E300|-4||", texts::kArcOutOfRange},
        {"20|0|5|26|-4|40|", texts::kArcEndOutOfReach},      {"20|0|5|26|-4|abc|", texts::kArcEndOutOfReach},
        {"20|0|1E400|26|-4|20|", texts::kArcOutOfRange},     {"20|0|1E200|26|-4|20|", texts::kArcOutOfRange},
        {"20|0|5|26|-4||10", texts::kArcEndOutOfReach},      {"20|0|5|1E305|-4||-8", texts::kArcOutOfRange},
    };
    for (const auto& [in, problem] : cases) {
        for (ArcSense sense : {ArcSense::Concave, ArcSense::Convex}) {
            const Outcome run = Solve(sense, in);
            EXPECT_NE(run.result.rule, None) << in;
            EXPECT_EQ(run.result.problem, problem) << in;
            EXPECT_EQ(run.Written() + run.Boxes(), in);
            const ProfileState& s = run.state;
            for (double v : {s.EndZ, s.CosRatio, s.OffsetR, s.OffsetZ, s.Chord, s.ChordAngle, s.BaseAngle})
                EXPECT_TRUE(std::isfinite(v)) << in;
            for (const TextOrNumber* f : {&s.StartX, &s.StartZ, &s.EndX, &s.CenterX, &s.CenterZ, &s.Radius})
                EXPECT_TRUE(f->HoldsText() || std::isfinite(f->AsNumber())) << in;
        }
    }
    ProfileState state;
    state.CenterX = "7";
    state.BaseAngle = 0.5;
    const Outcome run = Solve(ArcSense::Concave, "20|0|abc|||20|-8", state);
    EXPECT_EQ(std::vector({run.state.Radius, run.state.EndX, run.state.CenterX}),
              std::vector<TextOrNumber>({"abc", "20", "7"}));
    EXPECT_EQ(std::vector({run.state.EndZ, run.state.ChordAngle, run.state.BaseAngle}),
              std::vector({-8.0, kProfilePi, 0.5}));  // the chord is reached before the radius is read
}

// Random valid arcs: the centre is as far from the end as from the start, and on the side
// of the chord the sense asks for.
TEST(SolveArc, CentreIsEquidistantAndOnTheSenseSide) {
    std::mt19937 rng(20240611);
    auto uniform = [&](double low, double high) {
        double v = std::uniform_real_distribution<double>(low, high)(rng);
        FormatCoord(v);  // typed values have at most 4 decimals
        return v;
    };
    for (int i = 0; i < 3000; ++i) {
        const double sx = uniform(0, 400), sz = uniform(-300, 300), ex = uniform(0, 400);
        const double ez = i % 10 == 0 ? sz : uniform(-300, 300);
        const double dr = (ex - sx) / 2, dz = ez - sz, chord = std::hypot(dr, dz);
        if (chord < 0.01) continue;
        const double radius = uniform(std::max(0.5, chord / 1.9), chord * 3 + 1) * (rng() % 2 ? 1 : -1);
        const std::string in = NumberText(sx) + "|" + NumberText(sz) + "|" + NumberText(radius) + "|||" +
                               NumberText(ex) + "|" + NumberText(ez);
        for (ArcSense sense : {ArcSense::Concave, ArcSense::Convex}) {
            SCOPED_TRACE(in + (sense == ArcSense::Concave ? " concave" : " convex"));
            const Outcome run = Solve(sense, in);
            ASSERT_EQ(run.result.problem, "");
            const double cr = ParseNumber(run.boxes[3]) / 2 - sx / 2, cz = ParseNumber(run.boxes[4]) - sz;
            EXPECT_NEAR(std::hypot(cr, cz), std::fabs(radius), 1e-4);
            EXPECT_NEAR(std::hypot(cr - dr, cz - dz), std::fabs(radius), 1e-4);
            // Positive: left of the travel from start to end; left of a chord toward larger Z is toward larger r.
            const bool awayFromAxis = (sense == ArcSense::Concave) == (radius > 0);
            EXPECT_EQ(-dr * cz + dz * cr > 0, dz != 0 ? (dz > 0) == awayFromAxis : radius > 0);
        }
    }
}

}  // namespace
}  // namespace kelo
