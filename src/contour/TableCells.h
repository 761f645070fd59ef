#pragma once
// What the cells of one row of the contour table say, once read: the point's coordinates
// (a value, a step from the row before, or open), the corner and the element to the next
// row; and why a cell cannot be read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contour/ContourTable.h"
#include "contour/Undercut.h"
#include "geometry/Geometry.h"

namespace kelo {

// An X or Z cell once read: a value, a step from the row before, or open.
struct Coordinate {
    enum class Kind : std::uint8_t { Value, Step, Open } kind = Kind::Open;
    double value = 0;
};

enum class Element : std::uint8_t { Line, Angle, Arc, TangentArc };

// What a row's cells say, once read.
struct RowValues {
    Coordinate x, z;  // x a diameter
    std::optional<CornerKind> corner;  // a chamfer or a round
    double cornerSize = 0;
    std::optional<UndercutCell> undercut;  // or an undercut at a shoulder
    Element element = Element::Line;  // what goes to the next row
    double angle = 0;                 // Angle: degrees counterclockwise from +Z
    ArcSense sense = ArcSense::Concave;
    double radius = 0;  // Arc, TangentArc

    bool IsArc() const { return element == Element::Arc || element == Element::TangentArc; }
    bool HasCorner() const { return corner || undercut; }
    bool Worked() const { return x.kind != Coordinate::Kind::Value || z.kind != Coordinate::Kind::Value; }
};

// A problem found while reading a row; the row is taken from where it is raised.
struct RowError {
    explicit RowError(std::string_view why) : reason(why) {}
    std::string reason;
};

// The row's own cells, each problem named in `found` with `number`; a cell that cannot be
// read counts as open. The first row must give its point as numbers.
RowValues ReadRow(const TableRow& row, bool first, std::vector<TableProblem>& found, int number);

}  // namespace kelo
