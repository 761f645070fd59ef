#pragma once
// The drawing the host builds from completed command lines: segments from
// "LINE TWO_PTS" and arcs from "ARC CEN_BEG_END", in the host plane (Z to the right,
// radius up).
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace kelo::hostsim {

struct Point {
    double z = 0;
    double r = 0;
};

struct Segment {
    Point from;
    Point to;
};

// Runs counter-clockwise from `begin` to `end` around `centre`, as the drafting
// program does; the radius is the one of `begin`.
struct Arc {
    Point centre;
    Point begin;
    Point end;
};

using Shape = std::variant<Segment, Arc>;

struct Box {
    double zMin = 0, zMax = 0, rMin = 0, rMax = 0;
};

// A decimal number such as "-4", "5.0", ".5" or "1e3", blanks around it allowed.
// Anything else (including "inf" and "nan") is nullopt.
std::optional<double> ParseNumber(std::string_view text);

// Blank-separated points "z,r" (blanks around the comma allowed). nullopt if any
// part is not a point.
std::optional<std::vector<Point>> ParsePoints(std::string_view text);

// The arc as a polyline, its first point `begin`, its last on the ray to `end`.
std::vector<Point> ArcPolyline(const Arc& arc, int stepsPerTurn = 180);

class Sketch {
public:
    // A completed command line. A command may take its points from the rest of its
    // line and from the point-only lines that follow.
    void OnLine(std::string_view line);
    // Ctrl+C: the command in progress is abandoned.
    void OnCancel();

    const std::vector<Shape>& Shapes() const { return shapes_; }
    // Where the last shape ends: the next contour segment starts there.
    std::optional<Point> LastEnd() const;
    // Everything drawn plus the axis r = 0 at Z = 0.
    Box Extent() const;

private:
    enum class Command { kNone, kLine, kArc };

    void Collect(const std::vector<Point>& points);

    Command pending_ = Command::kNone;
    std::vector<Point> points_;
    std::vector<Shape> shapes_;
};

}  // namespace kelo::hostsim
