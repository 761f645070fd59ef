#include "ui/Clipboard_win.h"

#include <cstring>
#include <string>

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

}  // namespace kelo
