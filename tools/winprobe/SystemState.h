#pragma once
// winprobe's answers about the system rather than a window: the clipboard, a file's
// version resource, registry values and what a keyboard layout types.
#include <windows.h>

#include <string>
#include <vector>

// {"text": the clipboard's Unicode text, or null}.
std::string ClipboardJson();
bool SetClipboard(const std::wstring& text);
// The UTF-8 file's whole text onto the clipboard: tabs and line ends, as a spreadsheet
// copies cells, cannot travel in a request's arguments.
bool SetClipboardFromFile(const std::wstring& path);
// The version resource as Explorer's properties show it.
std::string VersionJson(const std::wstring& path);
// regget / regset / regdword / regdel with their arguments (args[0] is the command).
std::string RegistryJson(const std::vector<std::wstring>& args);
// What VkKeyScanExW and ToUnicodeEx say of each character the toolbar may type, with the
// layout `klid` loaded.
std::string LayoutJson(const std::wstring& klid);
