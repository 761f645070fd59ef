#pragma once
// What every winprobe answer is made of: text as quoted UTF-8 JSON, handles in hex.
#include <windows.h>

#include <string>

std::string ToUtf8(const std::wstring& text);
// A JSON string: quotes, backslashes and control characters escaped.
std::string Quote(const std::wstring& text);
// A handle or number as a JSON string "0x...", as the tests pass it back.
std::string Hex(UINT_PTR value);
