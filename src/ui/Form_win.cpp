#include "ui/Form_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "text/WinText_win.h"
#include "ui/Controls_win.h"
#include "ui/Dpi_win.h"
#include "ui/Fonts_win.h"

namespace kelo {

namespace {

constexpr WindowClass kFormClass{L"KeloForm", 0, true};
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// A main window keeps the dialog manager (Tab, default button), in a class of its own
// so that its taskbar icon is not every form's.
constexpr WindowClass kMainFormClass{L"KeloMainForm", 0, true};
constexpr DWORD kMainFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kMainFormExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
// Ids start past IDOK and IDCANCEL: the dialog manager sends those for Enter and
// Escape, and neither key may press a button of ours.
constexpr int kFirstControlId = 100;
constexpr UINT_PTR kBoxSubclassId = 1;
constexpr int kGothicPoints = 12;

}  // namespace

Form::~Form() { DeleteFonts(); }

void Form::ShowModal(HWND owner) {
    owner_ = owner;
    done_ = false;
    if (!CreateOf(kFormClass, kFormExStyle, Widen(layout_.caption).c_str(), kFormStyle, 0, 0, 0, 0, owner)) return;
    events_.OnLoad();
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    if (!done_) events_.OnShown();

    if (const auto quit = RunMessageLoop()) PostQuitMessage(*quit);  // the main loop ends the program
    // The owner first, so that the activation goes back to it and not to another program.
    if (owner_ != nullptr) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
    }
    if (hwnd() != nullptr) DestroyWindow(hwnd());
}

int Form::RunAsMainWindow(int showCommand) {
    owner_ = nullptr;
    done_ = false;
    if (!CreateOf(kMainFormClass, kMainFormExStyle, Widen(layout_.caption).c_str(), kMainFormStyle, 0, 0, 0, 0,
                  nullptr))
        return 1;
    events_.OnLoad();
    ShowWindow(hwnd(), showCommand);
    SetForegroundWindow(hwnd());
    if (!done_) events_.OnShown();
    const auto quit = RunMessageLoop();
    if (hwnd() != nullptr) DestroyWindow(hwnd());
    return quit.value_or(0);
}

std::optional<int> Form::RunMessageLoop() {
    MSG msg;
    while (!done_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) break;
        // Shortcuts go to the events before the focused control turns them into characters.
        if (msg.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 &&
            (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd)) &&
            events_.OnCtrlKey(RowOf(msg.hwnd), static_cast<UINT>(msg.wParam)))
            continue;
        if (!IsDialogMessageW(hwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return std::nullopt;
}

void Form::Close() {
    done_ = true;
    if (hwnd() != nullptr) PostMessageW(hwnd(), WM_NULL, 0, 0);  // wakes the message loop
}

void Form::SetText(std::string_view name, std::string_view text) {
    HWND control = ControlOf(name);
    if (control == nullptr) return;
    const bool was = updating_;
    updating_ = true;  // our own write raises EN_CHANGE: it is not the user's change
    SetWindowTextUtf8(control, text);
    updating_ = was;
}

void Form::TypeText(std::string_view name, std::string_view text) {
    if (HWND control = ControlOf(name)) SetWindowTextUtf8(control, text);
}

std::string Form::Text(std::string_view name) const {
    HWND control = ControlOf(name);
    return control != nullptr ? WindowTextUtf8(control) : std::string();
}

void Form::MoveFocus(std::string_view name) {
    // WM_NEXTDLGCTL, not SetFocus: the dialog manager then also makes a focused push
    // button the default one.
    if (HWND control = ControlOf(name)) SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void Form::SelectAll(std::string_view name) {
    if (HWND control = ControlOf(name)) SendMessageW(control, EM_SETSEL, 0, -1);
}

void Form::ShowNote(std::string_view name, std::string_view text) {
    HWND note = ControlOf(name);
    if (note == nullptr) return;
    SetText(name, text);
    // The table's own name: it lives as long as the form.
    const std::string_view rowName = layout_.controls[*FindControl(layout_.controls, name)].name;
    const std::string_view shown = text.empty() ? std::string_view() : rowName;
    if (shown == shownNote_) return;
    shownNote_ = shown;
    // Only the height changes: the window keeps its place, the designed controls theirs.
    const UINT dpi = GetDpiForWindow(hwnd());
    const SIZE outer = OuterSizeForClientTwips(hwnd(), layout_.clientWidth, ClientHeightTwips(), dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ClientHeightTwips() const {
    constexpr int kNoteMargin = 60;
    if (shownNote_.empty()) return layout_.clientHeight;
    const ControlRow& note = layout_.controls[*FindControl(layout_.controls, shownNote_)];
    return std::max(layout_.clientHeight, note.top + note.height + kNoteMargin);
}

void Form::PlaceCaretAtEnd(std::string_view name) {
    if (HWND control = ControlOf(name)) {
        const int length = GetWindowTextLengthW(control);
        SendMessageW(control, EM_SETSEL, length, length);
    }
}

bool Form::HasFocus(std::string_view name) const {
    HWND control = ControlOf(name);
    return control != nullptr && GetFocus() == control;
}

bool Form::HasSelectedText(std::string_view name) const {
    HWND control = ControlOf(name);
    if (control == nullptr) return false;
    DWORD start = 0, end = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

void Form::SetLines(std::string_view name, std::span<const std::string> lines) {
    HWND control = ControlOf(name);
    if (control == nullptr) return;
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SendMessageW(control, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

void Form::SelectLine(std::string_view name, int index) {
    if (HWND control = ControlOf(name)) SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Form::SetScroll(std::string_view name, int position, int count, int page) {
    HWND bar = ControlOf(name);
    if (bar == nullptr) return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, std::max(0, count - 1),
                    static_cast<UINT>(std::max(1, page)), position, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

void Form::Enable(std::string_view name, bool enabled) {
    if (HWND control = ControlOf(name)) EnableWindow(control, enabled ? TRUE : FALSE);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        HANDLE_MSG(hwnd(), WM_CREATE, this->OnCreate);
        HANDLE_MSG(hwnd(), WM_COMMAND, this->OnCommand);
        HANDLE_MSG(hwnd(), WM_CLOSE, this->OnClose);
        HANDLE_MSG(hwnd(), WM_VSCROLL, this->OnVScroll);
        HANDLE_MSG(hwnd(), WM_MOUSEWHEEL, this->OnMouseWheel);
        case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
        default: return DefaultProc(msg, wParam, lParam);
    }
}

// Creates the controls in Tab order and lays the form out for its DPI.
BOOL Form::OnCreate(HWND, LPCREATESTRUCT) {
    controls_.assign(layout_.controls.size(), nullptr);
    for (std::size_t i : CreationOrder(layout_.controls)) {
        const ControlRow& row = layout_.controls[i];
        controls_[i] = CreateControl(hwnd(), row, kFirstControlId + static_cast<int>(i));
        if (row.kind == ControlKind::Text)
            SetWindowSubclass(controls_[i], &Form::BoxProc, kBoxSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    Layout(GetDpiForWindow(hwnd()), nullptr);
    return TRUE;
}

void Form::OnCommand(HWND, int id, HWND, UINT code) {
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(layout_.controls.size())) return;  // Enter, Escape: nothing
    const ControlRow& row = layout_.controls[static_cast<std::size_t>(index)];
    if (row.kind == ControlKind::Text) {
        if (code == EN_CHANGE && !updating_)
            events_.OnTextChanged(row, WindowTextUtf8(controls_[static_cast<std::size_t>(index)]));
        // Leaving for another program or a message box is not leaving the box.
        if (code == EN_KILLFOCUS && focusGoesTo_ != nullptr && IsChild(hwnd(), focusGoesTo_))
            events_.OnLostFocus(row);
        if (code == EN_SETFOCUS) events_.OnFocus(row);
    } else if (row.kind == ControlKind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        events_.OnClick(row);  // a quick second click is a click too
    } else if (row.kind == ControlKind::List && code == LBN_SELCHANGE) {
        const LRESULT line = SendMessageW(controls_[static_cast<std::size_t>(index)], LB_GETCURSEL, 0, 0);
        if (line != LB_ERR) events_.OnSelect(row, static_cast<int>(line));
    }
}

void Form::OnClose(HWND) { events_.OnCloseRequest(); }

// A scroll bar moved by its arrows, its track or its thumb.
void Form::OnVScroll(HWND, HWND bar, UINT code, int) {
    const ControlRow* row = RowOf(bar);
    if (row == nullptr || row->kind != ControlKind::ScrollBar) return;
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &info);
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (code) {
        case SB_LINEUP: position -= 1; break;
        case SB_LINEDOWN: position += 1; break;
        case SB_PAGEUP: position -= page; break;
        case SB_PAGEDOWN: position += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = info.nMin; break;
        case SB_BOTTOM: position = info.nMax; break;
        default: return;
    }
    ScrollTo(static_cast<std::size_t>(row - layout_.controls.data()), position);
}

// The wheel over the form moves its first scroll bar, three lines a notch.
void Form::OnMouseWheel(HWND, int, int, int delta, UINT) {
    for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
        if (layout_.controls[i].kind != ControlKind::ScrollBar) continue;
        const int position = GetScrollPos(controls_[i], SB_CTL) - delta * 3 / WHEEL_DELTA;
        ScrollTo(i, position);
        return;
    }
}

void Form::ScrollTo(std::size_t index, int position) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(controls_[index], SB_CTL, &info);
    position = std::clamp(position, info.nMin, std::max(info.nMin, info.nMax - static_cast<int>(info.nPage) + 1));
    if (position == info.nPos) return;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(controls_[index], SB_CTL, &info, TRUE);
    events_.OnScrolled(layout_.controls[index], position);
}

void Form::OnDpiChanged(UINT dpi, const RECT* suggested) { Layout(dpi, suggested); }

void Form::Layout(UINT dpi, const RECT* suggested) {
    DeleteFonts();
    uiFont_ = CreateUiFont(dpi);
    textFont_ = layout_.textFont == FormFont::Gothic12 ? CreateGothicFont(dpi, kGothicPoints) : nullptr;

    const SIZE outer = OuterSizeForClientTwips(hwnd(), layout_.clientWidth, ClientHeightTwips(), dpi);
    if (suggested != nullptr) {
        SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        CenterOnMonitor(hwnd(), outer, owner_ != nullptr ? owner_ : hwnd());
    }

    const int d = static_cast<int>(dpi);
    const int labelCell = TextCellHeight(hwnd(), textFont_ != nullptr ? textFont_ : uiFont_);
    for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
        const ControlRow& row = layout_.controls[i];
        RECT r = ControlRectPx(layout_.controls, row, d);
        // A stand-in for the Gothic face with a taller line than the label would
        // lose the bottom of its glyphs: grow the label about its middle.
        if (row.kind == ControlKind::Label && textFont_ != nullptr && labelCell > r.bottom - r.top) {
            r.top -= (labelCell - (r.bottom - r.top)) / 2;
            r.bottom = r.top + labelCell;
        }
        MoveWindow(controls_[i], r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        const bool text = row.kind == ControlKind::Label || row.kind == ControlKind::Text;
        HFONT font = text && textFont_ != nullptr ? textFont_ : uiFont_;  // notes always in the UI font
        if (font != nullptr) SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

HWND Form::ControlOf(std::string_view name) const {
    const auto index = FindControl(layout_.controls, name);
    return index && *index < controls_.size() ? controls_[*index] : nullptr;
}

const ControlRow* Form::RowOf(HWND control) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i] == control) return &layout_.controls[i];
    return nullptr;
}

void Form::DeleteFonts() {
    if (uiFont_ != nullptr) DeleteObject(uiFont_);
    if (textFont_ != nullptr) DeleteObject(textFont_);
    uiFont_ = textFont_ = nullptr;
}

// Enter in a box is the box's own key (so that no default button takes it), and the
// box notes where the focus goes when it leaves.
LRESULT CALLBACK Form::BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<Form*>(ref);
    try {
        switch (msg) {
            case WM_GETDLGCODE: {
                LRESULT code = DefSubclassProc(box, msg, wParam, lParam);
                const auto* m = reinterpret_cast<const MSG*>(lParam);
                if (m != nullptr && (m->message == WM_KEYDOWN || m->message == WM_CHAR) && m->wParam == VK_RETURN)
                    code |= DLGC_WANTMESSAGE;
                return code;
            }
            case WM_CHAR:
                if (const ControlRow* row = self->RowOf(box)) self->events_.OnChar(*row, static_cast<char16_t>(wParam));
                // A single-line box does nothing with a carriage return but beep.
                if (wParam == VK_RETURN) return 0;
                break;
            case WM_KEYDOWN:
                if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT) {
                    const ControlRow* row = self->RowOf(box);
                    if (row != nullptr && self->events_.OnBoxKey(*row, static_cast<UINT>(wParam))) return 0;
                }
                break;
            case WM_KILLFOCUS: self->focusGoesTo_ = reinterpret_cast<HWND>(wParam); break;
            case WM_NCDESTROY: RemoveWindowSubclass(box, &Form::BoxProc, kBoxSubclassId); break;
            default: break;
        }
    } catch (...) {
        // The events' own traps take what they mean to raise; anything else is a fault of
        // the program's own, told as one, and nothing reaches user32.
        ReportInternalError(GetAncestor(box, GA_ROOT));
    }
    return DefSubclassProc(box, msg, wParam, lParam);
}

}  // namespace kelo
