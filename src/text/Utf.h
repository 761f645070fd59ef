#pragma once
// UTF-8 <-> UTF-16 conversion for the core (char16_t, never wchar_t: it is 4 bytes on Linux).
#include <string>
#include <string_view>

namespace kelo {

// Invalid sequences become U+FFFD; nothing throws.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Code points, as the user counts characters: each invalid UTF-8 sequence is one U+FFFD.
std::u32string Utf8ToUtf32(std::string_view utf8);
std::string Utf32ToUtf8(std::u32string_view codePoints);

// Whether `bytes` are UTF-8 throughout (no sequence that would become U+FFFD).
bool IsUtf8(std::string_view bytes);

// What a Japanese keyboard types in full width (U+FF01 to U+FF5E, the ideographic
// blank) as its ASCII counterpart; every other character as it is.
char32_t NarrowWidth(char32_t c);
std::string NarrowWidth(std::string_view utf8);

// `text` without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

}  // namespace kelo
