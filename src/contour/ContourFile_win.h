#pragma once
// The contour table's files on disk, and the system's Shift-JIS tables for reading
// files saved by Excel on a Japanese Windows.
#include <optional>
#include <string>
#include <string_view>

namespace kelo {

// Shift-JIS (code page 932) to UTF-8; nullopt when `bytes` are not valid CP932.
std::optional<std::string> DecodeCp932(std::string_view bytes);

// The whole file at the UTF-8 path; nullopt when it cannot be opened or read. Another
// program holding the file for a moment is waited for, within half a second.
std::optional<std::string> ReadFileBytes(std::string_view utf8Path);

// Replaces the file with `bytes`: they are written to a temporary file beside it, which
// is then moved over it, so a failure never leaves half a file. False on failure.
bool WriteFileBytes(std::string_view utf8Path, std::string_view bytes);

// A file of the toolbar's own in a folder KeloMenu of the user's application-data folder
// (made when missing): the kept contour table, the user's undercut norms. "" when the
// system names no such folder.
std::string AppDataFile(std::string_view name);

}  // namespace kelo
