#include "contour/ContourCsv.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "contour/ContourTable.h"
#include "text/Texts.h"
#include "text/Utf.h"

namespace kelo {

namespace {

constexpr std::size_t kColumns = 4;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kWideBlank = "\u3000";

// Why the file cannot be read: it ends the reading at once.
struct Failure {
    std::string message;
};

[[noreturn]] void Fail(std::string message) { throw Failure{std::move(message)}; }

[[noreturn]] void FailAtLine(int line, std::string_view reason) {
    Fail(Fill(Fill(texts::kCsvAtLine, std::to_string(line)), reason));
}

// Length of the line end at `at`: CRLF, LF or a lone CR (old Mac files); 0 when there is none.
std::size_t BreakLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    if (text[at] == '\n') return 1;
    if (text[at] != '\r') return 0;
    return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// `text` with each line put through `decodeLine`, line ends kept, so that the line it
// refuses can be named.
template <class DecodeLine>
std::string DecodeByLine(std::string_view text, DecodeLine decodeLine) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    std::size_t start = 0;
    for (int line = 1;; ++line) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::optional<std::string> decoded = decodeLine(text.substr(start, end - start));
        if (!decoded) FailAtLine(line, texts::kCsvEncoding);
        out += *decoded;
        const std::size_t length = BreakLength(text, end);
        if (length == 0) return out;
        out += text.substr(end, length);
        start = end + length;
    }
}

std::optional<std::string> CheckedUtf8(std::string_view line) {
    if (!IsUtf8(line)) return std::nullopt;
    return std::string(line);
}

// The file as UTF-8 text. Shift-JIS is decoded line by line: CR and LF never occur inside
// one of its characters, and a line it cannot decode is named.
std::string DecodeText(std::string_view bytes, const Cp932Decoder& decodeCp932) {
    if (bytes.starts_with(kUtf8Bom)) return DecodeByLine(bytes.substr(kUtf8Bom.size()), CheckedUtf8);
    const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
    if (little || big) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
        }
        if (bytes.size() % 2 != 0) units.push_back(0xFFFD);  // cut off inside its last character
        return Utf16ToUtf8(units);
    }
    if (IsUtf8(bytes)) return std::string(bytes);
    return DecodeByLine(bytes, [&](std::string_view line) -> std::optional<std::string> {
        if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return std::string(line);
        return decodeCp932 ? decodeCp932(line) : std::nullopt;
    });
}

// Tab when the first line with anything on it has a tab between fields and no comma there
// (Excel's "Unicode text"); comma otherwise. Separators inside quoted fields do not count.
char ChooseSeparator(std::string_view text) {
    bool tab = false, comma = false, fieldStart = true;
    for (std::size_t i = text.find_first_not_of("\r\n"); i < text.size() && BreakLength(text, i) == 0;) {
        const char c = text[i++];
        if (fieldStart && c == '"') {
            while (i < text.size()) {
                if (text[i++] != '"') continue;
                if (i < text.size() && text[i] == '"') {
                    ++i;
                } else {
                    break;
                }
            }
        }
        fieldStart = c == '\t' || c == ',';
        tab = tab || c == '\t';
        comma = comma || c == ',';
    }
    return tab && !comma ? '\t' : ',';
}

// Splits UTF-8 text into records as Excel does: a field that starts with a quote runs to
// its closing quote, "" inside standing for one quote, separators and line breaks included.
class RecordReader {
   public:
    RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    // The next record's cells and the line it starts on; false at the end of the text.
    bool Next(std::vector<std::string>& cells, int& line) {
        if (pos_ >= text_.size()) return false;
        line = line_;
        cells.clear();
        for (;;) {
            std::string& cell = cells.emplace_back();
            if (At('"')) ReadQuoted(cell);
            // Unquoted text, and whatever follows a closing quote, is kept as it stands.
            while (pos_ < text_.size() && !At(separator_) && BreakLength(text_, pos_) == 0) cell += text_[pos_++];
            if (!At(separator_)) break;
            ++pos_;
        }
        SkipBreak(nullptr);
        return true;
    }

   private:
    bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

    void SkipBreak(std::string* keep) {
        const std::size_t length = BreakLength(text_, pos_);
        if (length == 0) return;
        if (keep) *keep += text_.substr(pos_, length);
        pos_ += length;
        ++line_;
    }

    void ReadQuoted(std::string& cell) {
        const int opened = line_;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size()) FailAtLine(opened, texts::kCsvOpenQuote);
            if (At('"')) {
                ++pos_;
                if (!At('"')) return;
                cell += '"';
                ++pos_;
            } else if (BreakLength(text_, pos_) != 0) {
                SkipBreak(&cell);
            } else {
                cell += text_[pos_++];
            }
        }
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// "Empty" means nothing at all: a blank the user typed is kept like any other character.
bool IsEmpty(const std::string& cell) { return cell.empty(); }

TableRow RowOf(std::vector<std::string>& cells) {
    cells.resize(kColumns);
    return {std::move(cells[0]), std::move(cells[1]), std::move(cells[2]), std::move(cells[3])};
}

// A header is any line whose first cell is no value of the column it stands in: "X",
// "直径X", "X(直径)" and whatever else a spreadsheet's author wrote there.
bool IsHeader(const std::string& firstCell, TableColumn column) {
    TableRow probe;
    CellOf(probe, column) = firstCell;
    return !CellsProblem(probe).empty();
}

std::vector<TableRow> ReadRows(std::string_view text, CsvCells check) {
    RecordReader reader(text, ChooseSeparator(text));
    std::vector<TableRow> rows;
    std::vector<std::string> cells;
    int line = 0;
    bool first = true;
    while (reader.Next(cells, line)) {
        // An empty line is no row; the kept table keeps the empty rows the user added.
        const bool empty = std::all_of(cells.begin(), cells.end(), IsEmpty);
        if (empty && (check == CsvCells::Checked || cells.size() == 1)) continue;
        if (std::exchange(first, false) && IsHeader(cells[0], TableColumn::X)) continue;
        if (cells.size() > kColumns && !std::all_of(cells.begin() + kColumns, cells.end(), IsEmpty))
            FailAtLine(line, texts::kCsvTooManyCells);
        if (rows.size() == kMaxTableRows) Fail(std::string(texts::kCsvTooManyRows));
        // A line that is not table cells means the file is not a table: a G-code program,
        // a note. Nothing of it is taken.
        TableRow row = RowOf(cells);
        if (check == CsvCells::Checked) {
            if (const std::string why = CellsProblem(row); !why.empty()) FailAtLine(line, why);
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty()) Fail(std::string(texts::kCsvNoRows));
    return rows;
}

bool IsBlankAtEdge(std::string_view cell) {
    for (const std::string_view blank : {std::string_view(" "), std::string_view("\t"), kWideBlank}) {
        if (cell.starts_with(blank) || cell.ends_with(blank)) return true;
    }
    return false;
}

// Quoted only where a reader could otherwise split or trim it.
void AppendCell(std::string& out, std::string_view cell, char separator = ',') {
    if (cell.find_first_of(std::string{separator} + "\"\r\n") == std::string_view::npos && !IsBlankAtEdge(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

CsvReadResult ReadContourCsv(std::string_view bytes, const Cp932Decoder& decodeCp932, CsvCells cells) {
    try {
        return {ReadRows(DecodeText(bytes, decodeCp932), cells), ""};
    } catch (const Failure& failure) {
        return {{}, failure.message};
    }
}

namespace {

std::string WriteRows(std::span<const TableRow> rows, char separator) {
    std::string out;
    for (std::string_view head : {texts::kTableColumnX, texts::kTableColumnZ, texts::kTableColumnCorner,
                                  texts::kTableColumnElement}) {
        out += head;
        out += separator;
    }
    out.back() = '\r';
    out += '\n';
    for (const TableRow& row : rows) {
        for (const std::string* cell : {&row.x, &row.z, &row.corner, &row.element}) {
            AppendCell(out, *cell, separator);
            out += separator;
        }
        out.back() = '\r';
        out += '\n';
    }
    return out;
}

}  // namespace

std::string WriteContourCsv(std::span<const TableRow> rows) { return std::string(kUtf8Bom) + WriteRows(rows, ','); }

std::string WriteTableText(std::span<const TableRow> rows) { return WriteRows(rows, '\t'); }

std::optional<PastedCells> PasteCells(std::vector<TableRow> rows, int row, TableColumn column,
                                      std::string_view clipboard) {
    // One cell, its line end or none: the box pastes it itself.
    const std::string_view body = clipboard.substr(0, clipboard.find_last_not_of("\r\n") + 1);
    if (body.find_first_of("\t\r\n") == std::string_view::npos) return std::nullopt;
    std::vector<std::vector<std::string>> block;
    try {
        RecordReader reader(clipboard, '\t');
        std::vector<std::string> cells;
        int line = 0;
        while (reader.Next(cells, line)) block.push_back(cells);
    } catch (const Failure&) {
        return std::nullopt;  // an open quote: not cells Excel copied
    }
    const int first = static_cast<int>(column);
    if (!block.empty() && IsHeader(block.front().front(), column)) block.erase(block.begin());
    PastedCells pasted{std::move(rows), row, column};
    for (std::size_t line = 0; line < block.size(); ++line) {
        const std::size_t at = static_cast<std::size_t>(row) + line;
        if (at >= kMaxTableRows) break;
        if (at >= pasted.rows.size()) pasted.rows.resize(at + 1);
        for (std::size_t c = 0; c < block[line].size() && first + static_cast<int>(c) < kTableColumns; ++c) {
            const auto to = static_cast<TableColumn>(first + static_cast<int>(c));
            CellOf(pasted.rows[at], to) = block[line][c];
            pasted.lastRow = static_cast<int>(at);
            pasted.lastColumn = to;
        }
    }
    return pasted;
}

}  // namespace kelo
