#pragma once
// Windows paths as text.
#include <string>
#include <string_view>

namespace kelo {

// The folder that holds the file `path`, the default of both folder settings:
// no trailing "\" except at a drive's root ("C:\"); "" for a bare file name.
std::string FolderOf(std::string_view path);

}  // namespace kelo
