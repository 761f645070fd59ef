#pragma once
// How the contour preview lays the contour out in a window of a given pixel
// size: the fit, arcs as polylines, the list of polylines to draw and which
// corner lies under the mouse. No window code: the window only strokes the
// list with a pen per style.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "contour/Contour.h"

namespace kelo {

struct ViewSize {
    int width = 0;
    int height = 0;
    int topInset = 0;  // pixels at the top that the drawing keeps clear of (a button lies there)
};

// What the preview shows.
struct ContourScene {
    const ContourChain* chain = nullptr;  // the typed contour, or none
    std::vector<ContourSegment> pending;  // what is being entered: a dialog's segment, or the table's contour
    std::optional<Corner> start;          // where the next segment starts
    std::optional<ContourPoint> marked;   // the point being edited (the table's current row)
    std::vector<ContourPoint> worked;     // the table's points worked out rather than given
    std::vector<ContourPoint> wrong;      // the points of the table's rows that cannot be built
};

// The bounding box of what is drawn, in drawing units. Points that are not
// finite or lie beyond kLargestCoordinate are left out (they are never drawn).
struct Extent {
    double zMin = 0, zMax = 0, rMin = 0, rMax = 0;
    bool empty = true;

    void Include(ContourPoint p);
    void Include(const SegmentShape& shape);
};

// The chain, the pending segment, the start, marked and worked-out points and the axis r = 0.
Extent SceneExtent(const ContourScene& scene);

inline constexpr double kViewMargin = 12;   // pixels left free around the drawing
inline constexpr double kMinViewSpan = 1;   // drawing units shown at least, so a single point has a scale

// Host plane to window pixels: x to the right with Z, y down the window, so r
// grows upwards. The same scale across and up.
struct ViewTransform {
    double scale = 1;  // pixels per drawing unit
    double zCentre = 0, rCentre = 0;
    double xCentre = 0, yCentre = 0;

    double X(double z) const { return xCentre + (z - zCentre) * scale; }
    double Y(double r) const { return yCentre - (r - rCentre) * scale; }
    ContourPoint ToHost(double x, double y) const;
};

// Centres `extent` in the view and makes it as large as the margin allows.
ViewTransform FitView(const Extent& extent, ViewSize size);

inline constexpr double kArcStepPixels = 3;  // chord length on screen
inline constexpr int kMaxArcSteps = 2048;

// The arc as the host draws it: from `first` counter-clockwise about `centre`
// to the ray towards `second`, radius of `first`. One step per few pixels at
// `scale` pixels per unit, bounded both ways.
std::vector<ContourPoint> SampleArc(const ArcShape& arc, double scale);

enum class DrawStyle : std::uint8_t { Axis, Chain, Pending, StartMarker, Corner, Marked, Worked, Wrong };

struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// One polyline: `count` points of DrawList::points from `first`.
struct DrawItem {
    DrawStyle style = DrawStyle::Chain;
    std::size_t first = 0;
    std::size_t count = 0;
};

// Polylines clipped to the view plus a small guard band, so every coordinate
// is a small int; each has at least two distinct points.
struct DrawList {
    ViewTransform transform;
    std::vector<DrawItem> items;
    std::vector<PixelPoint> points;

    std::span<const PixelPoint> Points(const DrawItem& item) const {
        return std::span<const PixelPoint>(points).subspan(item.first, item.count);
    }
};

inline constexpr double kClipGuard = 16;      // pixels beyond the view that lines may run to
inline constexpr double kCornerMarkerSize = 3;  // half the side of a corner's square
inline constexpr double kStartMarkerSize = 6;   // half the diagonal of the start point's diamond
inline constexpr double kMarkedSize = 5;        // half the side of the edited point's square
inline constexpr double kWorkedMarkerSize = 4;  // the radius of a worked-out point's ring
inline constexpr double kWrongMarkerSize = 6;   // half the side of a wrong row's square
inline constexpr int kWorkedMarkerSteps = 12;   // chords of that ring

// Drawn in this order: the axis across the view, the chain, its corners, the
// pending segments, the worked-out points, the wrong rows' points, the start point, the
// marked point.
DrawList BuildDrawList(const ContourScene& scene, ViewSize size);

inline constexpr double kHitTolerance = 6;  // pixels

// The corner (of the chain's segments, or the start point) nearest to the
// pixel (x, y) and within `tolerance` pixels of it; the earlier one on a tie.
std::optional<Corner> HitCorner(const ContourScene& scene, const ViewTransform& transform, double x, double y,
                                double tolerance = kHitTolerance);

}  // namespace kelo
