#include "profiles/Contour.h"

#include <cmath>
#include <utility>

#include "text/NumberRules.h"

namespace kelo {

namespace {

// A box text read as the OK flows read it, refused when the host's drawing
// could not sensibly hold it.
std::optional<double> ReadCoordinate(std::string_view text) {
    try {
        const double value = ParseNumber(text);
        if (!(std::fabs(value) <= kLargestCoordinate)) return std::nullopt;
        return value;
    } catch (const NumberError&) {
        return std::nullopt;
    }
}

bool Finite(ContourPoint p) { return std::isfinite(p.z) && std::isfinite(p.r); }

bool Finite(const SegmentShape& shape) {
    if (const auto* line = std::get_if<LineShape>(&shape)) return Finite(line->from) && Finite(line->to);
    const auto& arc = std::get<ArcShape>(shape);
    return Finite(arc.centre) && Finite(arc.first) && Finite(arc.second);
}

const std::string* Box(std::span<const std::string> boxes, int box) {
    return box >= 1 && static_cast<std::size_t>(box) <= boxes.size() ? &boxes[box - 1] : nullptr;
}

// The corner a dialog reaches at end Z `endZ`: its Z goes out (and becomes the
// next start Z) as NumberText of the value.
std::optional<Corner> EndCorner(const std::string* xText, std::optional<double> endZ) {
    if (xText == nullptr || !endZ) return std::nullopt;
    return MakeCorner(*xText, NumberText(*endZ));
}

std::optional<ContourSegment> PendingLine(ProfileDialogKind kind, std::span<const std::string> boxes) {
    const std::string* x1 = Box(boxes, 1);
    const std::string* z1 = Box(boxes, 2);
    if (x1 == nullptr || z1 == nullptr) return std::nullopt;
    const std::optional<Corner> start = MakeCorner(*x1, *z1);
    if (!start) return std::nullopt;

    // Face: to end X at the start Z; longitudinal: to end Z at the start X;
    // taper: to end X and end Z.
    std::optional<Corner> end;
    if (kind == ProfileDialogKind::Face) {
        end = EndCorner(Box(boxes, 3), start->point.z);
    } else {
        const std::string* endX = kind == ProfileDialogKind::Long ? x1 : Box(boxes, 4);
        const std::string* endZ = Box(boxes, kind == ProfileDialogKind::Long ? 4 : 6);
        end = EndCorner(endX, endZ ? ReadCoordinate(*endZ) : std::nullopt);
    }
    if (!end) return std::nullopt;
    return ContourSegment{LineShape{start->point, end->point}, *start, *end};
}

std::optional<ContourSegment> PendingArc(ArcSense sense, std::span<const std::string> boxes) {
    const std::string* texts[7] = {};
    for (int box = 1; box <= 7; ++box) {
        texts[box - 1] = Box(boxes, box);
        if (texts[box - 1] == nullptr) return std::nullopt;
    }
    const std::optional<Corner> start = MakeCorner(*texts[0], *texts[1]);
    const std::optional<ContourPoint> centre = TypedPoint(*texts[3], *texts[4]);
    const std::optional<double> endZ = ReadCoordinate(*texts[6]);
    const std::optional<Corner> end = EndCorner(texts[5], endZ);
    if (!start || !centre || !end) return std::nullopt;
    // The order compares the values OK compares: the start Z text read and the end Z box read.
    const ArcOrder order = TypedOrder(sense, start->point.z, *endZ);
    const bool endFirst = order == ArcOrder::EndFirst;
    const ArcShape arc{*centre, endFirst ? end->point : start->point, endFirst ? start->point : end->point};
    return ContourSegment{arc, *start, *end};
}

}  // namespace

std::optional<ContourPoint> TypedPoint(std::string_view xText, std::string_view zText) {
    const std::optional<double> x = ReadCoordinate(xText);
    const std::optional<double> z = ReadCoordinate(zText);
    if (!x || !z) return std::nullopt;
    // The host reads the radius from the text the dialog types for it.
    const std::optional<double> r = ReadCoordinate(NumberText(*x / 2));
    if (!r) return std::nullopt;
    return ContourPoint{*z, *r};
}

std::optional<Corner> MakeCorner(std::string_view xText, std::string_view zText) {
    const std::optional<ContourPoint> point = TypedPoint(xText, zText);
    if (!point) return std::nullopt;
    return Corner{*point, std::string(xText), std::string(zText)};
}

std::string CornerLabel(const Corner& corner) { return "X " + corner.xText + " / Z " + corner.zText; }

bool ContourChain::AddLine(Corner start, Corner end) {
    const LineShape line{start.point, end.point};
    return Add(ContourSegment{line, std::move(start), std::move(end)});
}

bool ContourChain::AddArc(ContourPoint centre, Corner start, Corner end, ArcOrder order) {
    const bool endFirst = order == ArcOrder::EndFirst;
    const ArcShape arc{centre, endFirst ? end.point : start.point, endFirst ? start.point : end.point};
    return Add(ContourSegment{arc, std::move(start), std::move(end)});
}

bool ContourChain::Add(ContourSegment segment) {
    if (!Finite(segment.shape) || !Finite(segment.start.point) || !Finite(segment.end.point)) return false;
    segments_.push_back(std::move(segment));
    return true;
}

std::optional<ContourSegment> PendingSegment(ProfileDialogKind kind, std::span<const std::string> boxes) {
    switch (kind) {
        case ProfileDialogKind::Face:
        case ProfileDialogKind::Long:
        case ProfileDialogKind::Taper: return PendingLine(kind, boxes);
        case ProfileDialogKind::Arc1: return PendingArc(ArcSense::Concave, boxes);
        case ProfileDialogKind::Arc2: return PendingArc(ArcSense::Convex, boxes);
    }
    return std::nullopt;
}

}  // namespace kelo
