#pragma once
// Text onto the clipboard, as Unicode text that every program can paste, and back.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kelo {

// Replaces the clipboard's content with `utf8` (CF_UNICODETEXT); `owner` becomes the
// clipboard's owner. False when the clipboard could not be opened or written (another
// program may hold it open at this moment); it is then left as it was.
bool CopyTextToClipboard(HWND owner, std::string_view utf8);

// The clipboard's Unicode text as UTF-8; nullopt when it holds no text or cannot be opened.
std::optional<std::string> ClipboardText(HWND owner);

}  // namespace kelo
