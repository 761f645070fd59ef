#include "profiles/ProfileDialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "channel/Texts.h"
#include "channel/WinText_win.h"
#include "toolbar/FormWindow_win.h"
#include "toolbar/Layout.h"

namespace kelo {

namespace {

// Control ids start past IDOK and IDCANCEL: the dialog manager sends those for
// Enter and Escape, and neither key may press a button here.
constexpr int kFirstControlId = 100;
constexpr UINT_PTR kEditSubclassId = 1;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kDialogExStyle = WS_EX_TOOLWINDOW;


// An empty in-memory template: the controls are created at their table
// positions in pixels, which dialog units could only approximate.
std::vector<WORD> BuildTemplate(const std::wstring& caption) {
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    dword(kDialogStyle);
    dword(kDialogExStyle);
    // No items; x, y, cx, cy set at WM_INITDIALOG; no menu; the standard dialog class.
    for (int i = 0; i < 7; ++i) t.push_back(0);
    for (wchar_t ch : caption) t.push_back(static_cast<WORD>(ch));
    t.push_back(0);
    return t;
}

class ProfileDialogWindow : public ProfileView {
   public:
    ProfileDialogWindow(HWND owner, ProfileDialogKind kind, ProfileState& state, HostChannel& channel)
        : owner_(owner), channel_(channel), model_(MakeProfileDialog(kind, state, channel, *this)) {}
    ~ProfileDialogWindow() override { DeleteFonts(); }

    void Run() {
        if (!model_) return;
        const auto tmpl = BuildTemplate(Widen(model_->layout().caption));
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), owner_,
                                &ProfileDialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
    }

    // ProfileView
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return channel_.desktop().ShowMessage(text, title, style);
    }
    void MoveFocus(std::string_view control) override {
        const int row = RowOf(control);
        // WM_NEXTDLGCTL, not SetFocus: the dialog manager then also makes a
        // focused push button the default one, so the next Enter presses it.
        if (row >= 0) SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(controls_[row]), TRUE);
    }
    void Close() override { EndDialog(hwnd_, 0); }
    void ShowBoxText(int box, std::string_view text) override {
        const ControlRow* row = FindBox(model_->layout(), box);
        if (row == nullptr) return;
        const bool was = updating_;
        updating_ = true;  // our own write raises EN_CHANGE: the model has run its handler already
        SetWindowTextUtf8(controls_[RowOf(row->name)], text);
        updating_ = was;
    }

   private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        try {
            if (msg == WM_INITDIALOG) {
                auto* self = reinterpret_cast<ProfileDialogWindow*>(lParam);
                SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
                self->hwnd_ = hwnd;
                return self->OnInitDialog();
            }
            auto* self = reinterpret_cast<ProfileDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
            if (self == nullptr) return FALSE;
            switch (msg) {
                case WM_COMMAND: return self->OnCommand(LOWORD(wParam), HIWORD(wParam));
                case WM_CLOSE: return self->OnClose();
                case WM_DPICHANGED: return self->OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
                default: return FALSE;
            }
        } catch (...) {
            return FALSE;
        }
    }

    // Carriage return in a box runs the box's KeyPress handler; the box
    // itself asks the dialog manager for Enter so that Enter is not taken as
    // a press of a default button.
    static LRESULT CALLBACK EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
        auto* self = reinterpret_cast<ProfileDialogWindow*>(ref);
        try {
            switch (msg) {
                case WM_GETDLGCODE: {
                    LRESULT code = DefSubclassProc(edit, msg, wParam, lParam);
                    const auto* m = reinterpret_cast<const MSG*>(lParam);
                    if (m != nullptr && (m->message == WM_KEYDOWN || m->message == WM_CHAR) && m->wParam == VK_RETURN)
                        code |= DLGC_WANTMESSAGE;
                    return code;
                }
                case WM_CHAR: {
                    self->model_->KeyPress(self->BoxOfControl(edit), static_cast<char16_t>(wParam));
                    // A single-line box does nothing with a carriage return but beep.
                    if (wParam == VK_RETURN) return 0;
                    break;
                }
                case WM_KILLFOCUS: self->focusGoesTo_ = reinterpret_cast<HWND>(wParam); break;
                case WM_NCDESTROY: RemoveWindowSubclass(edit, &ProfileDialogWindow::EditProc, kEditSubclassId); break;
                default: break;
            }
        } catch (...) {
        }
        return DefSubclassProc(edit, msg, wParam, lParam);
    }

    // Builds the controls in tab order, fills the boxes, focuses the one the user must fill.
    INT_PTR OnInitDialog() {
        const DialogLayout& layout = model_->layout();
        controls_.assign(layout.controls.size(), nullptr);
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < layout.controls.size(); ++i) order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&layout](std::size_t a, std::size_t b) {
            return layout.controls[a].tabIndex < layout.controls[b].tabIndex;
        });
        for (std::size_t i : order) controls_[i] = CreateControl(layout.controls[i], static_cast<int>(i));

        PlaceControls(GetDpiForWindow(hwnd_), nullptr);
        model_->FormLoad();
        model_->FormActivate();
        return FALSE;  // the focus is set
    }

    HWND CreateControl(const ControlRow& row, int index) {
        const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index));
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        switch (row.kind) {
            case ControlKind::Label:
                return CreateWindowExW(0, L"STATIC", Widen(row.caption).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0,
                                       0, 0, hwnd_, id, instance, nullptr);
            case ControlKind::Text: {
                HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                            hwnd_, id, instance, nullptr);
                SetWindowSubclass(edit, &ProfileDialogWindow::EditProc, kEditSubclassId,
                                  reinterpret_cast<DWORD_PTR>(this));
                return edit;
            }
            case ControlKind::Button:
                return CreateWindowExW(0, L"BUTTON", Widen(row.caption).c_str(),
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd_, id,
                                       instance, nullptr);
        }
        return nullptr;
    }

    // Places the window (centred on the screen, or at the suggested
    // rectangle after a DPI change) and every control at its table position.
    void PlaceControls(UINT dpi, const RECT* suggested) {
        const DialogLayout& layout = model_->layout();
        DeleteFonts();
        boxFont_ = CreateFontW(-MulDiv(12, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, Widen(texts::kDialogFont).c_str());
        buttonFont_ = CreateUiFont(dpi);

        RECT frame{0, 0, TwipsToPixels(layout.clientWidth, dpi), TwipsToPixels(layout.clientHeight, dpi)};
        AdjustWindowRectExForDpi(&frame, kDialogStyle, FALSE, kDialogExStyle, dpi);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        if (suggested != nullptr) {
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, width, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
            const RECT& screen = monitor.rcMonitor;
            SetWindowPos(hwnd_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                         screen.top + (screen.bottom - screen.top - height) / 2, width, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }

        const int labelCell = TextCellHeight(boxFont_);
        for (std::size_t i = 0; i < layout.controls.size(); ++i) {
            const ControlRow& row = layout.controls[i];
            int top = TwipsToPixels(row.top, dpi);
            int height = TwipsToPixels(row.height, dpi);
            // A stand-in for the Gothic face with a taller line than the label
            // would lose the bottom of its glyphs: grow the label about its middle.
            if (row.kind == ControlKind::Label && labelCell > height) {
                top -= (labelCell - height) / 2;
                height = labelCell;
            }
            MoveWindow(controls_[i], TwipsToPixels(row.left, dpi), top, TwipsToPixels(row.width, dpi), height, TRUE);
            HFONT font = row.kind == ControlKind::Button ? buttonFont_ : boxFont_;
            if (font != nullptr) SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }

    // Height in pixels of a line of text in `font`; 0 when it cannot be measured.
    int TextCellHeight(HFONT font) const {
        if (font == nullptr) return 0;
        HDC dc = GetDC(hwnd_);
        if (dc == nullptr) return 0;
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        const int height = GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 0;
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        return height;
    }

    INT_PTR OnCommand(int id, int code) {
        const int row = id - kFirstControlId;
        const DialogLayout& layout = model_->layout();
        if (row < 0 || row >= static_cast<int>(layout.controls.size())) return TRUE;  // Enter, Escape: nothing
        const ControlRow& control = layout.controls[row];
        if (control.kind == ControlKind::Text) {
            if (code == EN_CHANGE && !updating_) model_->UserChangedText(control.box, WindowTextUtf8(controls_[row]));
            // Leaving for another program or a message box is not leaving the box.
            if (code == EN_KILLFOCUS && focusGoesTo_ != nullptr && IsChild(hwnd_, focusGoesTo_))
                model_->LostFocus(control.box);
        } else if (control.kind == ControlKind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
            if (control.name == layout::kOkButton) model_->OkClick();
            if (control.name == layout::kCancelButton) model_->CancelClick();
        }
        return TRUE;
    }

    // The close box, Alt+F4 and the system menu discard the dialog like "ｷｬﾝｾﾙ".
    INT_PTR OnClose() {
        model_->CancelClick();
        return TRUE;
    }

    INT_PTR OnDpiChanged(UINT dpi, const RECT* suggested) {
        PlaceControls(dpi, suggested);
        return TRUE;
    }

    int RowOf(std::string_view name) const {
        const auto& controls = model_->layout().controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].name == name) return static_cast<int>(i);
        }
        return -1;
    }

    int BoxOfControl(HWND control) const {
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if (controls_[i] == control) return model_->layout().controls[i].box;
        }
        return 0;
    }

    void DeleteFonts() {
        if (boxFont_ != nullptr) DeleteObject(boxFont_);
        if (buttonFont_ != nullptr) DeleteObject(buttonFont_);
        boxFont_ = buttonFont_ = nullptr;
    }

    HWND owner_;
    HostChannel& channel_;
    std::unique_ptr<ProfileDialog> model_;
    HWND hwnd_ = nullptr;
    std::vector<HWND> controls_;  // by table row
    HFONT boxFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HWND focusGoesTo_ = nullptr;
    bool updating_ = false;
};

}  // namespace

void ShowProfileDialog(HWND owner, ProfileDialogKind kind, ProfileState& state, HostChannel& channel) {
    try {
        ProfileDialogWindow window(owner, kind, state, channel);
        window.Run();
    } catch (...) {
        // Nothing to show: a dialog that cannot be built leaves the state as it was.
    }
}

}  // namespace kelo
