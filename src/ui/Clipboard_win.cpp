#include "ui/Clipboard_win.h"

#include <cstring>
#include <string>

#include "text/Utf.h"
#include "text/WinText_win.h"

namespace kelo {

bool CopyTextToClipboard(HWND owner, std::string_view utf8) {
    const std::wstring text = Widen(utf8);
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
    } else {
        GlobalFree(memory);
        return false;
    }
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    // Emptied only once the new text is ready, so that a failure before here leaves the old one.
    bool done = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!done) GlobalFree(memory);  // the clipboard owns the memory only when it took it
    CloseClipboard();
    return done;
}

std::optional<std::string> ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Bounded by the memory's size: a text without its terminating zero ends there.
            const std::size_t most = GlobalSize(data) / sizeof(wchar_t);
            text = Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(wide), wcsnlen(wide, most)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace kelo
