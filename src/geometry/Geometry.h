#pragma once
// Plane geometry of the host's drawing, numbers in and numbers out: Z across, the radius
// r = X / 2 up. Points, directions, lines, circles, their intersections, tangents, the arc
// dialogs' centre rule and the trimming of a corner. A number becomes text only where it
// is typed or shown, never here.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/NumberRules.h"

namespace kelo {

// A point of the drawing, or a vector between two.
struct Point {
    double z = 0;
    double r = 0;

    bool operator==(const Point&) const = default;
};

inline Point operator+(Point a, Point b) { return {a.z + b.z, a.r + b.r}; }
inline Point operator-(Point a, Point b) { return {a.z - b.z, a.r - b.r}; }
inline Point operator*(double k, Point a) { return {k * a.z, k * a.r}; }
inline double Dot(Point a, Point b) { return a.z * b.z + a.r * b.r; }
inline double Cross(Point a, Point b) { return a.z * b.r - a.r * b.z; }
double Length(Point a);
// `a` scaled to length 1; `a` must not be the zero vector.
Point Unit(Point a);
// `a` turned a quarter counterclockwise.
inline Point Left(Point a) { return {-a.r, a.z}; }

// Both coordinates finite and within kLargestCoordinate.
bool Believable(Point p);

// The unit direction at `degrees` counterclockwise from +Z, +X up, as lathe controls take
// an angle: 180 runs toward -Z, 90 is a face going up.
Point DirectionAt(double degrees);

// The line through `through` along the unit vector `direction`.
struct Line {
    Point through;
    Point direction;
};

// How far along the line the foot of `p` lies (negative: behind `through`), and how far
// `p` lies from the line.
double Along(const Line& line, Point p);
double Off(const Line& line, Point p);

// The one point of two lines; nullopt when they are parallel.
std::optional<Point> Intersect(const Line& a, const Line& b);
// The line's point at that Z or at that radius; nullopt when the line runs along it.
std::optional<Point> AtZ(const Line& line, double z);
std::optional<Point> AtR(const Line& line, double r);

enum class Turn : std::uint8_t { Counterclockwise, Clockwise };

struct Circle {
    Point centre;
    double radius = 0;
};

// The circle of `radius` that leaves `start` along `direction`, turning as `turn` says.
Circle TangentCircle(Point start, Point direction, double radius, Turn turn);
// The direction of travel at `p` on a circle about `centre`, turning as `turn` says.
Point TangentAt(Point centre, Point p, Turn turn);
// The circle's points at that Z or at that radius: none, or two (equal where it only touches).
std::vector<Point> CircleAtZ(const Circle& circle, double z);
std::vector<Point> CircleAtR(const Circle& circle, double r);
// Of `candidates` on the circle, the first one reached going from `start` as `turn` says
// (the start itself only after a whole turn); nullopt when there are none.
std::optional<Point> FirstReached(const Circle& circle, Point start, Turn turn, const std::vector<Point>& candidates);

// The arc sense of the arc dialogs: frm_ARC1 draws concave arcs, frm_ARC2 convex ones.
enum class ArcSense : std::uint8_t { Concave, Convex };

// Which point an arc command types first: concave the one with the smaller Z, convex the
// one with the larger Z, the start point at equal Z. Typing them in this order selects the
// arc the host draws counterclockwise between them.
enum class ArcOrder : std::uint8_t { StartFirst, EndFirst };

constexpr ArcOrder TypedOrder(ArcSense sense, double startZ, double endZ) {
    const bool endFirst = sense == ArcSense::Concave ? startZ > endZ : startZ < endZ;
    return endFirst ? ArcOrder::EndFirst : ArcOrder::StartFirst;
}

// The arc dialogs' arc cosine, Atn(-x / Sqr(-x * x + 1)) + 2 * Atn(1), evaluated as written
// rather than by std::acos, whose last digits differ. NaN at x = 1 and -1 and beyond them.
double DialogArcCos(double x);
// √(a² − b²), the other leg of a right triangle with hypotenuse a; NaN when b is longer.
double OtherLeg(double a, double b);

// The arc dialogs' centre rule in its two halves, on lathe diameters as the dialogs read
// them, every intermediate kept (the dialogs store them). Values that overflow or fall
// outside an arc cosine come out as infinities or NaN; the caller checks each.
struct DialogChord {
    double offsetR = 0;     // (end X - start X) / 2
    double offsetZ = 0;     // end Z - start Z
    double chord = 0;       // start to end
    double cosRatio = 0;    // offsetZ / chord
    double chordAngle = 0;  // direction of the chord from start to end, in (-pi, pi]
};
DialogChord ChordOf(double startX, double startZ, double endX, double endZ, double pi);

struct DialogCentre {
    double cosRatio = 0;   // (chord / 2) / radius
    double baseAngle = 0;  // between the chord and the radius at the start point
    double centreX = 0;
    double centreZ = 0;
};
// Concave arcs bulge toward the axis, so their centre lies on the far side of the chord.
DialogCentre CentreOf(const DialogChord& chord, double startX, double startZ, double endZ, double radius,
                      ArcSense sense);

// The centre the arc dialogs find for this start, end and radius; a chord as long as the
// diameter gives its midpoint (a half circle). nullopt where the dialogs find none.
std::optional<Point> ArcCentre(Point start, Point end, double radius, ArcSense sense);

// A corner cut between two lines meeting at `at`: a chamfer with legs of `size` along
// each line, or a round of radius `size` tangent to both.
enum class CornerKind : std::uint8_t { Chamfer, Round };
struct CornerCut {
    double trim = 0;  // length taken from each of the two lines
    Point in;         // where the incoming line now ends
    Point out;        // where the outgoing line now begins
    Point centre;     // a round's centre
};
// nullopt when the three points lie on one straight line.
std::optional<CornerCut> CutCorner(Point before, Point at, Point after, CornerKind kind, double size);

}  // namespace kelo
