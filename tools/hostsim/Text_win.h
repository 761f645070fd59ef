#pragma once
// UTF-8 <-> UTF-16 at the Win32 edge.
#include <string>
#include <string_view>

namespace kelo::hostsim {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace kelo::hostsim
