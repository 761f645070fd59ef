#include "text/Paths.h"

namespace kelo {

std::string FolderOf(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) return {};
    std::string folder(path.substr(0, slash));
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

}  // namespace kelo
