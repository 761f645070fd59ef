#include "toolbar/AppNameSet_win.h"

#include <algorithm>
#include <array>

#include "channel/Texts.h"
#include "channel/WinText_win.h"
#include "toolbar/AppNameSet.h"
#include "toolbar/FormWindow_win.h"
#include "toolbar/Layout.h"

namespace kelo {

namespace {

constexpr wchar_t kClassName[] = L"KeloAppNameSet";
// Control ids start above IDOK/IDCANCEL so Enter presses no button.
constexpr int kFirstId = 100;

int IdOf(std::string_view name) {
    for (std::size_t i = 0; i < kAppSetControls.size(); ++i)
        if (kAppSetControls[i].name == name) return kFirstId + static_cast<int>(i);
    return 0;
}

class AppNameSetWindow {
   public:
    explicit AppNameSetWindow(ChannelSettings& settings) : model_(settings) {}

    void Show(HWND owner) {
        Register();
        hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName,
                                Widen(texts::kAppSetCaption).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100,
                                100, owner, nullptr, GetModuleHandleW(nullptr), this);
        if (!hwnd_) return;
        RunModal(hwnd_, owner, done_);
    }

   private:
    static void Register() {
        WNDCLASSEXW wc{sizeof wc};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);  // a second registration fails harmlessly
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<AppNameSetWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<AppNameSetWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
        try {
            switch (msg) {
                case WM_CREATE: self->OnCreate(); return 0;
                case WM_COMMAND: self->OnCommand(LOWORD(wp), HIWORD(wp)); return 0;
                case WM_CLOSE: self->done_ = true; return 0;  // the close box cancels
                case WM_NCDESTROY:
                    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                    if (self->font_) DeleteObject(self->font_);
                    break;
            }
        } catch (...) {
            self->done_ = true;
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    // Builds the controls in tab order and fills the boxes from memory.
    void OnCreate() {
        const UINT dpi = GetDpiForWindow(hwnd_);
        const SIZE outer = OuterSizeForClientTwips(hwnd_, kAppSetClientWidth, kAppSetClientHeight);
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CenterOnScreen(hwnd_);
        font_ = CreateUiFont(dpi);

        std::array<std::size_t, kAppSetControls.size()> order{};
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(),
                  [](auto a, auto b) { return kAppSetControls[a].tabIndex < kAppSetControls[b].tabIndex; });
        const int d = static_cast<int>(dpi);
        for (std::size_t i : order) {
            const FormControl& c = kAppSetControls[i];
            const wchar_t* cls = L"STATIC";
            DWORD style = WS_CHILD | WS_VISIBLE, ex = 0;
            if (c.kind == FormControl::Kind::Text) {
                cls = L"EDIT";
                style |= WS_TABSTOP | ES_AUTOHSCROLL;
                ex = WS_EX_CLIENTEDGE;
            } else if (c.kind == FormControl::Kind::Button) {
                cls = L"BUTTON";
                style |= WS_TABSTOP | BS_PUSHBUTTON;
            }
            HWND h = CreateWindowExW(ex, cls, Widen(c.text).c_str(), style, TwipsToPixels(c.left, d),
                                     TwipsToPixels(c.top, d), TwipsToPixels(c.width, d), TwipsToPixels(c.height, d),
                                     hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)),
                                     GetModuleHandleW(nullptr), nullptr);
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        }
        model_.AppNameSet_Form_Load();
        SetText("Text1", model_.text1);
        SetText("Text2", model_.text2);
        SetText("Text3", model_.text3);
        SetFocus(GetDlgItem(hwnd_, IdOf("Text1")));
    }

    void OnCommand(int id, int code) {
        if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;
        if (id == IdOf("Command1")) {
            AppNameSet_Command1_Click();
        } else if (id == IdOf("Command2") || id == IDCANCEL) {
            done_ = true;  // Cancel (or Escape): nothing changes
        }
    }

    void AppNameSet_Command1_Click() {
        model_.text1 = GetText("Text1");
        model_.text2 = GetText("Text2");
        model_.text3 = GetText("Text3");
        if (model_.AppNameSet_Command1_Click()) {
            done_ = true;
            return;
        }
        MessageBoxW(hwnd_, Widen(model_.message).c_str(), Widen(texts::kAppSetCaption).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        HWND box = GetDlgItem(hwnd_, IdOf("Text3"));
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
    }

    void SetText(std::string_view name, std::string_view text) {
        SetWindowTextUtf8(GetDlgItem(hwnd_, IdOf(name)), text);
    }
    std::string GetText(std::string_view name) { return WindowTextUtf8(GetDlgItem(hwnd_, IdOf(name))); }

    AppNameSetModel model_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    bool done_ = false;
};

}  // namespace

void ShowAppNameSet(HWND owner, ChannelSettings& settings) {
    AppNameSetWindow window(settings);
    window.Show(owner);
}

}  // namespace kelo
