#pragma once
// The contour table as a CSV file: read as Excel (on a Japanese Windows) or Notepad
// may have saved it, written as UTF-8 that both open again.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "contour/TableRow.h"

namespace kelo {

// Decodes Shift-JIS (code page 932) bytes to UTF-8; nullopt when they are not valid CP932.
using Cp932Decoder = std::function<std::optional<std::string>(std::string_view bytes)>;

struct CsvReadResult {
    std::vector<TableRow> rows;
    std::string error;  // empty: read; otherwise the whole message to show, rows then empty
};

// UTF-8 (with or without a BOM), UTF-16 with a BOM, or else Shift-JIS; comma or tab
// separated; a header line first or not (any line whose X cell is not a table value).
// Cells come back as the file holds them. A line that is not table cells is refused with
// its number and reason, and nothing is read.
// The table kept between openings is read AsTyped: whatever the user typed comes back,
// even a cell that is no table value yet.
enum class CsvCells : std::uint8_t { Checked, AsTyped };
CsvReadResult ReadContourCsv(std::string_view bytes, const Cp932Decoder& decodeCp932,
                             CsvCells cells = CsvCells::Checked);

// UTF-8 with a BOM, CRLF line ends, the header line first, then one line per row.
std::string WriteContourCsv(std::span<const TableRow> rows);

// The whole table as Excel takes it from the clipboard into cells: the header line, then
// one line per row, cells separated by tabs, CRLF line ends.
std::string WriteTableText(std::span<const TableRow> rows);

struct PastedCells {
    std::vector<TableRow> rows;
    int lastRow = 0;  // the last cell filled
    TableColumn lastColumn = TableColumn::X;
};

// Cells copied from Excel (tab-separated, one line a row) pasted at the cell `row`,
// `column`: they fill the table right and down, rows added as needed (up to the most a
// table holds), cells beyond the last column left out, a header line skipped by the
// files' rule. nullopt when the clipboard holds one cell, which the box pastes itself.
std::optional<PastedCells> PasteCells(std::vector<TableRow> rows, int row, TableColumn column,
                                      std::string_view clipboard);

}  // namespace kelo
