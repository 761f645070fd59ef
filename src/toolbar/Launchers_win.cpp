#include "toolbar/Launchers_win.h"

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "text/Texts.h"
#include "text/WinText_win.h"
#include "toolbar/Launchers.h"

namespace kelo {

namespace {

// How long a started calculator may take to show its window; it goes on
// starting after that, only unhelped to the front.
constexpr auto kWindowWait = std::chrono::seconds(5);
constexpr auto kPollStep = std::chrono::milliseconds(30);

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindowOf(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The started program's first visible unowned top-level window, waited for
// with the toolbar's events processed; nullptr when none came in time or the
// program ended first.
HWND WaitForMainWindow(const PROCESS_INFORMATION& process, Desktop& desktop) {
    // Polled rather than WaitForInputIdle: that blocks the toolbar, which must
    // keep repainting and taking clicks, as in every other wait.
    const auto deadline = desktop.Now() + kWindowWait;
    for (;;) {
        WindowSearch search{process.dwProcessId, nullptr};
        EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
        const auto now = desktop.Now();
        if (now >= deadline) return nullptr;
        desktop.ProcessEventsUntil(std::min(now + kPollStep, deadline));
    }
}

}  // namespace

void OpenManual(HWND owner, std::string_view appFolder) {
    const std::wstring path = Widen(ManualPath(appFolder));
    ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOW);  // 5: as it was last shown
}

void StartCalculator(std::string_view appFolder, Desktop& desktop) {
    const std::string path = CalculatorPath(appFolder);
    const std::wstring program = Widen(path);
    std::wstring commandLine = L"\"" + program + L"\"";  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        desktop.ShowMessage(CalculatorNotStartedMessage(path), texts::kMenuMessageTitle, MessageStyle::Exclamation);
        return;
    }
    // The click gave us the right to set the foreground; pass it on, so the
    // calculator may also take it itself.
    AllowSetForegroundWindow(process.dwProcessId);
    if (HWND window = WaitForMainWindow(process, desktop)) SetForegroundWindow(window);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace kelo
