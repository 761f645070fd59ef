#pragma once
// One row of the contour table: a point of the contour and what follows it,
// each cell exactly as the user typed it (or as a file held it).
#include <cstddef>
#include <string>

namespace kelo {

struct TableRow {
    std::string x;        // diameter
    std::string z;        // axial position, or a length from the previous row ("@-25")
    std::string corner;   // "", "C d" (chamfer) or "R r" (round)
    std::string element;  // "" (a straight line to the next row), "凹R r" or "凸R r"

    bool operator==(const TableRow&) const = default;
};

// The cells of a row, in the order they stand.
enum class TableColumn : int { X, Z, Corner, Element };
inline constexpr int kTableColumns = 4;

// The cell of `row` in `column` (TableRow or const TableRow).
template <typename Row>
auto& CellOf(Row& row, TableColumn column) {
    switch (column) {
        case TableColumn::X: return row.x;
        case TableColumn::Z: return row.z;
        case TableColumn::Corner: return row.corner;
        case TableColumn::Element: return row.element;
    }
    return row.x;
}

// Rows beyond this are refused: a table is a part's contour, not a point cloud.
inline constexpr std::size_t kMaxTableRows = 1000;

}  // namespace kelo
