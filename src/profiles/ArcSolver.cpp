#include "profiles/ArcSolver.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "geometry/Geometry.h"
#include "text/FormatCoord.h"
#include "text/Texts.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

// Index into ArcBoxes of each box.
constexpr int kStartXBox = 0, kStartZBox = 1, kRadiusBox = 2, kCenterXBox = 3, kCenterZBox = 4, kEndXBox = 5,
              kEndZBox = 6;

// What a rule asks of the boxes Text3 to Text7.
enum class Need : std::uint8_t { Any, Filled, Empty };

struct RuleRow {
    ArcRule rule;
    std::array<Need, 5> boxes;  // radius, centre X, centre Z, end X, end Z
};

// In the order they are tried: the centre rule wins whenever radius and end point are there,
// so a filled centre is recomputed rather than trusted.
using enum Need;
constexpr RuleRow kRules[] = {
    {ArcRule::Centre, {Filled, Any, Any, Filled, Filled}},
    {ArcRule::Radius, {Empty, Filled, Filled, Any, Any}},
    {ArcRule::EndZ, {Filled, Filled, Filled, Filled, Empty}},
    {ArcRule::EndX, {Filled, Filled, Filled, Empty, Filled}},
};

ArcRule FirstRule(const ArcBoxes& boxes) {
    for (const RuleRow& row : kRules) {
        bool holds = true;
        for (int i = 0; i < 5; ++i) {
            const bool empty = boxes[kRadiusBox + i].empty();  // a blank is not empty
            if ((row.boxes[i] == Filled && empty) || (row.boxes[i] == Empty && !empty)) holds = false;
        }
        if (holds) return row.rule;
    }
    return ArcRule::None;
}

// Ends a rule at the step where an unguarded run would have failed. The steps before it keep
// their effects on the fields; the boxes are written only by a rule's last step.
struct RuleStop {
    std::string_view problem;
};

// Every intermediate result passes through here before it is stored, so no field ever holds
// an infinity or a NaN.
double Finite(double value, std::string_view problem = texts::kArcOutOfRange) {
    if (!std::isfinite(value)) throw RuleStop{problem};
    return value;
}

// A field read as a number: a text is read strictly, at each use.
double Strict(const TextOrNumber& field, std::string_view notNumber) {
    try {
        return Finite(field.AsNumber());
    } catch (const NumberError&) {
        throw RuleStop{notNumber};
    }
}

// The end rules' reading: never fails on text, but "1E400" saturates to an infinity.
double Lenient(const std::string& box) { return Finite(ParseLeadingNumber(box)); }

// √(a² − b²): an end the circle does not reach ends the rule.
double Leg(double a, double b) {
    Finite(a * a);
    Finite(b * b);
    return Finite(OtherLeg(a, b), texts::kArcEndOutOfReach);
}

// FormatCoord for the solver: a value too large to round ends the rule.
std::string Render(double& value) {
    try {
        return FormatCoord(value);
    } catch (const std::overflow_error&) {
        throw RuleStop{texts::kArcOutOfRange};
    }
}

// Radius and end point → centre.
std::vector<int> CentreRule(ArcSense sense, ArcBoxes& boxes, ProfileState& s) {
    s.Radius = boxes[kRadiusBox];
    s.EndX = boxes[kEndXBox];
    s.EndZ = Strict(boxes[kEndZBox], texts::kArcEndZNotNumber);

    const double endX = Strict(s.EndX, texts::kArcEndXNotNumber);
    const double startX = Strict(s.StartX, texts::kArcStartXNotNumber);
    const double startZ = Strict(s.StartZ, texts::kArcStartZNotNumber);
    const DialogChord chord = ChordOf(startX, startZ, endX, s.EndZ, s.Pi);
    s.OffsetR = Finite(chord.offsetR);
    s.OffsetZ = Finite(chord.offsetZ);
    s.Chord = Finite(chord.chord);
    if (s.Chord == 0) throw RuleStop{texts::kArcStartIsEnd};  // 0 / 0 below
    s.CosRatio = Finite(chord.cosRatio);
    s.ChordAngle = Finite(chord.chordAngle);

    const double radius = Strict(s.Radius, texts::kArcRadiusNotNumber);
    if (radius == 0) throw RuleStop{texts::kArcZeroRadius};
    const DialogCentre found = CentreOf(chord, startX, startZ, s.EndZ, radius, sense);
    s.CosRatio = Finite(found.cosRatio, texts::kArcChordTooLong);
    s.BaseAngle = Finite(found.baseAngle, texts::kArcChordTooLong);
    double centerZ = Finite(found.centreZ);
    s.CenterZ = centerZ;
    double centerX = Finite(found.centreX);
    s.CenterX = centerX;

    // Both rounded before either box is written, so a refused centre leaves both boxes as they were.
    std::string xText = Render(centerX);
    std::string zText = Render(centerZ);
    s.CenterX = centerX;
    s.CenterZ = centerZ;
    boxes[kCenterXBox] = std::move(xText);
    boxes[kCenterZBox] = std::move(zText);
    return {kCenterXBox + 1, kCenterZBox + 1};
}

// Centre → radius, as the distance from the start point; the end point plays no part.
std::vector<int> RadiusRule(ArcSense, ArcBoxes& boxes, ProfileState& s) {
    s.CenterX = boxes[kCenterXBox];
    s.CenterZ = boxes[kCenterZBox];

    const double centerX = Strict(s.CenterX, texts::kArcCenterXNotNumber);
    s.OffsetR = Finite((centerX - Strict(s.StartX, texts::kArcStartXNotNumber)) / 2);
    const double centerZ = Strict(s.CenterZ, texts::kArcCenterZNotNumber);
    s.OffsetZ = Finite(centerZ - Strict(s.StartZ, texts::kArcStartZNotNumber));
    double radius = Finite(std::sqrt(s.OffsetZ * s.OffsetZ + s.OffsetR * s.OffsetR));
    s.Radius = radius;

    boxes[kRadiusBox] = Render(radius);
    s.Radius = radius;
    return {kRadiusBox + 1};
}

// What both end rules read first, leniently, and store: the radius and the centre.
struct CircleFields {
    double radius, centerX, centerZ;
};
CircleFields ReadCircle(const ArcBoxes& boxes, ProfileState& s) {
    CircleFields c{};
    s.Radius = c.radius = Lenient(boxes[kRadiusBox]);
    s.CenterX = c.centerX = Lenient(boxes[kCenterXBox]);
    s.CenterZ = c.centerZ = Lenient(boxes[kCenterZBox]);
    return c;
}

// Radius, centre and end X → end Z: of the circle's two points at that X, the concave arc
// takes the one with the smaller Z, the convex arc the one with the larger Z.
std::vector<int> EndZRule(ArcSense sense, ArcBoxes& boxes, ProfileState& s) {
    const auto [radius, centerX, centerZ] = ReadCircle(boxes, s);
    const double endX = Lenient(boxes[kEndXBox]);
    s.EndX = endX;

    s.OffsetR = Finite((centerX - endX) / 2);
    s.OffsetZ = Leg(radius, s.OffsetR);
    double endZ = Finite(sense == ArcSense::Concave ? centerZ - s.OffsetZ : centerZ + s.OffsetZ);
    s.EndZ = endZ;

    boxes[kEndZBox] = Render(endZ);
    s.EndZ = endZ;
    return {kEndZBox + 1};
}

// Radius, centre and end Z → end X: both senses take the circle's point with the larger X.
std::vector<int> EndXRule(ArcSense, ArcBoxes& boxes, ProfileState& s) {
    const auto [radius, centerX, centerZ] = ReadCircle(boxes, s);
    s.EndZ = Lenient(boxes[kEndZBox]);

    s.OffsetZ = Finite(centerZ - s.EndZ);
    s.OffsetR = Leg(radius, s.OffsetZ);
    double endX = Finite(centerX + s.OffsetR * 2);
    s.EndX = endX;

    boxes[kEndXBox] = Render(endX);
    s.EndX = endX;
    return {kEndXBox + 1};
}

// The steps of each rule, by ArcRule.
using RuleSteps = std::vector<int> (*)(ArcSense, ArcBoxes&, ProfileState&);
constexpr RuleSteps kRuleSteps[] = {nullptr, &CentreRule, &RadiusRule, &EndZRule, &EndXRule};

}  // namespace

ArcSolveResult SolveArc(ArcSense sense, ArcBoxes& boxes, ProfileState& state) {
    ArcSolveResult result;
    // An empty start box sends the user back to it; the run goes on with the start point
    // as it was, so the other boxes still get their answer.
    if (boxes[kStartXBox].empty()) {
        result.focusMoves.push_back(kStartXBox + 1);
    } else {
        state.StartX = boxes[kStartXBox];
    }
    if (boxes[kStartZBox].empty()) {
        result.focusMoves.push_back(kStartZBox + 1);
    } else {
        state.StartZ = boxes[kStartZBox];
    }

    result.rule = FirstRule(boxes);
    try {
        if (result.rule != ArcRule::None) {
            result.written = kRuleSteps[static_cast<int>(result.rule)](sense, boxes, state);
        }
    } catch (const RuleStop& stop) {
        result.problem = stop.problem;
    }
    return result;
}

}  // namespace kelo
