#include "contour/Contour.h"

#include <cmath>
#include <utility>

#include "text/NumberRules.h"

namespace kelo {

namespace {

bool Finite(ContourPoint p) { return std::isfinite(p.z) && std::isfinite(p.r); }

bool Finite(const SegmentShape& shape) {
    if (const auto* line = std::get_if<LineShape>(&shape)) return Finite(line->from) && Finite(line->to);
    const auto& arc = std::get<ArcShape>(shape);
    return Finite(arc.centre) && Finite(arc.first) && Finite(arc.second);
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

}  // namespace kelo

namespace kelo {

namespace {

std::optional<Corner> CornerOf(const SegmentPoint& p) {
    if (!p.zText || !p.rText) return std::nullopt;
    const std::optional<double> z = ReadCoordinate(*p.zText), r = ReadCoordinate(*p.rText);
    if (!z || !r) return std::nullopt;
    return Corner{{*z, *r}, p.xText, *p.zText};
}

}  // namespace

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
