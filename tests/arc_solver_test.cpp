// The arc solver: which rule runs, what it writes into the boxes and fields, and how it
// refuses inputs the geometry cannot take. Boxes are written "Text1|Text2|...|Text7".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "text/FormatCoord.h"
#include "text/Texts.h"
#include "profiles/ArcSolver.h"
#include "text/NumberRules.h"

namespace kelo {
namespace {

constexpr ArcSense kSenses[] = {ArcSense::Concave, ArcSense::Convex};

ArcBoxes Boxes(std::string_view text) {
    ArcBoxes boxes;
    for (std::string& box : boxes) {
        const std::size_t bar = std::min(text.find('|'), text.size());
        box = text.substr(0, bar);
        text.remove_prefix(std::min(bar + 1, text.size()));
    }
    return boxes;
}

std::string Join(const ArcBoxes& boxes) {
    std::string text = boxes[0];
    for (std::size_t i = 1; i < boxes.size(); ++i) text += "|" + boxes[i];
    return text;
}

struct Outcome {
    ArcBoxes boxes;
    ProfileState state;
    ArcSolveResult result;
};

Outcome Solve(ArcSense sense, std::string_view boxes, ProfileState state = {}) {
    Outcome run{Boxes(boxes), state, {}};
    run.result = SolveArc(sense, run.boxes, run.state);
    return run;
}

std::string Trace(ArcSense sense, std::string_view boxes) {
    return (sense == ArcSense::Concave ? "concave " : "convex ") + std::string(boxes);
}

bool AllFinite(const ProfileState& s) {
    for (double v : {s.EndZ, s.CosRatio, s.OffsetR, s.OffsetZ, s.Chord, s.ChordAngle, s.BaseAngle}) {
        if (!std::isfinite(v)) return false;
    }
    for (const TextOrNumber* f : {&s.StartX, &s.StartZ, &s.EndX, &s.CenterX, &s.CenterZ, &s.Radius}) {
        if (!f->HoldsText() && !std::isfinite(f->AsNumber())) return false;
    }
    return true;
}

TEST(SolveArc, AppliesTheFirstRuleThatHoldsAndWritesOnlyItsBoxes) {
    const struct {
        const char* in;
        ArcRule rule;
        std::vector<int> written;
        const char *concave, *convex;
    } cases[] = {
        {"20|0|5|||20|-8", ArcRule::Centre, {4, 5}, "20|0|5|26|-4|20|-8", "20|0|5|14|-4|20|-8"},
        {"20|0|5|||20|8", ArcRule::Centre, {4, 5}, "20|0|5|26|4|20|8", "20|0|5|14|4|20|8"},
        {"20|0|10|||30|-10", ArcRule::Centre, {4, 5}, "20|0|10|39.8324|-1.2919|30|-10",
         "20|0|10|10.1676|-8.7081|30|-10"},
        // Equal Z: both senses put the centre left of the direction of travel.
        {"20|0|5|||26|0", ArcRule::Centre, {4, 5}, "20|0|5|23|-4.7697|26|0", "20|0|5|23|-4.7697|26|0"},
        {"20|0|5|||14|0", ArcRule::Centre, {4, 5}, "20|0|5|17|4.7697|14|0", "20|0|5|17|4.7697|14|0"},
        // Every box filled: the centre is recomputed, not trusted.
        {"20|0|5|1|2|20|-8", ArcRule::Centre, {4, 5}, "20|0|5|26|-4|20|-8", "20|0|5|14|-4|20|-8"},
        // A negative radius puts the centre across the chord.
        {"20|0|-5|||20|-8", ArcRule::Centre, {4, 5}, "20|0|-5|14|-4|20|-8", "20|0|-5|26|-4|20|-8"},
        {"20|0||26|-4|20|-8", ArcRule::Radius, {3}, "20|0|5|26|-4|20|-8", "20|0|5|26|-4|20|-8"},
        {"20|0||26|-4||", ArcRule::Radius, {3}, "20|0|5|26|-4||", "20|0|5|26|-4||"},
        {"20|0|5|26|-4|20|", ArcRule::EndZ, {7}, "20|0|5|26|-4|20|-8", "20|0|5|26|-4|20|0"},
        {"20|0|5mm|26|-4|20|", ArcRule::EndZ, {7}, "20|0|5mm|26|-4|20|-8", "20|0|5mm|26|-4|20|0"},
        {"20|0|5|26|-4||-8", ArcRule::EndX, {6}, "20|0|5|26|-4|32|-8", "20|0|5|26|-4|32|-8"},
        {"20|0|5|26|-4||x", ArcRule::EndX, {6}, "20|0|5|26|-4|32|x", "20|0|5|26|-4|32|x"},  // end Z reads 0
        {"20|0|5||||", ArcRule::None, {}, "20|0|5||||", "20|0|5||||"},
        {"20|0||||20|-8", ArcRule::None, {}, "20|0||||20|-8", "20|0||||20|-8"},
        {"20|0|5|26||20|", ArcRule::None, {}, "20|0|5|26||20|", "20|0|5|26||20|"},
        {"20|0| |26|-4||", ArcRule::None, {}, "20|0| |26|-4||", "20|0| |26|-4||"},  // a blank is not empty
    };
    for (const auto& c : cases) {
        for (ArcSense sense : kSenses) {
            SCOPED_TRACE(Trace(sense, c.in));
            const Outcome run = Solve(sense, c.in);
            EXPECT_EQ(run.result.rule, c.rule);
            EXPECT_EQ(run.result.written, c.written);
            EXPECT_EQ(run.result.problem, "");
            EXPECT_TRUE(run.result.focusMoves.empty());
            EXPECT_EQ(Join(run.boxes), sense == ArcSense::Concave ? c.concave : c.convex);
            EXPECT_EQ(run.state.StartX, TextOrNumber("20"));  // refreshed whether or not a rule ran
            EXPECT_EQ(run.state.StartZ, TextOrNumber("0"));
        }
    }
}

TEST(SolveArc, CentreRuleStoresTextsAsTypedAndRoundedCentres) {
    Outcome run = Solve(ArcSense::Concave, "20| 0|10|||30.0|-10.00");
    EXPECT_EQ(run.state.StartZ, TextOrNumber(" 0"));
    EXPECT_EQ(run.state.Radius, TextOrNumber("10"));
    EXPECT_EQ(run.state.EndX, TextOrNumber("30.0"));
    EXPECT_EQ(run.state.EndZ, -10);
    EXPECT_EQ(run.state.CenterX, TextOrNumber(39.8324));
    EXPECT_EQ(run.state.CenterZ, TextOrNumber(-1.2919));

    // Chords parallel to the axis take their direction exactly, without the arc cosine.
    const struct {
        const char* boxes;
        double chordAngle;
    } parallel[] = {{"20|0|5|||20|-8", kProfilePi}, {"20|0|5|||20|8", 0}};
    for (const auto& c : parallel) {
        SCOPED_TRACE(c.boxes);
        run = Solve(ArcSense::Convex, c.boxes);
        EXPECT_EQ(run.state.ChordAngle, c.chordAngle);
        EXPECT_EQ(run.state.Chord, 8);
        EXPECT_EQ(run.state.CosRatio, 0.8);
        EXPECT_NEAR(run.state.BaseAngle, std::acos(0.8), 1e-15);
    }
}

TEST(SolveArc, OtherRulesStoreNumbersRoundedAsShown) {
    const struct {
        const char *in, *out;
        TextOrNumber ProfileState::*field;
        double stored;
    } cases[] = {
        {"20|0||27|-4||", "20|0|5.3151|27|-4||", &ProfileState::Radius, 5.3151},
        {"20|0|5|26|-4||-6", "20|0|5|26|-4|35.1652|-6", &ProfileState::EndX, 35.1652},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        const Outcome run = Solve(ArcSense::Concave, c.in);
        EXPECT_EQ(Join(run.boxes), c.out);
        EXPECT_EQ(run.state.*c.field, TextOrNumber(c.stored));
    }
    // The end-Z rule keeps its lenient readings as numbers, not as the texts typed.
    const Outcome run = Solve(ArcSense::Concave, "20|0|5mm|26|-4|21|");
    EXPECT_EQ(run.boxes[6], "-8.3301");
    EXPECT_EQ(run.state.EndZ, -8.3301);
    EXPECT_EQ(run.state.Radius, TextOrNumber(5.0));
    EXPECT_EQ(run.state.CenterZ, TextOrNumber(-4.0));
    EXPECT_EQ(run.state.EndX, TextOrNumber(21.0));
}

TEST(SolveArc, EmptyStartBoxesTakeTheFocusAndTheRuleUsesThePreviousStart) {
    const struct {
        const char* in;
        std::vector<int> focus;
        const char* out;
        TextOrNumber startZ;
    } cases[] = {
        {"|0|5|||30|-8", {1}, "|0|5|36|-4|30|-8", "0"},  // start X still "30" from an earlier run
        {"30||5|||30|-8", {2}, "30||5|36|-4|30|-8", 0.0},
        {"||5|||30|-8", {1, 2}, "||5|36|-4|30|-8", 0.0},
        {"||5||||", {1, 2}, "||5||||", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        ProfileState state;
        state.StartX = "30";
        const Outcome run = Solve(ArcSense::Concave, c.in, state);
        EXPECT_EQ(run.result.focusMoves, c.focus);
        EXPECT_EQ(Join(run.boxes), c.out);
        EXPECT_EQ(run.state.StartX, TextOrNumber("30"));
        EXPECT_EQ(run.state.StartZ, c.startZ);
    }
}

TEST(SolveArc, RefusesInputsOutsideItsLimitsWithoutTouchingTheTargetBoxes) {
    const struct {
        const char* in;
        std::string_view problem;
    } cases[] = {
        {"20|0|abc|||20|-8", texts::kArcRadiusNotNumber},
        {"20|0|5|||20mm|-8", texts::kArcEndXNotNumber},
        {"20|0|5|||20| ", texts::kArcEndZNotNumber},
        {"x|0|5|||20|-8", texts::kArcStartXNotNumber},
        {"20|1,5|5|||20|-8", texts::kArcStartZNotNumber},
        {"20|0|5|||20|0", texts::kArcStartIsEnd},
        {"20|0|0|||20|-8", texts::kArcZeroRadius},
        {"20|0|4|||20|-8", texts::kArcChordTooLong},  // end diametrically opposite
        {"20|0|-4|||20|-8", texts::kArcChordTooLong},
        {"20|0|3|||36|-1", texts::kArcChordTooLong},
        {"20|0|1E-200|||20|-1E150", texts::kArcChordTooLong},  // the ratio overflows
        {"20|-1E308|5|||20|1E308", texts::kArcOutOfRange},
        {"20|0|1E305|||30|0", texts::kArcOutOfRange},  // centre Z too large to round, centre X not
        {"20|0||abc|-4||", texts::kArcCenterXNotNumber},
        {"20|0||26|-||", texts::kArcCenterZNotNumber},
        {"-1E308|0||1E308|-4||", texts::kArcOutOfRange},
        {"20|0||1E300|-4||", texts::kArcOutOfRange},
        {"20|0|5|26|-4|40|", texts::kArcEndOutOfReach},
        {"20|0|5|26|-4|abc|", texts::kArcEndOutOfReach},  // reads as 0
        {"20|0|1E400|26|-4|20|", texts::kArcOutOfRange},
        {"20|0|1E200|26|-4|20|", texts::kArcOutOfRange},
        {"20|0|5|26|-4||10", texts::kArcEndOutOfReach},
        {"20|0|5|1E305|-4||-8", texts::kArcOutOfRange},  // an end X too large to round
    };
    for (const auto& c : cases) {
        for (ArcSense sense : kSenses) {
            SCOPED_TRACE(Trace(sense, c.in));
            Outcome run;
            EXPECT_NO_THROW(run = Solve(sense, c.in));
            EXPECT_NE(run.result.rule, ArcRule::None);
            EXPECT_EQ(run.result.problem, c.problem);
            EXPECT_TRUE(run.result.written.empty());
            EXPECT_EQ(Join(run.boxes), c.in);
            EXPECT_TRUE(AllFinite(run.state));
        }
    }
}

TEST(SolveArc, RefusedRuleKeepsWhatItStoredBeforeTheFailingStep) {
    ProfileState state;
    state.CenterX = "7";
    state.BaseAngle = 0.5;
    const Outcome run = Solve(ArcSense::Concave, "20|0|abc|||20|-8", state);
    EXPECT_EQ(run.state.Radius, TextOrNumber("abc"));
    EXPECT_EQ(run.state.EndX, TextOrNumber("20"));
    EXPECT_EQ(run.state.EndZ, -8);
    EXPECT_EQ(run.state.ChordAngle, kProfilePi);  // reached before the radius is read
    EXPECT_EQ(run.state.BaseAngle, 0.5);
    EXPECT_EQ(run.state.CenterX, TextOrNumber("7"));
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
        for (ArcSense sense : kSenses) {
            SCOPED_TRACE(Trace(sense, in));
            const Outcome run = Solve(sense, in);
            ASSERT_EQ(run.result.problem, "");
            const double cr = ParseNumber(run.boxes[3]) / 2 - sx / 2, cz = ParseNumber(run.boxes[4]) - sz;
            EXPECT_NEAR(std::hypot(cr, cz), std::fabs(radius), 1e-4);
            EXPECT_NEAR(std::hypot(cr - dr, cz - dz), std::fabs(radius), 1e-4);
            // Positive: left of the travel from start to end.
            const double left = -dr * cz + dz * cr;
            bool wantLeft = radius > 0;
            if (dz != 0) {
                const bool awayFromAxis = (sense == ArcSense::Concave) == (radius > 0);
                wantLeft = (dz > 0) == awayFromAxis;  // left of a chord toward larger Z is toward larger r
            }
            EXPECT_EQ(left > 0, wantLeft);
        }
    }
}

}  // namespace
}  // namespace kelo
