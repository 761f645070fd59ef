#pragma once
// The contour table dialog "輪郭表": a whole turned profile entered as rows, checked
// and previewed at every change, read from and saved to files, and typed into the
// host in one go. The model holds the rows and runs the handlers; the window only
// shows some of the rows and passes the events on.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel/HostChannel.h"
#include "contour/Contour.h"
#include "contour/ContourCsv.h"
#include "contour/ContourTable.h"
#include "contour/TableHistory.h"
#include "profiles/ProfileState.h"
#include "text/Texts.h"
#include "ui/FormTable.h"

namespace kelo {

namespace table {

// Rows shown at a time; the scroll bar shows the rest.
inline constexpr int kVisibleRows = 10;
inline constexpr int kRowTop = 420, kRowPitch = 405, kCellHeight = 375;
inline constexpr std::array<int, kTableColumns> kColumnLeft{600, 1755, 2910, 4065};
// 角 as wide as the others: an undercut's designation ("DIN76B P1.5") fits.
inline constexpr std::array<int, kTableColumns> kColumnWidth{1095, 1095, 1095, 1095};
inline constexpr std::array<std::string_view, kTableColumns> kColumnHead{
    texts::kTableColumnX, texts::kTableColumnZ, texts::kTableColumnCorner, texts::kTableColumnElement};

// The read-only column right of the cells: each shown row's point as worked out.
inline constexpr int kWorkedLeft = 5220, kWorkedWidth = 2100;

inline constexpr std::string_view kScroll = "Scroll", kHint = "Hint", kProblem = "Problem",
                                  kWorkedHead = "WorkedHead";
inline constexpr std::string_view kAddButton = "AddButton", kInsertButton = "InsertButton",
                                  kDeleteButton = "DeleteButton", kNewButton = "NewButton",
                                  kOpenButton = "OpenButton", kSaveButton = "SaveButton",
                                  kCopyButton = "CopyButton", kDrawButton = "DrawButton",
                                  kCancelButton = "CancelButton";

// "Text1" ... "Text40": the cells row by row, X first; "Row1" ... "Row10": the row numbers;
// "Worked1" ... "Worked10": the worked-out points.
template <std::size_t N>
struct Names {
    std::array<std::array<char, 8>, N> chars{};
    std::array<std::size_t, N> sizes{};
    constexpr std::string_view operator[](std::size_t i) const { return {chars[i].data(), sizes[i]}; }
};
template <std::size_t N>
consteval Names<N> MakeNames(std::string_view prefix) {
    Names<N> names;
    for (std::size_t i = 0; i < N; ++i) {
        std::size_t n = 0;
        for (char c : prefix) names.chars[i][n++] = c;
        const std::size_t number = i + 1;
        if (number >= 10) names.chars[i][n++] = static_cast<char>('0' + number / 10);
        names.chars[i][n++] = static_cast<char>('0' + number % 10);
        names.sizes[i] = n;
    }
    return names;
}
inline constexpr auto kCellNames = MakeNames<kVisibleRows * kTableColumns>("Text");
inline constexpr auto kRowNames = MakeNames<kVisibleRows>("Row");
inline constexpr auto kWorkedNames = MakeNames<kVisibleRows>("Worked");
inline constexpr auto kHeadNames = MakeNames<kTableColumns>("Head");

constexpr std::string_view CellName(int slot, TableColumn column) {
    return kCellNames[static_cast<std::size_t>(slot * kTableColumns + static_cast<int>(column))];
}

consteval auto MakeControls() {
    constexpr std::size_t kCount = kVisibleRows * (kTableColumns + 2) + kTableColumns + 13;
    std::array<ControlRow, kCount> rows{};
    std::size_t n = 0;
    // The cells first, row by row: the Tab order runs through them as Enter does.
    for (int slot = 0; slot < kVisibleRows; ++slot) {
        for (int c = 0; c < kTableColumns; ++c) {
            rows[n] = ControlRow{CellName(slot, static_cast<TableColumn>(c)), ControlKind::Text, kColumnLeft[c],
                                 kRowTop + slot * kRowPitch, kColumnWidth[c], kCellHeight, {}, int(n)};
            ++n;
        }
    }
    const int buttonLeft = 7845, buttonWidth = 1215, buttonHeight = 375;
    const std::pair<std::string_view, std::pair<std::string_view, int>> buttons[] = {
        {kAddButton, {texts::kTableAddRow, 420}},       {kInsertButton, {texts::kTableInsertRow, 825}},
        {kDeleteButton, {texts::kTableDeleteRow, 1230}}, {kNewButton, {texts::kTableNew, 1635}},
        {kOpenButton, {texts::kTableOpen, 2175}},        {kSaveButton, {texts::kTableSave, 2580}},
        {kCopyButton, {texts::kTableCopy, 2985}},        {kDrawButton, {texts::kTableDraw, 3645}},
        {kCancelButton, {texts::kCancel, 4065}},
    };
    for (const auto& [name, look] : buttons) {
        rows[n] = ControlRow{name, ControlKind::Button, buttonLeft, look.second, buttonWidth, buttonHeight, look.first,
                             int(n)};
        ++n;
    }
    for (int c = 0; c < kTableColumns; ++c)
        rows[n++] = ControlRow{kHeadNames[c], ControlKind::Label, kColumnLeft[c], 120, kColumnWidth[c], 255, kColumnHead[c]};
    rows[n++] = ControlRow{kWorkedHead, ControlKind::Label, kWorkedLeft, 120, kWorkedWidth, 255,
                           texts::kTableColumnWorked};
    for (int slot = 0; slot < kVisibleRows; ++slot)
        rows[n++] = ControlRow{kRowNames[slot], ControlKind::Label, 120, kRowTop + slot * kRowPitch + 60, 420, 255};
    for (int slot = 0; slot < kVisibleRows; ++slot)
        rows[n++] = ControlRow{kWorkedNames[slot], ControlKind::Readout, kWorkedLeft, kRowTop + slot * kRowPitch,
                               kWorkedWidth, kCellHeight};
    rows[n++] = ControlRow{kScroll, ControlKind::ScrollBar, 7380, kRowTop, 255, kVisibleRows * kRowPitch - 30};
    // Three lines of the hint at the UI font, across the whole form.
    rows[n++] = ControlRow{kHint, ControlKind::Note, 120, 4560, 8940, 720, texts::kTableHint};
    rows[n++] = ControlRow{kProblem, ControlKind::Note, 120, 5340, 8940, 300};
    return rows;
}

inline constexpr auto kControls = MakeControls();

}  // namespace table

inline constexpr FormSpec kTableForm{"frm_TABLE", texts::kTableCaption, 9180, 5730, table::kControls,
                                     FormFont::Gothic12};

// What the table asks of the window that shows it. Rows are counted from 0 here.
class TableView {
   public:
    virtual ~TableView() = default;
    virtual MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
    // The rows changed as a whole (a row added or deleted, a file read): show them afresh.
    virtual void ShowRows() = 0;
    // One cell changed by the model, not by the user.
    virtual void ShowCell(int row, TableColumn column, std::string_view text) = 0;
    // The focus to a cell, the rows scrolled so that it shows.
    virtual void FocusCell(int row, TableColumn column) = 0;
    virtual void FocusButton(std::string_view name) = 0;
    // The line under the table: why a row cannot be built ("" hides it).
    virtual void ShowProblem(std::string_view line) = 0;
    // The contour as it would be typed, and the point of the row being edited.
    virtual void ShowContour(const TableContour& contour, std::optional<ContourPoint> current) = 0;
    // The common open or save dialog for table files; nullopt on Cancel.
    virtual std::optional<std::string> ChooseFile(bool save) = 0;
    virtual std::optional<std::string> ReadFile(std::string_view path) = 0;
    virtual bool WriteFile(std::string_view path, std::string_view bytes) = 0;
    // The table kept between openings and across restarts, as the bytes of its file;
    // nullopt when there is none. Written whole or not at all.
    virtual std::optional<std::string> ReadKept() = 0;
    virtual void WriteKept(std::string_view bytes) = 0;
    // Text onto the clipboard; false when another program holds it.
    virtual bool CopyText(std::string_view text) = 0;
    // The user's own undercut norm file; nullopt when there is none.
    virtual std::optional<std::string> ReadNormFile() = 0;
    virtual void Close() = 0;
};

class ContourTableDialog {
   public:
    // Contract: state, channel and view outlive the dialog.
    ContourTableDialog(ProfileState& state, HostChannel& channel, TableView& view, Cp932Decoder decodeCp932)
        : state_(state), channel_(channel), view_(view), decodeCp932_(std::move(decodeCp932)) {}

    // Every segment typed completely is added to `chain` (none: not recorded).
    void RecordInto(ContourChain* chain) { chain_ = chain; }

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // "" for a cell beyond the rows.
    const std::string& Cell(int row, TableColumn column) const;
    int CurrentRow() const { return current_; }
    const TableContour& Contour() const { return contour_; }

    // Events as the window reports them; none of them throws.
    // The rows kept from the last opening, or else one row: where the last profile segment
    // ended; the undercut norms with the user's own rows, a bad one of them named.
    void frm_TABLE_Form_Load();
    void CellChanged(int row, TableColumn column, std::string text);
    void CellEntered(int row, TableColumn column);  // the focus came into the cell
    // Enter: on to the next cell, from the last cell of the last row to "作図".
    void CellEnter(int row, TableColumn column);
    // The arrow keys up and down, and a page up or down: the same column of another row.
    void CellStep(int row, TableColumn column, int rows);
    // A corner clicked in the preview goes into the current row's X and Z.
    void CornerPicked(const Corner& corner);
    void frm_TABLE_AddButton_Click();     // an empty row after the last
    void frm_TABLE_InsertButton_Click();  // an empty row before the current one
    void frm_TABLE_DeleteButton_Click();  // the current row; the last row left is emptied instead
    void frm_TABLE_NewButton_Click();     // one row again: where the last profile segment ended
    void frm_TABLE_OpenButton_Click();
    void frm_TABLE_SaveButton_Click();
    void frm_TABLE_CopyButton_Click();  // the whole table onto the clipboard, as Excel takes cells
    // Cells copied from Excel, pasted into a cell: true when they were taken as a block;
    // false leaves one cell's text to the box.
    bool CellPaste(int row, TableColumn column, std::string_view clipboard);
    // Ctrl+Z and Ctrl+Y: each a cell's edit (from entering the cell to leaving it), rows
    // added, inserted or deleted, a file read, a paste, 新規 or a corner picked.
    void Undo();
    void Redo();
    // Types the whole contour, closes and goes on from its last point; types nothing
    // while a row cannot be built.
    void frm_TABLE_DrawButton_Click();
    void frm_TABLE_CancelButton_Click();

   private:
    void SetCell(int row, TableColumn column, std::string text);
    // An empty row at `at` (the row count: after the last), the focus in it.
    void InsertRow(int at);
    // The contour built again from the rows, and shown.
    void Rebuild();
    void ShowContour();
    void RowsReplaced(std::vector<TableRow> rows, int focus, TableColumn column = TableColumn::X);
    void Say(std::string_view text);
    TableSnapshot Snapshot() const { return {rows_, current_, currentColumn_}; }
    // A cell's edit becomes one step when the cell is left (or a step of another kind begins).
    void CommitEdit();
    // One step that can be undone: `change` returns whether it changed anything.
    template <typename Change>
    void Step(Change change);
    // The rows as they stand into the kept table.
    void Keep();
    // Undo or redo: the table as the history gives it back.
    void Travel(std::optional<TableSnapshot> (TableHistory::*step)(TableSnapshot));

    ProfileState& state_;
    HostChannel& channel_;
    TableView& view_;
    Cp932Decoder decodeCp932_;
    ContourChain* chain_ = nullptr;
    std::vector<TableRow> rows_;
    TableContour contour_;
    int current_ = 0;
    TableColumn currentColumn_ = TableColumn::X;
    UndercutNorms norms_ = UndercutNorms::BuiltIn();
    TableHistory history_;
    TableSnapshot editStart_;  // the table when the cell being edited was entered
    bool edited_ = false;      // and since then a cell changed
};

}  // namespace kelo
