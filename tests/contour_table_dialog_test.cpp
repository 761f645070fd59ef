// The contour table dialog as its window drives it: the rows, the Enter walk, rows
// added and deleted, files, and the whole contour typed once through the channel.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ProfileRig.h"
#include "profiles/ContourTableDialog.h"

namespace kelo {
namespace {

using testing::ProfileDesktop;

class TableRig : public TableView {
   public:
    ProfileDesktop desktop;
    ChannelSettings settings{"Host", "0", 0.0f};
    HostChannel channel{desktop, settings};
    ProfileState state;
    ContourChain chain;
    ContourTableDialog table{state, channel, *this, nullptr};
    std::vector<std::string> focus;  // "row:column" or a button's name
    std::string problem;
    std::optional<ContourPoint> marked;
    std::vector<ContourSegment> drawn;
    std::map<std::string, std::string> files;
    std::optional<std::string> chosen;  // what the file dialog answers
    bool closed = false;

    TableRig() {
        InitProfileState(state);
        table.RecordInto(&chain);
    }
    void Row(int row, const TableRow& cells) {
        const std::string TableRow::*members[] = {&TableRow::x, &TableRow::z, &TableRow::corner, &TableRow::element};
        for (int c = 0; c < kTableColumns; ++c) table.CellChanged(row, TableColumn(c), cells.*members[c]);
    }
    std::string Typed() const { return desktop.typed; }

    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return desktop.ShowMessage(text, title, style);
    }
    void ShowRows() override {}
    void ShowCell(int, TableColumn, std::string_view) override {}
    void FocusCell(int row, TableColumn column) override {
        focus.push_back(std::to_string(row) + ":" + std::to_string(int(column)));
    }
    void FocusButton(std::string_view name) override { focus.emplace_back(name); }
    void ShowProblem(std::string_view line) override { problem = line; }
    void ShowContour(const TableContour& contour, std::optional<ContourPoint> current) override {
        marked = current;
        drawn.clear();
        for (const Segment& s : contour.segments) drawn.push_back(*ShapeOf(s));
    }
    std::optional<std::string> ChooseFile(bool) override { return chosen; }
    std::optional<std::string> ReadFile(std::string_view path) override {
        const auto found = files.find(std::string(path));
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    bool WriteFile(std::string_view path, std::string_view bytes) override {
        files[std::string(path)] = bytes;
        return true;
    }
    void Close() override { closed = true; }
};

TEST(ContourTableDialog, OpensAtTheProfileStartAndWalksTheCellsWithEnter) {
    TableRig rig;
    rig.state.StartX = "60";
    rig.state.StartZ = -25.0;
    rig.table.frm_TABLE_Form_Load();
    ASSERT_EQ(rig.table.RowCount(), 1);
    EXPECT_EQ(rig.table.Cell(0, TableColumn::X), "60");
    EXPECT_EQ(rig.table.Cell(0, TableColumn::Z), "-25");
    EXPECT_EQ(rig.problem, "点を2行以上入力してください。");
    EXPECT_EQ(rig.marked, (ContourPoint{-25, 30}));

    rig.table.frm_TABLE_AddButton_Click();
    rig.focus.clear();
    for (int c = 0; c < kTableColumns; ++c) rig.table.CellEnter(0, TableColumn(c));
    rig.table.CellEnter(1, TableColumn::Element);
    EXPECT_EQ(rig.focus, (std::vector<std::string>{"0:1", "0:2", "0:3", "1:0", "DrawButton"}));
}

TEST(ContourTableDialog, RowsAreAddedInsertedAndDeletedAroundTheCurrentRow) {
    TableRig rig;
    rig.table.frm_TABLE_Form_Load();
    rig.table.frm_TABLE_AddButton_Click();
    rig.Row(1, {"60", "@-10"});
    rig.table.frm_TABLE_InsertButton_Click();  // before row 1
    EXPECT_EQ(rig.table.RowCount(), 3);
    EXPECT_EQ(rig.table.Cell(2, TableColumn::Z), "@-10");
    EXPECT_EQ(rig.problem, "2行目: X が空です。");
    rig.table.frm_TABLE_DeleteButton_Click();
    EXPECT_EQ(rig.table.RowCount(), 2);
    EXPECT_EQ(rig.problem, "");
    EXPECT_EQ(rig.drawn.size(), 1u);
    rig.table.CellEntered(0, TableColumn::X);
    rig.table.frm_TABLE_DeleteButton_Click();
    rig.table.frm_TABLE_DeleteButton_Click();  // the last row is emptied, never removed
    EXPECT_EQ(rig.table.RowCount(), 1);
    EXPECT_EQ(rig.table.Cell(0, TableColumn::X), "");
}

TEST(ContourTableDialog, DrawTypesTheWholeContourOnceThenGoesOnFromItsEnd) {
    TableRig rig;
    rig.table.frm_TABLE_Form_Load();
    rig.table.frm_TABLE_AddButton_Click();
    rig.table.frm_TABLE_AddButton_Click();
    rig.Row(1, {"60", "0", "C1"});
    rig.Row(2, {"60", "@-25"});
    rig.table.frm_TABLE_DrawButton_Click();
    EXPECT_EQ(rig.Typed(),
              "<^C>LINE TWO_PTS 0,0 0,29<Enter><^C>LINE TWO_PTS 0,29 -1,30<Enter><^C>"
              "LINE TWO_PTS -1,30 -25,30<Enter><^C>");
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.chain.Size(), 3u);
    EXPECT_EQ(rig.state.StartX.AsText(), "60");
    EXPECT_EQ(rig.state.StartZ.AsNumber(), -25);
}

TEST(ContourTableDialog, NothingIsTypedWhileARowIsWrongOrWithoutAHost) {
    TableRig rig;
    rig.table.frm_TABLE_Form_Load();
    rig.table.frm_TABLE_AddButton_Click();
    rig.Row(1, {"60", "abc"});
    rig.table.frm_TABLE_DrawButton_Click();
    EXPECT_EQ(rig.Typed(), "");
    EXPECT_FALSE(rig.closed);
    EXPECT_EQ(rig.focus.back(), "1:0");  // to the row to mend

    rig.Row(1, {"60", "-5"});
    rig.desktop.hostOpen = false;
    rig.table.frm_TABLE_DrawButton_Click();
    EXPECT_EQ(rig.Typed(), "");
    EXPECT_FALSE(rig.closed);
    ASSERT_EQ(rig.desktop.messages.size(), 1u);
    EXPECT_EQ(rig.desktop.messages[0].text, testing::kTrap);
    EXPECT_EQ(rig.table.Cell(1, TableColumn::Z), "-5");  // the rows as typed
    EXPECT_EQ(rig.state.StartX.AsText(), "0");
}

TEST(ContourTableDialog, FilesRoundTripAndABadFileLeavesTheTableAsItWas) {
    TableRig rig;
    rig.table.frm_TABLE_Form_Load();
    rig.table.frm_TABLE_AddButton_Click();
    rig.Row(1, {"60", "@-10", "", "凹R20"});
    rig.chosen = "a.csv";
    rig.table.frm_TABLE_SaveButton_Click();
    EXPECT_EQ(rig.files["a.csv"], "\xEF\xBB\xBFX,Z,角,次の要素\r\n0,0,,\r\n60,@-10,,凹R20\r\n");

    rig.files["bad.csv"] = "X,Z\r\n1,2,3,4,5\r\n";
    rig.chosen = "bad.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    ASSERT_EQ(rig.desktop.messages.size(), 1u);
    EXPECT_EQ(rig.desktop.messages[0].text, "2行目: 列が多すぎます。X, Z, 角, 次の要素 の4列までです。");
    EXPECT_EQ(rig.desktop.messages[0].title, "輪郭表");
    rig.chosen = "missing.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    EXPECT_EQ(rig.desktop.messages.back().text, "ファイルを開けませんでした。");
    EXPECT_EQ(rig.table.RowCount(), 2);
    EXPECT_EQ(rig.table.Cell(1, TableColumn::Element), "凹R20");

    rig.files["b.csv"] = "10,0\n20,-5\n30,-9\n";
    rig.chosen = "b.csv";
    rig.table.frm_TABLE_OpenButton_Click();
    EXPECT_EQ(rig.table.RowCount(), 3);
    EXPECT_EQ(rig.drawn.size(), 2u);
    rig.chosen = std::nullopt;  // Cancel
    rig.table.frm_TABLE_OpenButton_Click();
    EXPECT_EQ(rig.table.RowCount(), 3);
}

}  // namespace
}  // namespace kelo
