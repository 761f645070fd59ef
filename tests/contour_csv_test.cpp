// The contour table's files as Excel and Notepad write them, and its cells on the clipboard
// as Excel copies and pastes them.
#include <gtest/gtest.h>
#include <iconv.h>

#include "contour/ContourCsv.h"
#include "text/Texts.h"

namespace kelo {
namespace {

// What the system's code page 932 tables do on Windows, by glibc's.
std::optional<std::string> Convert(std::string_view bytes, const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    std::string in(bytes), out(bytes.size() * 4, '\0');
    char *inAt = in.data(), *outAt = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const bool ok = iconv(cd, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
std::optional<std::string> DecodeCp932(std::string_view bytes) { return Convert(bytes, "UTF-8", "CP932"); }
std::string ShiftJis(std::string_view utf8) { return Convert(utf8, "CP932", "UTF-8").value(); }
std::string Utf16(std::u16string_view text, bool little) {
    std::string out;
    for (const char16_t u : text) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += little ? std::string{low, high} : std::string{high, low};
    }
    return out;
}
std::string AtLine(int line, std::string_view reason) { return Fill(Fill(texts::kCsvAtLine, std::to_string(line)), reason); }

// Shift-JIS from Excel, UTF-8 with or without BOM and UTF-16 are read, comma- or
// tab-separated; a file that cannot be read says which line and why, with no rows.
TEST(ContourCsv, ReadsWhatExcelAndNotepadSaveAndRefusesWhatIsNoTable) {
    const std::string excel = "X,Z,角,次の要素\r\n50,0,C1,\r\n50,-20,,凹R5\r\n30,@-10,Ｃ０．５,\r\n";
    const std::vector<TableRow> excelRows = {{"50", "0", "C1", ""}, {"50", "-20", "", "凹R5"}, {"30", "@-10", "Ｃ０．５", ""}};
    const std::u16string unicode = u"\uFEFF直径X\tZ\t角\t次の要素\r\n50\t0\tC1\t凹R5\r\n\"1.5\"\t\t\t\r\n";
    const std::vector<TableRow> unicodeRows = {{"50", "0", "C1", "凹R5"}, {"1.5", "", "", ""}};
    std::string thousand = "X,Z\r\n";
    for (int i = 0; i < 1000; ++i) thousand += std::to_string(i) + ",0\r\n";
    const struct {
        std::string bytes;
        std::vector<TableRow> rows;
        std::string error = "";
    } cases[] = {
        {"\xEF\xBB\xBF" + excel, excelRows}, {excel, excelRows}, {ShiftJis(excel), excelRows},
        {Utf16(unicode, true), unicodeRows}, {Utf16(unicode, false), unicodeRows},
        {"10,0\n20,-5,R2,凸R3", {{"10", "0", "", ""}, {"20", "-5", "R2", "凸R3"}}},  // no header, LF, no last end
        {"x,z\r1,2\r\r3,4\r", {{"1", "2", "", ""}, {"3", "4", "", ""}}},  // lone CRs
        {"\n\r\n \u3000X(直径) ,Ｚ\nU1,W2\n", {{"U1", "W2", "", ""}}},      // any header, after blank lines
        {"1,2\n\n,,,\r\n,,,,,,\n3,W4,,A90,,,\n", {{"1", "2", "", ""}, {"3", "W4", "", "A90"}}},
        {" 10 ,\t0, C1 ,\u3000", {{" 10 ", "\t0", " C1 ", "\u3000"}}},  // blanks kept
        {"X\tZ\n1\t2.5\n", {{"1", "2.5", "", ""}}}, {"\"1\t\",2\n", {{"1\t", "2", "", ""}}},  // quoted tabs do not count
        {"\"10\",\"-5\",\"R2\",\"凸R3接\"\n", {{"10", "-5", "R2", "凸R3接"}}},
        {"0,0\n60,0,C99\n60,-5\n", {{"0", "0", "", ""}, {"60", "0", "C99", ""}, {"60", "-5", "", ""}}},  // geometry is the table's
        // What is no table: its line and why, and no rows.
        {"G0 X10 Z5\nG1 X20\n", {}, AtLine(2, texts::kTableXNotNumber)},
        {"1,2\nX,Z\n", {}, AtLine(2, texts::kTableXNotNumber)}, {"1,2\n3,Z\n", {}, AtLine(2, texts::kTableZNotNumber)},
        {"1,2,Q\n", {}, AtLine(1, texts::kTableCornerUnreadable)}, {"1,2,,円R5\n", {}, AtLine(1, texts::kTableElementUnreadable)},
        {Utf16(u"\uFEFF1,2", true) + "4", {}, AtLine(1, texts::kTableZNotNumber)},  // cut off in a character
        {"X,Z\r\n1,2\r\n1,2,,,5\r\n", {}, AtLine(3, texts::kCsvTooManyCells)},
        {"1,2\n\n1,2,C1,,,x", {}, AtLine(3, texts::kCsvTooManyCells)},
        {"X,Z\n1,2\n3,\"4\n5,6\n", {}, AtLine(3, texts::kCsvOpenQuote)},
        {"", {}, std::string(texts::kCsvNoRows)}, {"X1,0\n", {}, std::string(texts::kCsvNoRows)},
        {"X,Z,角,次の要素\r\n,,,\r\n\r\n", {}, std::string(texts::kCsvNoRows)},
        {thousand + "x,y\r\n", {}, std::string(texts::kCsvTooManyRows)},
        {"\xEF\xBB\xBFX,Z\r\n1,2\r\n3,\xE8\r\n", {}, AtLine(3, texts::kCsvEncoding)},
        {ShiftJis("X,Z\r\n50,角\n\r\n") + "1,\x81\r\n", {}, AtLine(4, texts::kCsvEncoding)},
    };
    for (const auto& c : cases) {
        const CsvReadResult result = ReadContourCsv(c.bytes, DecodeCp932);
        EXPECT_EQ(result.error, c.error) << c.bytes.substr(0, 40);
        EXPECT_EQ(result.rows, c.rows) << c.bytes.substr(0, 40);
    }
    EXPECT_EQ(ReadContourCsv(thousand, DecodeCp932).rows.size(), 1000u);
    // Without a decoder Shift-JIS cannot be read, but ASCII lines need none.
    EXPECT_EQ(ReadContourCsv("1,2\r\n3,\x8Ap\r\n", nullptr).error, AtLine(2, texts::kCsvEncoding));
}

// Written as UTF-8 with BOM and CRLF, quoted where Excel needs it, and read back as it was;
// the table kept between openings comes back as typed, cells that are no value yet too.
TEST(ContourCsv, WritesUtf8ExcelOpensAndReadsItBack) {
    EXPECT_EQ(WriteContourCsv(std::vector<TableRow>{{"50", "0", "C1", ""}, {" 5", "a,b", "say \"R\"", "凹R5"}}),
              "\xEF\xBB\xBFX,Z,角,次の要素\r\n50,0,C1,\r\n\" 5\",\"a,b\",\"say \"\"R\"\"\",凹R5\r\n");
    EXPECT_EQ(WriteContourCsv({}), "\xEF\xBB\xBFX,Z,角,次の要素\r\n");
    const std::vector<TableRow> odd = {
        {"X", "x", "Ｘ", ""},          {"", "", "", "\""},
        {"\"\"", "\"a", "b\"", "\",\""}, {"two\r\nlines", "lf\nonly", "cr\ronly", "\r\n"},
        {"\ttab", "tab\t", "a\tb", "\u3000全角"}, {"trailing ", " leading", "  ", "\u3000"},
        {",,,", "@-25", "Ｃ０．５", "凸R3"}, {"a\xEF\xBF\xBD", "\xF0\x9F\x98\x80", "0", "0"},
    };
    const CsvReadResult back = ReadContourCsv(WriteContourCsv(odd), DecodeCp932, CsvCells::AsTyped);
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.rows, odd);
}

// Cells from Excel's clipboard fill the table right and down from the cell pasted into.
TEST(ContourCsv, CellsCopiedFromExcelFillTheTable) {
    const std::vector<TableRow> two{{"0", "0"}, {"60", "0"}};
    const struct {
        int row;
        TableColumn column;
        std::string clipboard;
        std::vector<TableRow> rows;  // empty: the box pastes it itself
        int lastRow = 0;
        TableColumn lastColumn = TableColumn::X;
    } cases[] = {
        {1, TableColumn::X, "60", {}}, {1, TableColumn::X, "60\r\n", {}},
        {1, TableColumn::Z, "-5\t\tA180\r\n70\r\n80\t-30\t\t\r\n",  // ragged, past the last row
         {{"0", "0"}, {"60", "-5", "", "A180"}, {"", "70"}, {"", "80", "-30", ""}}, 3, TableColumn::Element},
        {0, TableColumn::X, "直径X\tZ\r\n10\t1\t\tR5\tmore\r\n", {{"10", "1", "", "R5"}, {"60", "0"}}, 0,
         TableColumn::Element},  // a header skipped, a cell past the last column left out
        {1, TableColumn::Element, "Z\t1\r\n凸R5\r\n", {{"0", "0"}, {"60", "0", "", "凸R5"}}, 1, TableColumn::Element},
    };
    for (const auto& c : cases) {
        const std::optional<PastedCells> pasted = PasteCells(two, c.row, c.column, c.clipboard);
        ASSERT_EQ(pasted.has_value(), !c.rows.empty()) << c.clipboard;
        if (!pasted) continue;
        EXPECT_EQ(pasted->rows, c.rows) << c.clipboard;
        EXPECT_EQ(std::pair(pasted->lastRow, pasted->lastColumn), std::pair(c.lastRow, c.lastColumn)) << c.clipboard;
    }
    EXPECT_EQ(WriteTableText(two), "X\tZ\t角\t次の要素\r\n0\t0\t\t\r\n60\t0\t\t\r\n");
    std::string tall;
    for (int i = 0; i < 1200; ++i) tall += "1\t2\n";
    EXPECT_EQ(PasteCells(two, 1, TableColumn::X, tall)->rows.size(), kMaxTableRows);
}

}  // namespace
}  // namespace kelo
