#pragma once
// The common open and save dialogs, as the program's windows ask for them.
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelo {

struct FileDialogRequest {
    bool save = false;          // save dialog; otherwise open
    std::string initialFolder;  // the file name preset is always empty
    std::string_view filter;    // description|pattern pairs, "|"-separated
    int filterIndex = 1;        // 1-based pair to preselect
    unsigned flags = 0;         // OFN_* bits
    std::string_view defaultExtension = {};  // added to a name typed without one ("csv"); "" adds none
};

struct FileDialogResult {
    bool cancelled = false;
    std::string path;              // full path, UTF-8; empty after a cancel
    std::string currentDirectory;  // the process's current directory as the dialog leaves it; "" when unknown
    int filterIndex = 1;           // the pair the user ended on
};

// The dialog could not be shown: the command that asked ends as a cancel would.
class FileDialogError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

// The platform's modal common file dialog on its owner window.
class FileDialogs {
   public:
    virtual ~FileDialogs() = default;
    // Throws FileDialogError when the dialog cannot be shown.
    virtual FileDialogResult Show(const FileDialogRequest& request) = 0;
};

}  // namespace kelo
