#pragma once
// The contour typed into the host so far, segment by segment: what the preview draws.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "channel/Segment.h"
#include "geometry/Geometry.h"

namespace kelo {

// A point in the host plane: Z across, radius r = X / 2 up.
using ContourPoint = Point;

// A segment end as a dialog would put it into its start boxes.
struct Corner {
    ContourPoint point;
    std::string xText;  // the diameter text, as typed (what becomes StartX)
    std::string zText;  // the Z text: as typed for a start point, NumberText of the end Z otherwise

    bool operator==(const Corner&) const = default;
};

// The point the host reads when a dialog types a lathe point from these texts:
// the Z text, and the diameter read strictly and typed halved as NumberText.
// nullopt when either text is not a number or lies beyond kLargestCoordinate.
std::optional<ContourPoint> TypedPoint(std::string_view xText, std::string_view zText);

// A corner whose point the host reads from the texts (see TypedPoint).
std::optional<Corner> MakeCorner(std::string_view xText, std::string_view zText);

// The hover tip of a corner, "X 60 / Z -25", from its texts.
std::string CornerLabel(const Corner& corner);

struct LineShape {
    ContourPoint from;
    ContourPoint to;

    bool operator==(const LineShape&) const = default;
};

// As the host draws "ARC CEN_BEG_END": counter-clockwise from `first` to the
// ray towards `second` about `centre`, with the radius of `first`; a full
// circle when the two lie on one ray.
struct ArcShape {
    ContourPoint centre;
    ContourPoint first;
    ContourPoint second;

    bool operator==(const ArcShape&) const = default;
};

using SegmentShape = std::variant<LineShape, ArcShape>;

struct ContourSegment {
    SegmentShape shape;
    Corner start;  // where the dialog began
    Corner end;    // where it ended: the next dialog's start

    bool operator==(const ContourSegment&) const = default;
};

// Every segment the profile dialogs have typed successfully, in order.
class ContourChain {
   public:
    // A line typed from `start` to `end`. False (and nothing recorded) when a
    // point is not finite.
    bool AddLine(Corner start, Corner end);
    // An arc typed as its centre, then the start and end points in `order`.
    bool AddArc(ContourPoint centre, Corner start, Corner end, ArcOrder order);
    bool Add(ContourSegment segment);
    void Clear() { segments_.clear(); }

    const std::vector<ContourSegment>& Segments() const { return segments_; }
    bool Empty() const { return segments_.empty(); }
    std::size_t Size() const { return segments_.size(); }

   private:
    std::vector<ContourSegment> segments_;
};

// What the host draws from a segment's typed texts, with the corners a dialog going on
// from either end would take; nullopt when a text has no number or a point lies beyond
// kLargestCoordinate.
std::optional<ContourSegment> ShapeOf(const Segment& segment);

}  // namespace kelo
