#pragma once
// The one window base of the program: every window class registers and creates
// through it, its trampoline hands each message to the object from WM_NCCREATE on,
// and no exception ever reaches user32.
#include <windows.h>

namespace kelo {

// Tells the user that the command stopped on an internal error: what an event's entry point
// does with an exception that no handler meant to raise.
void ReportInternalError(HWND owner);

struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    // A dialog class keeps the dialog manager's behaviour (default button, Tab order,
    // focus kept across activations): it reserves the dialog's window bytes and hands
    // unhandled messages to DefDlgProc instead of DefWindowProc.
    bool dialog = false;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HICON icon = nullptr;
};

class Window {
   public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

   protected:
    // Registers `cls` on first use and creates the window; the object receives every
    // message from WM_NCCREATE on. nullptr when the window cannot be made.
    HWND CreateOf(const WindowClass& cls, DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width,
                  int height, HWND owner);

    // One switch of message crackers; what it does not handle goes to DefaultProc.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // The window is gone (WM_NCDESTROY); the object stays.
    virtual void OnWindowGone() {}

   private:
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool dialog_ = false;
};

}  // namespace kelo
