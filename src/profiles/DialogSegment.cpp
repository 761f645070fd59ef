#include "profiles/DialogSegment.h"

#include <optional>

#include "text/NumberRules.h"

namespace kelo {

namespace {

const std::string& Box(std::span<const std::string> boxes, int box) {
    static const std::string kEmpty;
    return box >= 1 && static_cast<std::size_t>(box) <= boxes.size() ? boxes[box - 1] : kEmpty;
}

// The end Z a dialog stores from a box and types as NumberText of the value.
std::optional<std::string> EndZText(const std::string& box) {
    const std::optional<double> z = ReadNumber(box);
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
    const std::optional<double> startZ = ReadNumber(Box(boxes, 2)), endZ = ReadNumber(Box(boxes, 7));
    if (startZ && endZ) arc.order = TypedOrder(sense, *startZ, *endZ);
    return arc;
}

}  // namespace

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

}  // namespace kelo
