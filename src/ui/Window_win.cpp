#include "ui/Window_win.h"

#include "text/Texts.h"
#include "text/WinText_win.h"

namespace kelo {

void ReportInternalError(HWND owner) {
    // A fault that repeats at every message (a paint) must not stack message boxes.
    static bool showing = false;
    if (showing) return;
    showing = true;
    MessageBoxW(owner, Widen(texts::kInternalError).c_str(), Widen(texts::kMenuMessageTitle).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
    showing = false;
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        // The window outlived its object: detach first, so no message reaches a dead object.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

HWND Window::CreateOf(const WindowClass& cls, DWORD exStyle, const wchar_t* title, DWORD style, int x, int y,
                      int width, int height, HWND owner) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{sizeof wc};
    if (!GetClassInfoExW(instance, cls.name, &wc)) {
        wc = WNDCLASSEXW{sizeof wc};
        wc.style = cls.style;
        wc.lpfnWndProc = &Window::Trampoline;
        wc.cbWndExtra = cls.dialog ? DLGWINDOWEXTRA : 0;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = cls.background;
        wc.hIcon = cls.icon;
        wc.lpszClassName = cls.name;
        if (!RegisterClassExW(&wc)) return nullptr;
    }
    dialog_ = cls.dialog;
    return CreateWindowExW(exStyle, cls.name, title, style, x, y, width, height, owner, nullptr, instance, this);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return dialog_ ? DefDlgProcW(hwnd_, msg, wParam, lParam) : DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const LRESULT result = self->DefaultProc(msg, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        try {
            self->OnWindowGone();
        } catch (...) {  // a fault of the program's own; it must not unwind into user32
            ReportInternalError(nullptr);
        }
        return result;
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // Each handler's own trap takes what it means to raise; whatever escapes is a fault
        // of the program's own, told as one, and must not unwind into user32.
        ReportInternalError(hwnd);
    }
    return self->DefaultProc(msg, wParam, lParam);
}

}  // namespace kelo
