#include "profiles/ContourCsv.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "text/Texts.h"

namespace kelo {
namespace {

// What the system's code page 932 tables do on Windows, by glibc's.
std::optional<std::string> Convert(std::string_view bytes, const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes), out(bytes.size() * 4, '\0');
    char* inAt = in.data();
    char* outAt = out.data();
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

std::string AtLine(int line, std::string_view reason) {
    return Fill(Fill(texts::kCsvAtLine, std::to_string(line)), reason);
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<TableRow> rows;
};

TEST(ContourCsv, ReadsWhatExcelAndNotepadSave) {
    const std::string excel = "X,Z,角,次の要素\r\n50,0,C1,\r\n50,-20,,凹R5\r\n30,@-10,Ｃ０．５,\r\n";
    const std::vector<TableRow> excelRows = {
        {"50", "0", "C1", ""}, {"50", "-20", "", "凹R5"}, {"30", "@-10", "Ｃ０．５", ""}};
    const std::u16string unicodeText = u"\uFEFFX\tZ\t角\t次の要素\r\n50\t0\tC1\t凹R5\r\n\"1,5\"\t\t\t\r\n";
    const std::vector<TableRow> unicodeRows = {{"50", "0", "C1", "凹R5"}, {"1,5", "", "", ""}};
    const ReadCase cases[] = {
        {"UTF-8 with a BOM", "\xEF\xBB\xBF" + excel, excelRows},
        {"UTF-8 without a BOM", excel, excelRows},
        {"Shift-JIS", ShiftJis(excel), excelRows},
        {"UTF-16LE", Utf16(unicodeText, true), unicodeRows},
        {"UTF-16BE", Utf16(unicodeText, false), unicodeRows},
        {"UTF-16 cut off in a character", Utf16(u"\uFEFF1,2", true) + "4", {{"1", "2\uFFFD", "", ""}}},
        {"no header, LF, no last line end", "10,0\n20,-5,R2,凸R3", {{"10", "0", "", ""}, {"20", "-5", "R2", "凸R3"}}},
        {"lone CR line ends", "x,z\r1,2\r\r3,4\r", {{"1", "2", "", ""}, {"3", "4", "", ""}}},
        {"full-width header after blank lines", "\n\r\n \u3000Ｘ ,Ｚ\n1,2\n", {{"1", "2", "", ""}}},
        {"X only as the first cell", "X1,0\n", {{"X1", "0", "", ""}}},
        {"only the first line can be a header", "1,2\nX,Z\n", {{"1", "2", "", ""}, {"X", "Z", "", ""}}},
        {"blank and ,,, lines; empty cells past the 4th", "1,2\n\n,,,\r\n,,,,,,\n3,4,,,,,\n",
         {{"1", "2", "", ""}, {"3", "4", "", ""}}},
        {"blanks kept", " 10 ,\t0, C1 ,\u3000", {{" 10 ", "\t0", " C1 ", "\u3000"}}},
        {"tabs without commas", "X\tZ\n1\t2,5\n", {{"1", "2,5", "", ""}}},
        {"a comma beside tabs means commas", "1\t2,3\n", {{"1\t2", "3", "", ""}}},
        {"a quoted comma does not count", "\"1,5\"\t2\n", {{"1,5", "2", "", ""}}},
        {"a quoted tab does not count", "\"a\tb\",c\n", {{"a\tb", "c", "", ""}}},
        {"quoted fields", "\"a,b\",\"say \"\"R\"\"\",\"two\r\nlines\",\"\"\n",
         {{"a,b", "say \"R\"", "two\r\nlines", ""}}},
        {"quotes not at a field's start", "a\"b, \"c\",\"d\"e f,\"\"\"\"\n", {{"a\"b", " \"c\"", "de f", "\""}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CsvReadResult result = ReadContourCsv(c.bytes, DecodeCp932);
        EXPECT_EQ(result.error, "");
        EXPECT_EQ(result.rows, c.rows);
    }
}

struct ErrorCase {
    const char* name;
    std::string bytes;
    std::string error;
};

TEST(ContourCsv, NamesWhatIsWrongAndWhere) {
    std::string thousand = "X,Z\r\n";
    for (int i = 0; i < 1000; ++i) thousand += std::to_string(i) + ",0\r\n";
    const ErrorCase cases[] = {
        {"a 5th cell", "X,Z\r\n1,2\r\n1,2,,,5\r\n", AtLine(3, texts::kCsvTooManyCells)},
        {"a 6th cell after a quoted line break", "1,\"a\nb\"\n\n1,2,3,4,,x", AtLine(4, texts::kCsvTooManyCells)},
        {"a blank 5th cell", "1,2,3,4, \r\n", AtLine(1, texts::kCsvTooManyCells)},
        {"lines after lone CRs", "1\r2\r\r\n1,2,3,4,5", AtLine(4, texts::kCsvTooManyCells)},
        {"an open quote", "X,Z\n1,2\n3,\"4\n5,6\n", AtLine(3, texts::kCsvOpenQuote)},
        {"an open quote after a closed one", "\"1\"\"\n", AtLine(1, texts::kCsvOpenQuote)},
        {"an empty file", "", std::string(texts::kCsvNoRows)},
        {"a BOM only", "\xEF\xBB\xBF", std::string(texts::kCsvNoRows)},
        {"a header and ,,, only", "X,Z,角,次の要素\r\n,,,\r\n\r\n", std::string(texts::kCsvNoRows)},
        {"1001 rows", thousand + "x,y\r\n", std::string(texts::kCsvTooManyRows)},
        {"bad UTF-8 after a BOM", "\xEF\xBB\xBFX,Z\r\n1,2\r\n3,\xE8\r\n", AtLine(3, texts::kCsvEncoding)},
        {"bad Shift-JIS", ShiftJis("X,Z\r\n50,角\n\r\n") + "1,\x81\r\n", AtLine(4, texts::kCsvEncoding)},
        {"bad Shift-JIS at the end", ShiftJis("角\r\n") + "\xA0\x82", AtLine(2, texts::kCsvEncoding)},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CsvReadResult result = ReadContourCsv(c.bytes, DecodeCp932);
        EXPECT_EQ(result.error, c.error);
        EXPECT_TRUE(result.rows.empty());
    }
    EXPECT_EQ(ReadContourCsv(thousand, DecodeCp932).rows.size(), 1000u);
    // Without a decoder Shift-JIS cannot be read, but ASCII lines need none.
    EXPECT_EQ(ReadContourCsv("1,2\r\n3,\x8Ap\r\n", nullptr).error, AtLine(2, texts::kCsvEncoding));
}

TEST(ContourCsv, WritesUtf8ExcelOpensAndReadsItBack) {
    const std::vector<TableRow> rows = {
        {"50", "0", "C1", ""},
        {" 5", "a,b", "say \"R\"", "凹R5"},
    };
    EXPECT_EQ(WriteContourCsv(rows),
              "\xEF\xBB\xBFX,Z,角,次の要素\r\n50,0,C1,\r\n\" 5\",\"a,b\",\"say \"\"R\"\"\",凹R5\r\n");
    EXPECT_EQ(WriteContourCsv({}), "\xEF\xBB\xBFX,Z,角,次の要素\r\n");

    const std::vector<TableRow> odd = {
        {"X", "x", "Ｘ", ""},
        {"", "", "", "\""},
        {"\"\"", "\"a", "b\"", "\",\""},
        {"two\r\nlines", "lf\nonly", "cr\ronly", "\r\n"},
        {"\ttab", "tab\t", "a\tb", "\u3000全角"},
        {"trailing ", " leading", "  ", "\u3000"},
        {",,,", "@-25", "Ｃ０．５", "凸R3"},
        {"a\xEF\xBF\xBD", "\xF0\x9F\x98\x80", "0", "0"},
    };
    const CsvReadResult back = ReadContourCsv(WriteContourCsv(odd), DecodeCp932);
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.rows, odd);
}

}  // namespace
}  // namespace kelo
