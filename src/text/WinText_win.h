#pragma once
// UTF-8 <-> UTF-16 at the Win32 edge.
#include <windows.h>

#include <string>
#include <string_view>

namespace kelo {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::string WindowTextUtf8(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view utf8);

}  // namespace kelo
