#include "text/WinText_win.h"

#include "text/Utf.h"

namespace kelo {

std::wstring Widen(std::string_view utf8) {
    std::u16string u = Utf8ToUtf16(utf8);
    return std::wstring(u.begin(), u.end());
}

std::string Narrow(std::wstring_view utf16) {
    std::u16string u(utf16.begin(), utf16.end());
    return Utf16ToUtf8(u);
}

std::string WindowTextUtf8(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return Narrow(w);
}

void SetWindowTextUtf8(HWND hwnd, std::string_view utf8) { SetWindowTextW(hwnd, Widen(utf8).c_str()); }

}  // namespace kelo
