#include "contour/ContourFile_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <string>

#include "text/WinText_win.h"
#include "text/Texts.h"
#include "ui/AtomicFile.h"
#include "ui/Retry.h"

namespace kelo {

namespace {

constexpr UINT kShiftJis = 932;
// Far beyond any table of 1000 rows: a bigger file is not a contour table, and reading
// it whole would only hold the program up.
constexpr std::size_t kMaxFileBytes = 16 << 20;
constexpr DWORD kChunkBytes = 64 << 10;

// Closes the handle however the function leaves.
class FileHandle {
   public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const bool closed = valid() && CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

   private:
    HANDLE handle_;
};

// Another program has the file open just now (Excel saving it, a virus scanner, a
// backup tool, or one replacing it as we do): worth another try.
bool IsBusy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Nothing but this call's own work runs between tries: the caller's dialog is in the
// middle of a load or save and must not take another click meanwhile.
void Pause(std::chrono::milliseconds pause) { Sleep(static_cast<DWORD>(pause.count())); }

std::optional<std::string> ReadOnce(const std::wstring& path, DWORD& error) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        error = GetLastError();
        return std::nullopt;
    }
    std::string bytes;
    for (;;) {
        const std::size_t at = bytes.size();
        bytes.resize(at + kChunkBytes);
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + at, kChunkBytes, &got, nullptr)) {
            error = GetLastError();
            return std::nullopt;
        }
        bytes.resize(at + got);
        if (got == 0) return bytes;
        if (bytes.size() > kMaxFileBytes) {
            error = ERROR_FILE_TOO_LARGE;
            return std::nullopt;
        }
    }
}

bool WriteWhole(const std::wstring& path, std::string_view bytes) {
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunkBytes));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    // On the disk before it replaces the old file, so a power cut cannot leave an empty one.
    return FlushFileBuffers(file.get()) && file.Close();
}

}  // namespace

std::optional<std::string> DecodeCp932(std::string_view bytes) {
    if (bytes.empty()) return std::string();
    if (bytes.size() > INT_MAX) return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length) != length)
        return std::nullopt;
    return Narrow(wide);
}

std::optional<std::string> ReadFileBytes(std::string_view utf8Path) {
    const std::wstring path = Widen(utf8Path);
    std::optional<std::string> bytes;
    RetryWhileBusy(
        [&] {
            DWORD error = ERROR_SUCCESS;
            bytes = ReadOnce(path, error);
            return bytes.has_value() || !IsBusy(error);
        },
        Pause);
    return bytes;
}

bool WriteFileBytes(std::string_view utf8Path, std::string_view bytes) {
    const std::wstring path = Widen(utf8Path);
    // Named by this process, so that two programs saving the same table never share one.
    const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const FileSteps steps{
        [&](std::string_view whole) { return WriteWhole(temporary, whole); },
        [&] {
            bool moved = false;
            RetryWhileBusy(
                [&] {
                    moved = MoveFileExW(temporary.c_str(), path.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
                    return moved || !IsBusy(GetLastError());
                },
                Pause);
            return moved;
        },
        [&] { DeleteFileW(temporary.c_str()); },
    };
    return ReplaceWhole(steps, bytes);
}

std::string AppDataFile(std::string_view name) {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    std::wstring path = std::wstring(folder) + L"\\KeloMenu";
    CreateDirectoryW(path.c_str(), nullptr);  // there already, or made now
    return Narrow(path + L"\\" + Widen(name));
}

}  // namespace kelo
