#pragma once
// UTF-8 <-> UTF-16 conversion for the core (char16_t, never wchar_t: it is 4 bytes on Linux).
#include <string>
#include <string_view>

namespace kelo {

// Invalid sequences become U+FFFD; nothing throws.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace kelo
