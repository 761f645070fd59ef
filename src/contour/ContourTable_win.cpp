#include "contour/ContourTable_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "contour/ContourFile_win.h"
#include "contour/ContourPreview_win.h"
#include "contour/ContourTableDialog.h"
#include "text/Paths.h"
#include "text/WinText_win.h"
#include "ui/Clipboard_win.h"
#include "ui/FileDialogs_win.h"
#include "ui/Form_win.h"
#include "ui/Retry.h"
#include "ui/Wait_win.h"

namespace kelo {

namespace {

using table::kVisibleRows;

constexpr std::string_view kFileFilter = "輪郭表 (*.csv)|*.csv|All Files (*.*)|*.*";
constexpr unsigned kOpenFlags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
constexpr unsigned kSaveFlags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;

std::wstring CurrentDirectory() {
    std::wstring dir(MAX_PATH, L'\0');
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
    if (n == 0 || n >= dir.size()) return {};
    dir.resize(n);
    return dir;
}

// A file of the toolbar's own, as its bytes; nullopt when there is none (or no folder for it).
std::optional<std::string> ReadOwn(const std::string& path) {
    return path.empty() ? std::nullopt : ReadFileBytes(path);
}

// The window of the table: a form with a fixed number of visible rows, which
// show the model's rows from `offset_` on, and the preview beside it.
class TableWindow : public TableView, public FormEvents {
   public:
    TableWindow(ProfileState& state, HostChannel& channel, ContourChain& chain, std::string& folder)
        : state_(state),
          channel_(channel),
          folder_(folder),
          model_(state, channel, *this, &DecodeCp932),
          preview_(chain, [this](const Corner& corner) { model_.CornerPicked(corner); }) {
        model_.RecordInto(&chain);
    }

    void Run(HWND owner) {
        owner_ = owner;
        form_.ShowModal(owner);
    }

    // TableView
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return channel_.desktop().ShowMessage(text, title, style);
    }
    void ShowRows() override {
        offset_ = std::clamp(offset_, 0, std::max(0, model_.RowCount() - kVisibleRows));
        for (int slot = 0; slot < kVisibleRows; ++slot) {
            const int row = offset_ + slot;
            const bool shown = row < model_.RowCount();
            form_.SetText(table::kRowNames[slot], shown ? std::to_string(row + 1) : std::string());
            for (int c = 0; c < kTableColumns; ++c) {
                const auto column = static_cast<TableColumn>(c);
                form_.SetText(table::CellName(slot, column), model_.Cell(row, column));
                form_.Enable(table::CellName(slot, column), shown);
            }
        }
        form_.SetScroll(table::kScroll, offset_, model_.RowCount(), kVisibleRows);
        ShowWorked();
    }
    void ShowCell(int row, TableColumn column, std::string_view text) override {
        if (row >= offset_ && row < offset_ + kVisibleRows) form_.SetText(table::CellName(row - offset_, column), text);
    }
    void FocusCell(int row, TableColumn column) override {
        if (row < 0 || row >= model_.RowCount()) return;
        const int offset = std::clamp(offset_, row - kVisibleRows + 1, row);
        if (offset != offset_) {
            offset_ = offset;
            ShowRows();
        }
        form_.MoveFocus(table::CellName(row - offset_, column));
    }
    void FocusButton(std::string_view name) override { form_.MoveFocus(name); }
    void ShowProblem(std::string_view line) override { form_.ShowNote(table::kProblem, line); }
    void ShowContour(const TableContour& contour, std::optional<ContourPoint> current) override {
        std::vector<ContourSegment> shapes;
        for (const Segment& segment : contour.segments)
            if (auto shape = ShapeOf(segment)) shapes.push_back(std::move(*shape));
        preview_.Update(std::move(shapes), MakeCorner(state_.StartX.AsText(), state_.StartZ.AsText()), current,
                        contour.WorkedPoints(), contour.WrongPoints());
        ShowWorked();
    }
    std::optional<std::string> ChooseFile(bool save) override {
        FileDialogRequest request;
        request.save = save;
        request.filter = kFileFilter;
        request.flags = save ? kSaveFlags : kOpenFlags;
        request.defaultExtension = "csv";
        request.initialFolder = folder_;
        // The toolbar's file commands remember folders by the current directory: a
        // table file chosen here must not move it.
        const std::wstring directory = CurrentDirectory();
        FileDialogResult result;
        try {
            result = dialogs_.Show(request);
        } catch (const FileDialogError&) {
            result.cancelled = true;  // no dialog: as if cancelled
        }
        if (!directory.empty()) SetCurrentDirectoryW(directory.c_str());
        if (result.cancelled || result.path.empty()) return std::nullopt;
        folder_ = FolderOf(result.path);
        return result.path;
    }
    std::optional<std::string> ReadFile(std::string_view path) override { return ReadFileBytes(path); }
    bool WriteFile(std::string_view path, std::string_view bytes) override { return WriteFileBytes(path, bytes); }
    std::optional<std::string> ReadKept() override { return ReadOwn(keptPath_); }
    // A kept table that cannot be written is no reason to stop the user: the next step writes it again.
    void WriteKept(std::string_view bytes) override {
        if (!keptPath_.empty()) WriteFileBytes(keptPath_, bytes);
    }
    std::optional<std::string> ReadNormFile() override { return ReadOwn(AppDataFile(texts::kNormUserFile)); }
    bool CopyText(std::string_view text) override {
        return RetryWhileBusy([&] { return CopyTextToClipboard(form_.hwnd(), text); }, &WaitLive);
    }
    void Close() override { form_.Close(); }

    // FormEvents
    // The preview takes its place from the table's before the table shows: once it is on
    // the screen, Wine may report another place for a moment.
    void OnLoad() override {
        dialogs_.SetOwner(form_.hwnd());
        model_.frm_TABLE_Form_Load();
        preview_.Show(owner_, form_.hwnd());
    }
    void OnShown() override { FocusCell(model_.CurrentRow(), TableColumn::X); }
    void OnTextChanged(const ControlRow& box, std::string text) override {
        if (const auto cell = CellOf(box)) model_.CellChanged(cell->first, cell->second, std::move(text));
    }
    void OnChar(const ControlRow& box, char16_t ch) override {
        if (ch != u'\r') return;
        if (const auto cell = CellOf(box)) model_.CellEnter(cell->first, cell->second);
    }
    void OnFocus(const ControlRow& box) override {
        if (const auto cell = CellOf(box)) model_.CellEntered(cell->first, cell->second);
    }
    bool OnBoxKey(const ControlRow& box, UINT key) override {
        const auto cell = CellOf(box);
        if (!cell) return false;
        const int step = key == VK_UP ? -1 : key == VK_DOWN ? 1 : key == VK_PRIOR ? -kVisibleRows : kVisibleRows;
        model_.CellStep(cell->first, cell->second, step);
        return true;
    }
    void OnScrolled(const ControlRow&, int position) override {
        offset_ = position;
        ShowRows();
        // The box with the focus now shows another row: that row is the one being edited.
        for (int slot = 0; slot < kVisibleRows; ++slot)
            for (int c = 0; c < kTableColumns; ++c)
                if (form_.HasFocus(table::CellName(slot, static_cast<TableColumn>(c))))
                    model_.CellEntered(offset_ + slot, static_cast<TableColumn>(c));
    }
    void OnClick(const ControlRow& button) override {
        using Click = void (ContourTableDialog::*)();
        static constexpr std::pair<std::string_view, Click> kButtons[] = {
            {table::kAddButton, &ContourTableDialog::frm_TABLE_AddButton_Click},
            {table::kInsertButton, &ContourTableDialog::frm_TABLE_InsertButton_Click},
            {table::kDeleteButton, &ContourTableDialog::frm_TABLE_DeleteButton_Click},
            {table::kNewButton, &ContourTableDialog::frm_TABLE_NewButton_Click},
            {table::kOpenButton, &ContourTableDialog::frm_TABLE_OpenButton_Click},
            {table::kSaveButton, &ContourTableDialog::frm_TABLE_SaveButton_Click},
            {table::kCopyButton, &ContourTableDialog::frm_TABLE_CopyButton_Click},
            {table::kDrawButton, &ContourTableDialog::frm_TABLE_DrawButton_Click},
            {table::kCancelButton, &ContourTableDialog::frm_TABLE_CancelButton_Click},
        };
        for (const auto& [name, click] : kButtons)
            if (button.name == name) (model_.*click)();
    }
    // Undo and redo from anywhere in the table; cells copied from Excel pasted as a block
    // into the cell with the focus (one cell is the box's own paste).
    bool OnCtrlKey(const ControlRow* focused, UINT key) override {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        if (key == 'Z' && !shift) return model_.Undo(), true;
        if (key == 'Y' || (key == 'Z' && shift)) return model_.Redo(), true;
        if (key != 'V' || focused == nullptr) return false;
        const auto cell = CellOf(*focused);
        if (!cell) return false;
        const std::optional<std::string> text = ClipboardText(form_.hwnd());
        return text && model_.CellPaste(cell->first, cell->second, *text);
    }
    // The close box, Alt+F4 and the system menu close the table like "ｷｬﾝｾﾙ".
    void OnCloseRequest() override { model_.frm_TABLE_CancelButton_Click(); }

   private:
    // The worked-out points of the rows shown, as the model's contour has them now.
    void ShowWorked() {
        const std::vector<std::string>& worked = model_.Contour().worked;
        for (int slot = 0; slot < kVisibleRows; ++slot) {
            const auto row = static_cast<std::size_t>(offset_ + slot);
            const std::string text = row < worked.size() ? worked[row] : std::string();
            // Only a change is written: every key typed in a cell comes here.
            if (form_.Text(table::kWorkedNames[slot]) != text) form_.SetText(table::kWorkedNames[slot], text);
        }
    }

    // The model's row and column of a cell box.
    std::optional<std::pair<int, TableColumn>> CellOf(const ControlRow& box) const {
        const int number = BoxNumber(box.name);
        if (number < 1 || number > kVisibleRows * kTableColumns) return std::nullopt;
        return std::pair{offset_ + (number - 1) / kTableColumns, static_cast<TableColumn>((number - 1) % kTableColumns)};
    }

    ProfileState& state_;
    HostChannel& channel_;
    std::string& folder_;  // where the table's files were chosen last in this run
    // Found once an opening: every step writes the kept table.
    const std::string keptPath_ = AppDataFile(texts::kTableKeptFile);
    ContourTableDialog model_;
    Form form_{kTableForm, *this};
    ContourPreview preview_;
    Win32FileDialogs dialogs_;
    HWND owner_ = nullptr;
    int offset_ = 0;  // the model's row in the first visible row
};

}  // namespace

void ShowContourTable(HWND owner, ProfileState& state, HostChannel& channel, ContourChain& chain,
                      std::string& folder) {
    RunEvent(channel.desktop(), [&] {
        TableWindow window(state, channel, chain, folder);
        window.Run(owner);
    });
}

}  // namespace kelo
