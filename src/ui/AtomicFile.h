#pragma once
// A file replaced whole or not at all: the new bytes go to a file beside it, which then
// takes the file's name in one step, so that a failure or a power cut while writing
// leaves the old file or the new one, never half of one.
#include <functional>
#include <string_view>

namespace kelo {

// The three things the disk is asked, by the caller's means (Win32, or a test's stand-in).
struct FileSteps {
    std::function<bool(std::string_view bytes)> writeTemporary;  // the whole new file beside the old one
    std::function<bool()> moveOver;                              // the new file takes the old one's name
    std::function<void()> removeTemporary;
};

// True when the file now holds `bytes`; otherwise it holds what it held, and nothing is
// left beside it.
bool ReplaceWhole(const FileSteps& steps, std::string_view bytes);

}  // namespace kelo
