#pragma once
// The contour table: a whole turned profile as rows of points, with a chamfer or a
// round at any corner between two lines and an arc to any next point, turned into
// the line and arc segments the profile dialogs type.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/Contour.h"
#include "profiles/Segment.h"
#include "profiles/TableRow.h"

namespace kelo {

// A Z cell that begins with this is a length from the previous row's Z ("@-25":
// 25 toward -Z), as a drawing gives it; any other Z cell is an absolute Z.
inline constexpr std::string_view kLengthMark = "@";

enum class TableColumn : int { X, Z, Corner, Element };
inline constexpr int kTableColumns = 4;

// Why a row cannot be built, with the row (1 for the first).
struct TableProblem {
    int row = 0;
    std::string reason;  // Japanese, one line

    bool operator==(const TableProblem&) const = default;
};

struct TableContour {
    // In contour order: trimmed lines, chamfers, rounds and arcs. With a problem, only the
    // part before the first wrong row, to be shown and never typed.
    std::vector<Segment> segments;
    // Each row's point as read (Z, X / 2), where its cells can be read; for marking the row being edited.
    std::vector<std::optional<ContourPoint>> points;
    std::optional<TableProblem> problem;  // the first row that cannot be built
    int problemCount = 0;                 // how many rows cannot be built

    // Whether 作図 may type the segments: every row can be built.
    bool Drawable() const { return !problem && !segments.empty(); }
};

// Reads every row and builds the contour. Never throws; a row that cannot be
// built is named with its reason (the first one, and how many there are).
TableContour BuildContour(std::span<const TableRow> rows);

// The line under the table: "" when every row can be built, otherwise the first
// row's number and reason ("3行目: ..."), and how many more rows are wrong.
std::string ProblemLine(const TableContour& contour);

}  // namespace kelo
