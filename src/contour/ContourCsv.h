#pragma once
// The contour table as a CSV file: read as Excel (on a Japanese Windows) or Notepad
// may have saved it, written as UTF-8 that both open again.
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
// separated; a header line first or not. Cells come back as the file holds them.
CsvReadResult ReadContourCsv(std::string_view bytes, const Cp932Decoder& decodeCp932);

// UTF-8 with a BOM, CRLF line ends, the header line first, then one line per row.
std::string WriteContourCsv(std::span<const TableRow> rows);

}  // namespace kelo
