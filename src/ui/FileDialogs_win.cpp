#include "ui/FileDialogs_win.h"

#include <commdlg.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/WinText_win.h"
#include "text/Paths.h"

namespace kelo {

namespace {

// Room for long paths: the dialog reports a path that does not fit as an error.
constexpr DWORD kPathRoom = 32768;

// The callers' flags are the published OFN_ bits; only these are ever set, and
// nothing else reaches the dialog.
constexpr DWORD kPassedFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

// "desc|pattern|desc|pattern" as the dialog wants it: each part ended by a
// NUL, the list by a second one.
std::wstring DialogFilter(std::string_view filter) {
    std::wstring out = Widen(filter);
    for (wchar_t& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

std::wstring CurrentDirectory() {
    std::wstring dir(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
        if (n == 0) return {};
        if (n < dir.size()) {
            dir.resize(n);
            return dir;
        }
        dir.resize(n);
    }
}

}  // namespace

FileDialogResult Win32FileDialogs::Show(const FileDialogRequest& request) {
    const std::wstring filter = DialogFilter(request.filter);
    const std::wstring initialFolder = Widen(request.initialFolder);
    std::vector<wchar_t> file(kPathRoom, L'\0');  // no name preset

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathRoom;
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.Flags = request.flags & kPassedFlags;
    const std::wstring extension = Widen(request.defaultExtension);
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();

    const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    FileDialogResult result;
    result.filterIndex = static_cast<int>(ofn.nFilterIndex);
    if (!chosen) {
        if (CommDlgExtendedError() != 0) throw FileDialogError("the file dialog failed");
        result.cancelled = true;
        result.currentDirectory = Narrow(CurrentDirectory());
        return result;
    }
    const std::wstring path(file.data());
    result.path = Narrow(path);
    // Windows' dialog leaves the current directory at the chosen file's folder.
    // Wine's moves it while the user browses but not to a path typed whole, so
    // the move is made here; where it cannot be made (an open dialog takes a
    // folder that does not exist), "" lets the file's folder stand in.
    const std::wstring folder = Widen(FolderOf(result.path));
    if (!folder.empty() && SetCurrentDirectoryW(folder.c_str())) result.currentDirectory = Narrow(CurrentDirectory());
    return result;
}

}  // namespace kelo
