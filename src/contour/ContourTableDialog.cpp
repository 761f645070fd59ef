#include "contour/ContourTableDialog.h"

#include <algorithm>
#include <utility>

#include "channel/Segment.h"
#include "text/NumberRules.h"

namespace kelo {

const std::string& ContourTableDialog::Cell(int row, TableColumn column) const {
    static const std::string kEmpty;
    if (row < 0 || row >= RowCount()) return kEmpty;
    return CellOf(rows_[static_cast<std::size_t>(row)], column);
}

void ContourTableDialog::frm_TABLE_Form_Load() {
    RunEvent(channel_.desktop(), [this] {
        if (const std::optional<std::string> own = view_.ReadNormFile()) {
            std::vector<std::string> problems;
            norms_ = UndercutNorms::BuiltIn().With(*own, problems);
            std::string said;
            for (const std::string& problem : problems) said += (said.empty() ? "" : "\n") + problem;
            if (!said.empty()) Say(said);
        }
        std::vector<TableRow> rows{TableRow{state_.StartX.AsText(), state_.StartZ.AsText()}};
        if (const std::optional<std::string> kept = view_.ReadKept()) {
            CsvReadResult read = ReadContourCsv(*kept, decodeCp932_, CsvCells::AsTyped);
            if (read.error.empty()) rows = std::move(read.rows);
        }
        RowsReplaced(std::move(rows), 0);
        editStart_ = Snapshot();
    });
}

void ContourTableDialog::CellChanged(int row, TableColumn column, std::string text) {
    RunEvent(channel_.desktop(), [&] {
        if (row < 0 || row >= RowCount()) return;
        std::string& cell = CellOf(rows_[static_cast<std::size_t>(row)], column);
        if (cell == text) return;
        cell = std::move(text);
        current_ = row;
        edited_ = true;
        Rebuild();
    });
}

void ContourTableDialog::CellEntered(int row, TableColumn column) {
    RunEvent(channel_.desktop(), [&] {
        if (row < 0 || row >= RowCount() || (row == current_ && column == currentColumn_)) return;
        CommitEdit();
        current_ = row;
        currentColumn_ = column;
        editStart_ = Snapshot();
        ShowContour();
    });
}

void ContourTableDialog::CellEnter(int row, TableColumn column) {
    RunEvent(channel_.desktop(), [&] {
        if (column != TableColumn::Element) {
            view_.FocusCell(row, static_cast<TableColumn>(static_cast<int>(column) + 1));
        } else if (row + 1 < RowCount()) {
            view_.FocusCell(row + 1, TableColumn::X);
        } else {
            view_.FocusButton(table::kDrawButton);
        }
    });
}

void ContourTableDialog::CellStep(int row, TableColumn column, int rows) {
    RunEvent(channel_.desktop(), [&] {
        const int to = std::clamp(row + rows, 0, RowCount() - 1);
        if (to != row) view_.FocusCell(to, column);
    });
}

void ContourTableDialog::CornerPicked(const Corner& corner) {
    RunEvent(channel_.desktop(), [&] {
        Step([&] {
            SetCell(current_, TableColumn::X, corner.xText);
            SetCell(current_, TableColumn::Z, corner.zText);
            Rebuild();
            return true;
        });
    });
}

void ContourTableDialog::frm_TABLE_AddButton_Click() { InsertRow(RowCount()); }

void ContourTableDialog::frm_TABLE_InsertButton_Click() { InsertRow(current_); }

void ContourTableDialog::InsertRow(int at) {
    RunEvent(channel_.desktop(), [&] {
        Step([&] {
            if (rows_.size() >= kMaxTableRows) return false;
            std::vector<TableRow> rows = rows_;
            rows.insert(rows.begin() + at, TableRow{});
            RowsReplaced(std::move(rows), at);
            return true;
        });
    });
}

void ContourTableDialog::frm_TABLE_DeleteButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        Step([this] {
            std::vector<TableRow> rows = rows_;
            if (rows.size() == 1) {
                rows.front() = TableRow{};
            } else {
                rows.erase(rows.begin() + current_);
            }
            const int focus = std::min(current_, static_cast<int>(rows.size()) - 1);
            RowsReplaced(std::move(rows), focus);
            return true;
        });
    });
}

void ContourTableDialog::frm_TABLE_NewButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        Step([this] {
            RowsReplaced({TableRow{state_.StartX.AsText(), state_.StartZ.AsText()}}, 0);
            return true;
        });
    });
}

void ContourTableDialog::frm_TABLE_OpenButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        CommitEdit();
        const std::optional<std::string> path = view_.ChooseFile(false);
        if (!path) return;
        const std::optional<std::string> bytes = view_.ReadFile(*path);
        if (!bytes) return Say(texts::kCsvCannotOpen);
        CsvReadResult read = ReadContourCsv(*bytes, decodeCp932_);
        // A file that cannot be read leaves the table as it was.
        if (!read.error.empty()) return Say(read.error);
        Step([&] {
            RowsReplaced(std::move(read.rows), 0);
            return true;
        });
    });
}

void ContourTableDialog::frm_TABLE_CopyButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        CommitEdit();
        if (!view_.CopyText(WriteTableText(rows_))) Say(texts::kCalcClipboardBusy);
    });
}

bool ContourTableDialog::CellPaste(int row, TableColumn column, std::string_view clipboard) {
    bool taken = false;
    RunEvent(channel_.desktop(), [&] {
        if (row < 0 || row >= RowCount()) return;
        std::optional<PastedCells> pasted = PasteCells(rows_, row, column, clipboard);
        if (!pasted) return;
        taken = true;
        Step([&] {
            RowsReplaced(std::move(pasted->rows), pasted->lastRow, pasted->lastColumn);
            return true;
        });
    });
    return taken;
}

void ContourTableDialog::Undo() { Travel(&TableHistory::Undo); }

void ContourTableDialog::Redo() { Travel(&TableHistory::Redo); }

void ContourTableDialog::Travel(std::optional<TableSnapshot> (TableHistory::*step)(TableSnapshot)) {
    RunEvent(channel_.desktop(), [&] {
        CommitEdit();
        std::optional<TableSnapshot> to = (history_.*step)(Snapshot());
        if (!to) return;
        RowsReplaced(std::move(to->rows), to->row, to->column);
        editStart_ = Snapshot();
        Keep();
    });
}

void ContourTableDialog::frm_TABLE_SaveButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        CommitEdit();
        const std::optional<std::string> path = view_.ChooseFile(true);
        if (!path) return;
        if (!view_.WriteFile(*path, WriteContourCsv(rows_))) Say(texts::kCsvCannotSave);
    });
}

void ContourTableDialog::frm_TABLE_DrawButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        CommitEdit();
        if (!contour_.Drawable()) {
            // Nothing is typed; the row to mend gets the focus.
            if (contour_.problem) view_.FocusCell(contour_.problem->row - 1, TableColumn::X);
            return;
        }
        // The rows stay live during the waits: what is typed is the contour as it stood.
        const std::vector<Segment> segments = contour_.segments;
        RunHostCommand(channel_, [&] {
            channel_.BeginHostCommand();
            for (const Segment& segment : segments) {
                TypeSegment(channel_, segment);
                if (chain_ == nullptr) continue;
                if (auto shape = ShapeOf(segment)) chain_->Add(std::move(*shape));
            }
            // The next profile dialog goes on from the contour's last point.
            const SegmentPoint& last = segments.back().end;
            state_.EndX = last.xText;
            state_.EndZ = ParseNumber(last.zText.value_or(""));
            state_.StartX = state_.EndX.AsText();
            state_.StartZ = state_.EndZ;
            Keep();
            view_.Close();
        });
    });
}

void ContourTableDialog::frm_TABLE_CancelButton_Click() {
    RunEvent(channel_.desktop(), [this] {
        CommitEdit();
        Keep();
        view_.Close();
    });
}

void ContourTableDialog::SetCell(int row, TableColumn column, std::string text) {
    if (row < 0 || row >= RowCount()) return;
    CellOf(rows_[static_cast<std::size_t>(row)], column) = text;
    view_.ShowCell(row, column, text);
}

void ContourTableDialog::Rebuild() {
    contour_ = BuildContour(rows_, norms_);
    view_.ShowProblem(ProblemLine(contour_));
    ShowContour();
}

void ContourTableDialog::ShowContour() {
    const std::optional<ContourPoint> point =
        current_ < static_cast<int>(contour_.points.size()) ? contour_.points[current_] : std::nullopt;
    view_.ShowContour(contour_, point);
}

void ContourTableDialog::RowsReplaced(std::vector<TableRow> rows, int focus, TableColumn column) {
    rows_ = std::move(rows);
    current_ = std::clamp(focus, 0, RowCount() - 1);
    currentColumn_ = column;
    view_.ShowRows();
    Rebuild();
    view_.FocusCell(current_, column);
}

void ContourTableDialog::CommitEdit() {
    if (edited_) {
        history_.Record(std::move(editStart_));
        edited_ = false;
        Keep();
    }
    editStart_ = Snapshot();
}

template <typename Change>
void ContourTableDialog::Step(Change change) {
    CommitEdit();
    TableSnapshot before = Snapshot();
    if (!change()) return;
    history_.Record(std::move(before));
    editStart_ = Snapshot();
    Keep();
}

void ContourTableDialog::Keep() { view_.WriteKept(WriteContourCsv(rows_)); }

void ContourTableDialog::Say(std::string_view text) {
    view_.ShowMessage(text, texts::kTableCaption, MessageStyle::Exclamation);
}

}  // namespace kelo
