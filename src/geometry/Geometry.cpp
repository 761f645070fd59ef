#include "geometry/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelo {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Directions closer than this to parallel have no usable crossing.
constexpr double kParallel = 1e-12;
// A chord within this share of the diameter is the diameter: a half circle.
constexpr double kHalfCircle = 1e-9;

Point Negated(Point a) { return {-a.z, -a.r}; }

// Counterclockwise angle of `p` about `centre`.
double AngleAbout(Point centre, Point p) { return std::atan2(p.r - centre.r, p.z - centre.z); }

}  // namespace

double Length(Point a) { return std::hypot(a.z, a.r); }

Point Unit(Point a) { return (1 / Length(a)) * a; }

bool Believable(Point p) {
    return std::fabs(p.z) <= kLargestCoordinate && std::fabs(p.r) <= kLargestCoordinate;  // false for NaN too
}

Point DirectionAt(double degrees) {
    double turn = std::fmod(degrees, 360.0);
    if (turn < 0) turn += 360;
    // The axis directions exactly: a face must not lean by the last digit of a cosine.
    if (turn == 0) return {1, 0};
    if (turn == 90) return {0, 1};
    if (turn == 180) return {-1, 0};
    if (turn == 270) return {0, -1};
    const double radians = turn * std::numbers::pi / 180;
    return {std::cos(radians), std::sin(radians)};
}

double Along(const Line& line, Point p) { return Dot(p - line.through, line.direction); }

double Off(const Line& line, Point p) { return std::fabs(Cross(line.direction, p - line.through)); }

std::optional<Point> Intersect(const Line& a, const Line& b) {
    const double denominator = Cross(a.direction, b.direction);
    if (std::fabs(denominator) < kParallel) return std::nullopt;
    const double t = Cross(b.through - a.through, b.direction) / denominator;
    return a.through + t * a.direction;
}

std::optional<Point> AtZ(const Line& line, double z) {
    if (std::fabs(line.direction.z) < kParallel) return std::nullopt;
    const double t = (z - line.through.z) / line.direction.z;
    return Point{z, line.through.r + t * line.direction.r};
}

std::optional<Point> AtR(const Line& line, double r) {
    if (std::fabs(line.direction.r) < kParallel) return std::nullopt;
    const double t = (r - line.through.r) / line.direction.r;
    return Point{line.through.z + t * line.direction.z, r};
}

Circle TangentCircle(Point start, Point direction, double radius, Turn turn) {
    const Point side = turn == Turn::Counterclockwise ? Left(direction) : Negated(Left(direction));
    return {start + radius * side, radius};
}

Point TangentAt(Point centre, Point p, Turn turn) {
    const Point travel = Left(Unit(p - centre));
    return turn == Turn::Counterclockwise ? travel : Negated(travel);
}

namespace {

// Where a circle meets a line across it at `offset` from its centre: the half chord,
// 0 where it only touches (within the last digits), nullopt where it does not reach.
std::optional<double> HalfChord(double radius, double offset) {
    const double leg = OtherLeg(radius, offset);
    if (std::isfinite(leg)) return leg;
    if (std::fabs(offset) <= std::fabs(radius) * (1 + 1e-12)) return 0.0;
    return std::nullopt;
}

}  // namespace

std::vector<Point> CircleAtZ(const Circle& circle, double z) {
    const std::optional<double> half = HalfChord(circle.radius, z - circle.centre.z);
    if (!half) return {};
    return {{z, circle.centre.r + *half}, {z, circle.centre.r - *half}};
}

std::vector<Point> CircleAtR(const Circle& circle, double r) {
    const std::optional<double> half = HalfChord(circle.radius, r - circle.centre.r);
    if (!half) return {};
    return {{circle.centre.z + *half, r}, {circle.centre.z - *half, r}};
}

std::optional<Point> FirstReached(const Circle& circle, Point start, Turn turn, const std::vector<Point>& candidates) {
    const double from = AngleAbout(circle.centre, start);
    std::optional<Point> first;
    double nearest = 0;
    for (const Point& p : candidates) {
        double sweep = AngleAbout(circle.centre, p) - from;
        if (turn == Turn::Clockwise) sweep = -sweep;
        sweep = std::fmod(sweep + 2 * kTwoPi, kTwoPi);
        if (sweep <= 1e-12) sweep += kTwoPi;  // the start itself comes round again last
        if (!first || sweep < nearest) {
            first = p;
            nearest = sweep;
        }
    }
    return first;
}

double DialogArcCos(double x) {
    const double square = -x * x + 1;
    if (!(square > 0)) return std::nan("");
    return std::atan(-x / std::sqrt(square)) + 2 * std::atan(1.0);
}

double OtherLeg(double a, double b) {
    const double difference = a * a - b * b;
    if (difference < 0) return std::nan("");
    return std::sqrt(difference);
}

DialogChord ChordOf(double startX, double startZ, double endX, double endZ, double pi) {
    DialogChord c;
    c.offsetR = (endX - startX) / 2;
    c.offsetZ = endZ - startZ;
    c.chord = std::sqrt(c.offsetR * c.offsetR + c.offsetZ * c.offsetZ);
    c.cosRatio = c.offsetZ / c.chord;
    // A chord parallel to the axis would divide by zero in the arc cosine.
    if (c.cosRatio == 1) {
        c.chordAngle = 0;
    } else if (c.cosRatio == -1) {
        c.chordAngle = pi;
    } else {
        c.chordAngle = DialogArcCos(c.cosRatio);
    }
    if (c.offsetR < 0) c.chordAngle = -c.chordAngle;
    return c;
}

DialogCentre CentreOf(const DialogChord& chord, double startX, double startZ, double endZ, double radius,
                      ArcSense sense) {
    DialogCentre c;
    c.cosRatio = (chord.chord / 2) / radius;
    // No exact cases here: a chord as long as the diameter is refused like a longer one.
    c.baseAngle = DialogArcCos(c.cosRatio);
    const bool turnLeft = sense == ArcSense::Concave ? startZ <= endZ : startZ >= endZ;
    const double direction = turnLeft ? chord.chordAngle + c.baseAngle : chord.chordAngle - c.baseAngle;
    c.centreZ = startZ + radius * std::cos(direction);
    c.centreX = startX + radius * std::sin(direction) * 2;
    return c;
}

std::optional<Point> ArcCentre(Point start, Point end, double radius, ArcSense sense) {
    // Doubling and halving a radius are exact: the dialogs' arithmetic on diameters, to the last digit.
    const DialogChord chord = ChordOf(start.r * 2, start.z, end.r * 2, end.z, std::numbers::pi);
    if (!(chord.chord > 0) || !std::isfinite(chord.chordAngle)) return std::nullopt;
    const double ratio = (chord.chord / 2) / radius;
    if (std::fabs(std::fabs(ratio) - 1) <= kHalfCircle) return 0.5 * (start + end);
    const DialogCentre centre = CentreOf(chord, start.r * 2, start.z, end.z, radius, sense);
    const Point found{centre.centreZ, centre.centreX / 2};
    if (!std::isfinite(found.z) || !std::isfinite(found.r)) return std::nullopt;
    return found;
}

std::optional<CornerCut> CutCorner(Point before, Point at, Point after, CornerKind kind, double size) {
    const Point u1 = Unit(before - at), u2 = Unit(after - at);
    if (std::fabs(Cross(u1, u2)) < kParallel) return std::nullopt;
    CornerCut cut;
    if (kind == CornerKind::Chamfer) {
        cut.trim = size;  // both legs of the chamfer
    } else {
        const double half = std::acos(std::clamp(Dot(u1, u2), -1.0, 1.0)) / 2;
        cut.trim = size / std::tan(half);
        cut.centre = at + (size / std::sin(half)) * Unit(u1 + u2);
    }
    cut.in = at + cut.trim * u1;
    cut.out = at + cut.trim * u2;
    return cut;
}

}  // namespace kelo
