#pragma once
// The contour table: a whole turned profile as rows of points, with a chamfer or a
// round at any corner between two lines and a line, an angled line or an arc to any
// next point, turned into the line and arc segments the profile dialogs type. Points a
// drawing leaves open are worked out from the angles and tangent arcs around them.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contour/Contour.h"
#include "channel/Segment.h"
#include "contour/TableRow.h"
#include "contour/Undercut.h"

namespace kelo {

// A Z cell that begins with "W" or "@" is a length from the previous row's Z ("W-25",
// "@-25": 25 toward -Z), as a drawing gives it; an X cell that begins with "U" a change of
// diameter from the previous row's X. An empty X or Z cell is open: worked out.

// Why a row cannot be built, with the row (1 for the first).
struct TableProblem {
    int row = 0;
    std::string reason;  // Japanese, one line

    bool operator==(const TableProblem&) const = default;
};

struct TableContour {
    // In contour order: trimmed lines, chamfers, rounds and arcs. With a problem, every
    // element that can be built, to be shown and never typed.
    std::vector<Segment> segments;
    // Each row's point (Z, X / 2), given or worked out; nullopt where it is not known.
    std::vector<std::optional<ContourPoint>> points;
    // Each row's point as worked out, for a row with an open cell or an increment
    // ("X 34  Z -7.4641", "?" for a coordinate still open), and the designation an undercut
    // took from its cylinder's diameter ("E0.6x0.3"); "" for a row given in full.
    std::vector<std::string> worked;
    std::vector<bool> solved;  // each row's point worked out rather than given
    std::vector<TableProblem> problems;   // every row that cannot be built, once each, in row order
    std::optional<TableProblem> problem;  // the first of them
    int problemCount = 0;                 // how many rows cannot be built

    // Whether 作図 may type the segments: every row can be built.
    bool Drawable() const { return !problem && !segments.empty(); }
    // The points worked out rather than given, for the preview to mark apart.
    std::vector<ContourPoint> WorkedPoints() const;
    // The points of the rows that cannot be built, where they are known, for the preview
    // to mark in red.
    std::vector<ContourPoint> WrongPoints() const;
};

// Reads every row and builds the contour. Never throws; a row that cannot be
// built is named with its reason (the first one, and how many there are).
// Undercuts take their sizes from `norms`.
TableContour BuildContour(std::span<const TableRow> rows, const UndercutNorms& norms = UndercutNorms::BuiltIn());

// Why the row's cells are not the table's forms (a cell that is not a number, an increment
// or empty; a corner or an element of no known form); "" when they are. A value out of
// range, a size of 0 or a first row without numbers is the table's to show, not a reason
// to refuse a file.
std::string CellsProblem(const TableRow& row);

// The line under the table: "" when every row can be built, otherwise the first
// row's number and reason ("3行目: ..."), and how many more rows are wrong.
std::string ProblemLine(const TableContour& contour);

}  // namespace kelo
