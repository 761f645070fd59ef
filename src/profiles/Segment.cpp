#include "profiles/Segment.h"

#include <cmath>
#include <utility>

#include "text/FormatCoord.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

std::optional<double> Strict(std::string_view text) {
    try {
        return ParseNumber(text);
    } catch (const NumberError&) {
        return std::nullopt;
    }
}

// A text read as the host reads it, refused where the drawing could not sensibly hold it.
std::optional<double> Coordinate(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    const std::optional<double> value = Strict(*text);
    if (!value || !(std::fabs(*value) <= kLargestCoordinate)) return std::nullopt;
    return value;
}

std::optional<Corner> CornerOf(const SegmentPoint& p) {
    const std::optional<double> z = Coordinate(p.zText), r = Coordinate(p.rText);
    if (!z || !r) return std::nullopt;
    return Corner{{*z, *r}, p.xText, *p.zText};
}

const std::string& Box(std::span<const std::string> boxes, int box) {
    static const std::string kEmpty;
    return box >= 1 && static_cast<std::size_t>(box) <= boxes.size() ? boxes[box - 1] : kEmpty;
}

// The end Z a dialog stores from a box and types as NumberText of the value.
std::optional<std::string> EndZText(const std::string& box) {
    const std::optional<double> z = Strict(box);
    return z ? std::optional<std::string>(NumberText(*z)) : std::nullopt;
}

Segment LineOfBoxes(const std::string& startX, const std::string& startZ, const std::string& endX,
                    const std::string& endZ) {
    return Segment{SegmentKind::Line, DialogPoint(startX, startZ), DialogPoint(endX, EndZText(endZ)), {}, {}};
}

Segment ArcOfBoxes(ArcSense sense, std::span<const std::string> boxes) {
    Segment arc{SegmentKind::Arc, DialogPoint(Box(boxes, 1), Box(boxes, 2)),
                DialogPoint(Box(boxes, 6), EndZText(Box(boxes, 7))), DialogPoint(Box(boxes, 4), Box(boxes, 5)), {}};
    // OK compares the start Z text read strictly with the end Z it stored.
    const std::optional<double> startZ = Strict(Box(boxes, 2)), endZ = Strict(Box(boxes, 7));
    if (startZ && endZ) arc.order = TypedOrder(sense, *startZ, *endZ);
    return arc;
}

// Appends the texts of `p` (Z, ",", radius); false where one has no number.
bool AppendPoint(std::vector<KeyStep>& steps, const SegmentPoint& p) {
    if (!p.zText) return false;
    steps.push_back({KeyStep::Kind::Text, *p.zText});
    steps.push_back({KeyStep::Kind::Text, ","});
    if (!p.rText) return false;
    steps.push_back({KeyStep::Kind::Text, *p.rText});
    return true;
}

bool AppendLine(std::vector<KeyStep>& steps, const Segment& s) {
    steps.push_back({KeyStep::Kind::Text, "LINE TWO_PTS "});
    if (!AppendPoint(steps, s.start)) return false;
    steps.push_back({KeyStep::Kind::Text, " "});
    if (!AppendPoint(steps, s.end)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    return true;
}

bool AppendArc(std::vector<KeyStep>& steps, const Segment& s) {
    steps.push_back({KeyStep::Kind::Text, "ARC CEN_BEG_END "});
    if (!AppendPoint(steps, s.centre)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    if (!s.order) return false;
    const bool endFirst = *s.order == ArcOrder::EndFirst;
    if (!AppendPoint(steps, endFirst ? s.end : s.start)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    if (!AppendPoint(steps, endFirst ? s.start : s.end)) return false;
    steps.push_back({KeyStep::Kind::Enter, {}});
    return true;
}

}  // namespace

SegmentPoint DialogPoint(std::string_view xText, std::optional<std::string> zText) {
    const std::optional<double> x = Strict(xText);
    std::optional<std::string> rText;
    if (x) {
        try {
            rText = NumberText(*x / 2);
        } catch (const NumberError&) {
        }
    }
    return SegmentPoint{std::string(xText), std::move(zText), std::move(rText)};
}

SegmentPoint CoordinatePoint(double z, double r) {
    std::string zText = FormatCoord(z);
    std::string rText = FormatCoord(r);
    double x = r * 2;
    return SegmentPoint{FormatCoord(x), std::move(zText), std::move(rText)};
}

Segment BoxesSegment(ProfileDialogKind kind, std::span<const std::string> boxes) {
    switch (kind) {
        // Face: to end X at the start Z; longitudinal: to end Z at the start X; taper: to both.
        case ProfileDialogKind::Face: return LineOfBoxes(Box(boxes, 1), Box(boxes, 2), Box(boxes, 3), Box(boxes, 2));
        case ProfileDialogKind::Long: return LineOfBoxes(Box(boxes, 1), Box(boxes, 2), Box(boxes, 1), Box(boxes, 4));
        case ProfileDialogKind::Taper: return LineOfBoxes(Box(boxes, 1), Box(boxes, 2), Box(boxes, 4), Box(boxes, 6));
        case ProfileDialogKind::Arc1: return ArcOfBoxes(ArcSense::Concave, boxes);
        case ProfileDialogKind::Arc2: return ArcOfBoxes(ArcSense::Convex, boxes);
    }
    return {};
}

SegmentKeys KeyStringsOf(const Segment& segment) {
    SegmentKeys keys;
    keys.complete = segment.kind == SegmentKind::Line ? AppendLine(keys.steps, segment) : AppendArc(keys.steps, segment);
    if (keys.complete) keys.steps.push_back({KeyStep::Kind::Cancel, {}});
    return keys;
}

void TypeSegment(HostChannel& channel, const Segment& segment) {
    const SegmentKeys keys = KeyStringsOf(segment);
    for (const KeyStep& step : keys.steps) {
        switch (step.kind) {
            case KeyStep::Kind::Text: channel.Type(step.text); break;
            case KeyStep::Kind::Enter: channel.SendEnter(); break;
            case KeyStep::Kind::Cancel: channel.SendCancel(); break;
        }
    }
    if (!keys.complete) throw NumberError("a point of the segment is not a number");
}

std::optional<ContourSegment> ShapeOf(const Segment& segment) {
    const std::optional<Corner> start = CornerOf(segment.start), end = CornerOf(segment.end);
    if (!start || !end) return std::nullopt;
    if (segment.kind == SegmentKind::Line) return ContourSegment{LineShape{start->point, end->point}, *start, *end};
    const std::optional<Corner> centre = CornerOf(segment.centre);
    if (!centre || !segment.order) return std::nullopt;
    const bool endFirst = *segment.order == ArcOrder::EndFirst;
    const ArcShape arc{centre->point, endFirst ? end->point : start->point, endFirst ? start->point : end->point};
    return ContourSegment{arc, *start, *end};
}

}  // namespace kelo
