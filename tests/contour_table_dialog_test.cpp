// The contour table's dialog as the window drives it: the Enter walk and arrow keys, rows,
// picked corners, files, the typing, undo and redo, the kept rows and the clipboard.
#include <gtest/gtest.h>

#include <map>

#include "Rig.h"
#include "contour/ContourCsv.h"
#include "contour/ContourTableDialog.h"
#include "text/Texts.h"

namespace kelo {
namespace {

class TableRig : public TableView, public testing::Host {
   public:
    ContourTableDialog table{state, channel, *this, nullptr};
    std::string log;  // focus moves ("1:0", a button's name) and cells the model wrote ("1:0=80"), in order
    std::string problem;
    std::optional<ContourPoint> marked;
    std::size_t drawn = 0;
    std::map<std::string, std::string> files;
    std::optional<std::string> chosen;  // what the file dialog answers
    std::optional<std::string> kept;    // the kept table's file
    std::optional<std::string> normFile;  // the user's undercut norms
    std::optional<std::string> clipboard;  // nullopt: another program holds it
    bool closed = false;

    explicit TableRig(int rows = 1) {
        table.RecordInto(&chain);
        table.frm_TABLE_Form_Load();
        for (int row = 1; row < rows; ++row) table.frm_TABLE_AddButton_Click();
        log.clear();
    }
    void Row(int row, const TableRow& cells) {
        for (int c = 0; c < kTableColumns; ++c)
            table.CellChanged(row, TableColumn(c), CellOf(cells, TableColumn(c)));
    }
    std::string Rows() const {
        std::string all;
        for (int row = 0; row < table.RowCount(); ++row)
            for (int c = 0; c < kTableColumns; ++c) all += table.Cell(row, TableColumn(c)) + (c < 3 ? "," : ";");
        return all;
    }

    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return desktop.ShowMessage(text, title, style);
    }
    void ShowRows() override {}
    void ShowCell(int row, TableColumn column, std::string_view text) override {
        log += std::to_string(row) + ":" + std::to_string(int(column)) + "=" + std::string(text) + " ";
    }
    void FocusCell(int row, TableColumn column) override {
        log += std::to_string(row) + ":" + std::to_string(int(column)) + " ";
    }
    void FocusButton(std::string_view name) override { log += std::string(name) + " "; }
    void ShowProblem(std::string_view line) override { problem = line; }
    void ShowContour(const TableContour& contour, std::optional<ContourPoint> current) override {
        marked = current;
        drawn = contour.segments.size();
    }
    std::optional<std::string> ChooseFile(bool) override { return chosen; }
    std::optional<std::string> ReadFile(std::string_view path) override {
        const auto found = files.find(std::string(path));
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    bool WriteFile(std::string_view path, std::string_view bytes) override {
        files[std::string(path)] = bytes;
        return path != "full.csv";
    }
    std::optional<std::string> ReadKept() override { return kept; }
    std::optional<std::string> ReadNormFile() override { return normFile; }
    void WriteKept(std::string_view bytes) override { kept = bytes; }
    bool CopyText(std::string_view text) override {
        if (clipboard) clipboard = text;
        return clipboard.has_value();
    }
    void Close() override { closed = true; }
};

TEST(ContourTableDialog, OpensAtTheProfileStartAndWalksTheCellsWithEnterAndTheArrowKeys) {
    TableRig rig;
    rig.state.StartX = "60";
    rig.state.StartZ = -25.0;
    rig.table.frm_TABLE_Form_Load();
    EXPECT_EQ(rig.Rows(), "60,-25,,;");
    EXPECT_EQ(rig.problem, "点を2行以上入力してください。");
    EXPECT_EQ(rig.marked, (ContourPoint{-25, 30}));  // the current row's point

    rig.table.frm_TABLE_AddButton_Click();
    rig.table.frm_TABLE_AddButton_Click();
    rig.log.clear();
    for (int c = 0; c < kTableColumns; ++c) rig.table.CellEnter(1, TableColumn(c));
    rig.table.CellEnter(2, TableColumn::Element);
    for (int step : {-1, -5, 1, 0, 5}) rig.table.CellStep(1, TableColumn::Z, step);  // clamped to the rows
    rig.table.CellStep(0, TableColumn::X, -1);
    rig.table.CellStep(2, TableColumn::X, 1);
    EXPECT_EQ(rig.log, "1:1 1:2 1:3 2:0 DrawButton 0:1 0:1 2:1 2:1 ");
    EXPECT_EQ(rig.table.Cell(3, TableColumn::X), "");  // beyond the rows
    EXPECT_EQ(rig.table.Cell(-1, TableColumn::X), "");
}

TEST(ContourTableDialog, RowsAreAddedInsertedAndDeletedAroundTheCurrentRow) {
    TableRig rig(2);
    rig.Row(1, {"60", "@-10"});
    rig.table.CellChanged(2, TableColumn::X, "99");  // no such row
    rig.table.frm_TABLE_InsertButton_Click();        // before row 1
    EXPECT_EQ(rig.Rows(), "0,0,,;,,,;60,@-10,,;");
    EXPECT_EQ(rig.problem, "2行目: 点が決まりません。X と Z を入力するか、角度 (A) や接円弧で決まるようにしてください。 (ほかに1行)");
    rig.table.frm_TABLE_DeleteButton_Click();
    EXPECT_EQ(rig.Rows(), "0,0,,;60,@-10,,;");
    EXPECT_EQ(rig.problem, "");
    EXPECT_EQ(rig.drawn, 1u);
    rig.table.CellEntered(1, TableColumn::Z);
    rig.table.frm_TABLE_DeleteButton_Click();  // the last row: the focus goes to the one before
    rig.table.frm_TABLE_DeleteButton_Click();  // the last row left is emptied, never removed
    EXPECT_EQ(rig.Rows(), ",,,;");

    rig.chosen = "many.csv";
    for (std::size_t n = 0; n < kMaxTableRows; ++n) rig.files["many.csv"] += "10," + std::to_string(n) + "\n";
    rig.table.frm_TABLE_OpenButton_Click();
    rig.table.frm_TABLE_AddButton_Click();  // no more than the most rows a table takes
    rig.table.frm_TABLE_InsertButton_Click();
    EXPECT_EQ(rig.table.RowCount(), static_cast<int>(kMaxTableRows));
}

TEST(ContourTableDialog, ACornerPickedInThePreviewGoesIntoTheCurrentRow) {
    TableRig rig(3);
    rig.Row(1, {"60", "-10"});
    rig.Row(2, {"80", "-30"});
    rig.table.CellEntered(1, TableColumn::Z);
    EXPECT_EQ(rig.marked, (ContourPoint{-10, 30}));
    rig.table.CellEntered(3, TableColumn::Z);  // no such row: stays on row 1
    rig.log.clear();
    rig.table.CornerPicked(*MakeCorner("40.0", "-5"));
    EXPECT_EQ(rig.log, "1:0=40.0 1:1=-5 ");
    EXPECT_EQ(rig.Rows(), "0,0,,;40.0,-5,,;80,-30,,;");
    EXPECT_EQ(rig.marked, (ContourPoint{-5, 20}));
    rig.table.CellEntered(0, TableColumn::Z);  // the first row is a row like any other
    rig.table.CornerPicked(*MakeCorner("10", "1"));
    EXPECT_EQ(rig.Rows(), "10,1,,;40.0,-5,,;80,-30,,;");
}

// 作図 types nothing while a row is wrong (the row to mend gets the focus) or the host is
// missing (the rows stay); then the whole contour once, and the next dialog goes on from its end.
TEST(ContourTableDialog, DrawTypesTheWholeContourOnceWhenItCan) {
    TableRig rig(3);
    rig.Row(1, {"60", "0", "C1"});
    rig.Row(2, {"60", "abc"});
    rig.table.frm_TABLE_DrawButton_Click();
    EXPECT_EQ(rig.log, "2:0 ");
    rig.Row(2, {"60", "@-25"});
    rig.desktop.windows.clear();
    rig.table.frm_TABLE_DrawButton_Click();
    EXPECT_FALSE(rig.closed);
    EXPECT_EQ(rig.Rows(), "0,0,,;60,0,C1,;60,@-25,,;");
    rig.desktop.windows = {testing::kHost};
    rig.table.frm_TABLE_DrawButton_Click();
    EXPECT_EQ(testing::Seen(rig.desktop.transcript), testing::kFailure + "^CLINE TWO_PTS 0,0 0,29\r^CLINE TWO_PTS 0,29 -1,30\r"
                                                                "^CLINE TWO_PTS -1,30 -25,30\r^C");
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.chain.Size(), 3u);
    EXPECT_EQ(rig.state.StartX, TextOrNumber("60"));
    EXPECT_EQ(rig.state.StartZ, TextOrNumber(-25.0));
}

TEST(ContourTableDialog, FilesRoundTripAndABadFileLeavesTheTableAsItWas) {
    TableRig rig(2);
    rig.Row(1, {"60", "@-10", "", "凹R20"});
    rig.chosen = "a.csv";
    rig.table.frm_TABLE_SaveButton_Click();
    EXPECT_EQ(rig.files["a.csv"], "\xEF\xBB\xBFX,Z,角,次の要素\r\n0,0,,\r\n60,@-10,,凹R20\r\n");
    rig.chosen = "full.csv";  // the disk refuses it
    rig.table.frm_TABLE_SaveButton_Click();
    rig.files["bad.csv"] = "X,Z\r\n1,2,3,4,5\r\n";
    rig.chosen = "bad.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    rig.chosen = "missing.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    const auto said = [](std::string_view text) { return testing::Message(text, "輪郭表"); };
    EXPECT_EQ(rig.desktop.transcript, said(texts::kCsvCannotSave) +
                                          said("2行目: 列が多すぎます。X, Z, 角, 次の要素 の4列までです。") +
                                          said("ファイルを開けませんでした。"));
    EXPECT_EQ(rig.Rows(), "0,0,,;60,@-10,,凹R20;");

    rig.files["b.csv"] = "10,0\n20,-5\n30,-9\n";
    rig.chosen = "b.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    EXPECT_EQ(rig.Rows(), "10,0,,;20,-5,,;30,-9,,;");
    EXPECT_EQ(rig.drawn, 2u);
    rig.chosen = std::nullopt;  // Cancel
    rig.table.frm_TABLE_OpenButton_Click();
    rig.table.frm_TABLE_SaveButton_Click();
    EXPECT_EQ(rig.table.RowCount(), 3);
    EXPECT_EQ(rig.files.size(), 4u);
}

// Each step undone and redone in turn, a cell's edit as one step from entering the cell
// to leaving it; every step, and every close, keeps the rows for the next opening.
TEST(ContourTableDialog, StepsAreUndoneAndRedoneAndTheRowsAreKept) {
    TableRig rig;
    std::vector<std::string> seen{rig.Rows()};
    auto stepped = [&] {
        seen.push_back(rig.Rows());
        EXPECT_EQ(rig.kept, WriteContourCsv(ReadContourCsv(*rig.kept, nullptr, CsvCells::AsTyped).rows));
        EXPECT_EQ(ReadContourCsv(*rig.kept, nullptr, CsvCells::AsTyped).rows.size(), size_t(rig.table.RowCount()));
    };
    rig.table.CellEntered(0, TableColumn::X);
    for (const char* typed : {"6", "60", "60x"}) rig.table.CellChanged(0, TableColumn::X, typed);
    rig.table.frm_TABLE_AddButton_Click();  // leaves the cell: its edit is one step
    seen.push_back("60x,0,,;");
    stepped();
    rig.table.CellEntered(1, TableColumn::X);
    rig.Row(1, {"60", "-10"});
    rig.table.CellEntered(1, TableColumn::Z);
    stepped();
    EXPECT_FALSE(rig.table.CellPaste(1, TableColumn::Z, "-20\r\n"));  // one cell: the box pastes it
    EXPECT_TRUE(rig.table.CellPaste(1, TableColumn::Z, "-20\r\n-30\r\n"));
    stepped();
    rig.files["b.csv"] = "10,0\n20,-5\n";
    rig.chosen = "b.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    stepped();
    rig.table.CornerPicked(*MakeCorner("40", "-5"));
    stepped();
    rig.table.frm_TABLE_NewButton_Click();
    stepped();
    EXPECT_EQ(seen, (std::vector<std::string>{"0,0,,;", "60x,0,,;", "60x,0,,;,,,;", "60x,0,,;60,-10,,;",
                                              "60x,0,,;60,-20,,;,-30,,;", "10,0,,;20,-5,,;", "40,-5,,;20,-5,,;",
                                              "0,0,,;"}));
    for (std::size_t back = seen.size() - 1; back-- > 0;) {
        rig.table.Undo();
        EXPECT_EQ(rig.Rows(), seen[back]);
        EXPECT_EQ(rig.kept, WriteContourCsv(ReadContourCsv(*rig.kept, nullptr, CsvCells::AsTyped).rows));
    }
    rig.table.Undo();  // nothing more
    EXPECT_EQ(rig.Rows(), seen.front());
    rig.table.Redo();
    rig.table.Redo();
    EXPECT_EQ(rig.Rows(), seen[2]);
    rig.table.CellChanged(0, TableColumn::Z, "5");  // a new edit: nothing left to redo
    rig.table.Redo();
    EXPECT_EQ(rig.Rows(), "60x,5,,;,,,;");
    rig.table.Undo();
    EXPECT_EQ(rig.Rows(), seen[2]);

    for (int i = 0; i < 150; ++i) rig.table.frm_TABLE_AddButton_Click();
    for (int i = 0; i < 150; ++i) rig.table.Undo();
    EXPECT_EQ(rig.table.RowCount(), 50 + 2);  // a hundred steps back
    // Closed with ｷｬﾝｾﾙ: the next opening has the rows, cells that are no value yet too.
    rig.table.CellChanged(0, TableColumn::Corner, "R");
    rig.table.frm_TABLE_CancelButton_Click();
    TableRig next;
    next.kept = rig.kept;
    next.table.frm_TABLE_Form_Load();
    EXPECT_EQ(next.Rows(), rig.Rows());
    EXPECT_EQ(next.Rows().substr(0, 8), "60x,0,R,");
}

TEST(ContourTableDialog, CopyPutsTheWholeTableOnTheClipboard) {
    TableRig rig(2);
    rig.Row(1, {"60", "W-10", "", "A180"});
    rig.clipboard = "";
    rig.table.frm_TABLE_CopyButton_Click();
    EXPECT_EQ(rig.clipboard, "X\tZ\t角\t次の要素\r\n0\t0\t\t\r\n60\tW-10\t\tA180\r\n");
    rig.clipboard.reset();  // held by another program
    rig.table.frm_TABLE_CopyButton_Click();
    EXPECT_EQ(rig.desktop.transcript, testing::Message(texts::kCalcClipboardBusy, "輪郭表"));
}

}  // namespace
}  // namespace kelo
