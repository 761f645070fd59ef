#include "contour/ContourView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelo {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Keeps every pixel coordinate a small int even for an absurd window size.
constexpr int kLargestView = 1 << 20;

bool Usable(const SegmentShape& shape) {
    if (const auto* line = std::get_if<LineShape>(&shape)) return Believable(line->from) && Believable(line->to);
    const auto& arc = std::get<ArcShape>(shape);
    return Believable(arc.centre) && Believable(arc.first) && Believable(arc.second);
}

// The host's reading of an arc: start angle and counter-clockwise sweep, a
// whole turn when both points lie on one ray.
struct ArcSweep {
    double radius = 0;
    double from = 0;
    double sweep = 0;
};

ArcSweep Sweep(const ArcShape& arc) {
    ArcSweep s;
    s.radius = std::hypot(arc.first.z - arc.centre.z, arc.first.r - arc.centre.r);
    s.from = std::atan2(arc.first.r - arc.centre.r, arc.first.z - arc.centre.z);
    const double to = std::atan2(arc.second.r - arc.centre.r, arc.second.z - arc.centre.z);
    s.sweep = std::fmod(to - s.from + 2 * kTwoPi, kTwoPi);
    if (s.sweep <= 1e-12) s.sweep = kTwoPi;
    return s;
}

ContourPoint OnCircle(const ArcShape& arc, double radius, double angle) {
    return {arc.centre.z + radius * std::cos(angle), arc.centre.r + radius * std::sin(angle)};
}

// Appends polylines to a draw list, clipping each piece to the view plus the
// guard band and dropping repeated pixels.
class Painter {
   public:
    Painter(DrawList& list, ViewSize size)
        : list_(list),
          xMin_(-kClipGuard),
          yMin_(-kClipGuard),
          xMax_(std::clamp(size.width, 0, kLargestView) + kClipGuard),
          yMax_(std::clamp(size.height, 0, kLargestView) + kClipGuard) {}

    void Begin(DrawStyle style) {
        End();
        style_ = style;
        havePrevious_ = false;
    }

    void To(ContourPoint p) { To(list_.transform.X(p.z), list_.transform.Y(p.r)); }

    void To(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            End();
            havePrevious_ = false;
            return;
        }
        if (havePrevious_) Piece(px_, py_, x, y);
        px_ = x, py_ = y;
        havePrevious_ = true;
    }

    // Closes the polyline in progress; one that never left its first pixel is dropped.
    void End() {
        if (!open_) return;
        open_ = false;
        DrawItem& item = list_.items.back();
        if (item.count < 2) {
            list_.points.resize(item.first);
            list_.items.pop_back();
        }
    }

   private:
    void Piece(double x0, double y0, double x1, double y1) {
        // Liang-Barsky: the part of the piece inside the clip rectangle, as t0..t1.
        const double dx = x1 - x0, dy = y1 - y0;
        double t0 = 0, t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x0 - xMin_, xMax_ - x0, y0 - yMin_, yMax_ - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return End();
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0) {
                if (t > t1) return End();
                t0 = std::max(t0, t);
            } else {
                if (t < t0) return End();
                t1 = std::min(t1, t);
            }
        }
        if (t0 > 0) End();  // re-entering the view starts a new polyline
        if (!open_) {
            list_.items.push_back({style_, list_.points.size(), 0});
            open_ = true;
            Emit(x0 + t0 * dx, y0 + t0 * dy);
        }
        Emit(x0 + t1 * dx, y0 + t1 * dy);
        if (t1 < 1) End();
    }

    void Emit(double x, double y) {
        const PixelPoint pixel{static_cast<int>(std::floor(std::clamp(x, xMin_, xMax_) + 0.5)),
                               static_cast<int>(std::floor(std::clamp(y, yMin_, yMax_) + 0.5))};
        DrawItem& item = list_.items.back();
        if (item.count > 0 && list_.points.back() == pixel) return;
        list_.points.push_back(pixel);
        ++item.count;
    }

    DrawList& list_;
    const double xMin_, yMin_, xMax_, yMax_;
    DrawStyle style_ = DrawStyle::Chain;
    bool open_ = false;
    bool havePrevious_ = false;
    double px_ = 0, py_ = 0;
};

void PaintShape(Painter& painter, DrawStyle style, const SegmentShape& shape, double scale) {
    if (!Usable(shape)) return;
    painter.Begin(style);
    if (const auto* line = std::get_if<LineShape>(&shape)) {
        painter.To(line->from);
        painter.To(line->to);
    } else {
        for (ContourPoint p : SampleArc(std::get<ArcShape>(shape), scale)) painter.To(p);
    }
    painter.End();
}

// A closed polygon about `p` with its vertices `size` pixels away on the
// diagonals (a square) or on the axes (a diamond).
void PaintMarker(Painter& painter, DrawStyle style, const ViewTransform& t, ContourPoint p, double size, bool diamond) {
    if (!Believable(p)) return;
    const double x = t.X(p.z), y = t.Y(p.r);
    const double square[5][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    const double rhombus[5][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    painter.Begin(style);
    for (const auto& v : diamond ? rhombus : square) painter.To(x + v[0] * size, y + v[1] * size);
    painter.End();
}

// A ring of chords about `p`, `radius` pixels across from its centre, closed.
void PaintRing(Painter& painter, DrawStyle style, const ViewTransform& t, ContourPoint p, double radius) {
    if (!Believable(p)) return;
    const double x = t.X(p.z), y = t.Y(p.r);
    painter.Begin(style);
    for (int i = 0; i <= kWorkedMarkerSteps; ++i) {
        const double angle = kTwoPi * (i % kWorkedMarkerSteps) / kWorkedMarkerSteps;
        painter.To(x + radius * std::cos(angle), y + radius * std::sin(angle));
    }
    painter.End();
}

// Calls `visit` with every corner of the chain, skipping a start that repeats
// the previous segment's end at the same place, then with the start point.
template <typename Visit>
void ForEachCorner(const ContourScene& scene, Visit visit) {
    if (scene.chain != nullptr) {
        const ContourPoint* previousEnd = nullptr;
        for (const ContourSegment& segment : scene.chain->Segments()) {
            if (previousEnd == nullptr || !(*previousEnd == segment.start.point)) visit(segment.start);
            visit(segment.end);
            previousEnd = &segment.end.point;
        }
    }
    if (scene.start) visit(*scene.start);
}

}  // namespace

void Extent::Include(ContourPoint p) {
    if (!Believable(p)) return;
    if (empty) {
        zMin = zMax = p.z;
        rMin = rMax = p.r;
        empty = false;
        return;
    }
    zMin = std::min(zMin, p.z);
    zMax = std::max(zMax, p.z);
    rMin = std::min(rMin, p.r);
    rMax = std::max(rMax, p.r);
}

void Extent::Include(const SegmentShape& shape) {
    if (!Usable(shape)) return;
    if (const auto* line = std::get_if<LineShape>(&shape)) {
        Include(line->from);
        Include(line->to);
        return;
    }
    // The arc's ends and the extreme points of its circle that the sweep passes.
    const auto& arc = std::get<ArcShape>(shape);
    const ArcSweep s = Sweep(arc);
    Include(arc.first);
    Include(OnCircle(arc, s.radius, s.from + s.sweep));
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * (kTwoPi / 4);
        if (std::fmod(angle - s.from + 2 * kTwoPi, kTwoPi) <= s.sweep) Include(OnCircle(arc, s.radius, angle));
    }
}

Extent SceneExtent(const ContourScene& scene) {
    Extent extent;
    if (scene.chain != nullptr) {
        for (const ContourSegment& segment : scene.chain->Segments()) extent.Include(segment.shape);
    }
    for (const ContourSegment& segment : scene.pending) extent.Include(segment.shape);
    if (scene.start) extent.Include(scene.start->point);
    if (scene.marked) extent.Include(*scene.marked);
    // Beyond a row that cannot be built they may stand where no segment reaches.
    for (ContourPoint p : scene.worked) extent.Include(p);
    for (ContourPoint p : scene.wrong) extent.Include(p);
    // The axis always shows.
    extent.Include(ContourPoint{extent.empty ? 0 : extent.zMin, 0});
    return extent;
}

ContourPoint ViewTransform::ToHost(double x, double y) const {
    return {zCentre + (x - xCentre) / scale, rCentre - (y - yCentre) / scale};
}

ViewTransform FitView(const Extent& extent, ViewSize size) {
    const double width = std::max(size.width, 0);
    const double inset = std::clamp(size.topInset, 0, std::max(size.height, 0));
    const double height = std::max(size.height, 0) - inset;
    const double freeWidth = std::max(1.0, width - 2 * kViewMargin);
    const double freeHeight = std::max(1.0, height - 2 * kViewMargin);
    const Extent e = extent.empty ? Extent{0, 0, 0, 0, false} : extent;
    const double unitsPerPixel = std::max({(e.zMax - e.zMin) / freeWidth, (e.rMax - e.rMin) / freeHeight,
                                           kMinViewSpan / std::min(freeWidth, freeHeight)});
    ViewTransform t;
    t.scale = 1 / unitsPerPixel;
    t.zCentre = (e.zMin + e.zMax) / 2;
    t.rCentre = (e.rMin + e.rMax) / 2;
    t.xCentre = width / 2;
    t.yCentre = inset + height / 2;
    return t;
}

std::vector<ContourPoint> SampleArc(const ArcShape& arc, double scale) {
    std::vector<ContourPoint> points;
    if (!Usable(arc) || !(scale > 0) || !std::isfinite(scale)) return points;
    const ArcSweep s = Sweep(arc);
    // Eight steps a turn at least, so that a tiny full circle is still a polygon.
    const double byLength = std::ceil(s.radius * s.sweep * scale / kArcStepPixels);
    const double byTurn = std::ceil(s.sweep / kTwoPi * 8);
    const int steps = static_cast<int>(std::clamp(std::max(byLength, byTurn), 1.0, double{kMaxArcSteps}));
    points.reserve(steps + 1);
    // Turning a vector step by step avoids a sine and a cosine per point.
    const double stepAngle = s.sweep / steps;
    const double c = std::cos(stepAngle), sn = std::sin(stepAngle);
    double u = s.radius * std::cos(s.from), v = s.radius * std::sin(s.from);
    points.push_back(arc.first);
    for (int i = 1; i < steps; ++i) {
        const double nu = u * c - v * sn;
        v = u * sn + v * c;
        u = nu;
        points.push_back({arc.centre.z + u, arc.centre.r + v});
    }
    points.push_back(OnCircle(arc, s.radius, s.from + s.sweep));
    return points;
}

DrawList BuildDrawList(const ContourScene& scene, ViewSize size) {
    DrawList list;
    list.transform = FitView(SceneExtent(scene), size);
    const ViewTransform& t = list.transform;
    Painter painter(list, size);

    painter.Begin(DrawStyle::Axis);
    painter.To(0, t.Y(0));
    painter.To(std::max(size.width, 0), t.Y(0));
    painter.End();

    if (scene.chain != nullptr) {
        for (const ContourSegment& segment : scene.chain->Segments()) {
            PaintShape(painter, DrawStyle::Chain, segment.shape, t.scale);
        }
        const ContourScene chainOnly{scene.chain, {}, std::nullopt, std::nullopt};
        ForEachCorner(chainOnly, [&](const Corner& corner) {
            PaintMarker(painter, DrawStyle::Corner, t, corner.point, kCornerMarkerSize, false);
        });
    }
    for (const ContourSegment& segment : scene.pending) PaintShape(painter, DrawStyle::Pending, segment.shape, t.scale);
    for (ContourPoint p : scene.worked) PaintRing(painter, DrawStyle::Worked, t, p, kWorkedMarkerSize);
    for (ContourPoint p : scene.wrong) PaintMarker(painter, DrawStyle::Wrong, t, p, kWrongMarkerSize, false);
    if (scene.start) PaintMarker(painter, DrawStyle::StartMarker, t, scene.start->point, kStartMarkerSize, true);
    if (scene.marked) PaintMarker(painter, DrawStyle::Marked, t, *scene.marked, kMarkedSize, false);
    painter.End();
    return list;
}

std::optional<Corner> HitCorner(const ContourScene& scene, const ViewTransform& transform, double x, double y,
                                double tolerance) {
    const Corner* nearest = nullptr;
    double best = tolerance * tolerance;
    ForEachCorner(scene, [&](const Corner& corner) {
        if (!Believable(corner.point)) return;
        const double dx = transform.X(corner.point.z) - x;
        const double dy = transform.Y(corner.point.r) - y;
        const double distance = dx * dx + dy * dy;
        if (distance < best || (nearest == nullptr && distance <= best)) {
            best = distance;
            nearest = &corner;
        }
    });
    if (nearest == nullptr) return std::nullopt;
    return *nearest;
}

}  // namespace kelo
