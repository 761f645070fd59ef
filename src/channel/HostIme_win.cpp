#include "channel/HostIme_win.h"

#include <imm.h>

#include <optional>

#include "channel/HostChannel.h"
#include "channel/InputWatch_win.h"

namespace kelo {

namespace {

// WM_IME_CONTROL's commands (MinGW's imm.h leaves them out).
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr WPARAM kImcSetOpenStatus = 0x0006;

// As patient as the wait for the host to take its keys: a host busy for a moment is no fault.
constexpr UINT kAnswerMs = static_cast<UINT>(
    std::chrono::duration_cast<std::chrono::milliseconds>(HostInputWatch::kLongestWait).count());

BOOL CALLBACK FindImeWindow(HWND window, LPARAM found) {
    wchar_t cls[8];
    if (GetClassNameW(window, cls, 8) && lstrcmpiW(cls, L"IME") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The input method window of the thread that reads the host's keys. Windows answers
// ImmGetDefaultIMEWnd for another program's window; Wine answers it for our own windows
// only, so look among the thread's windows too.
HWND ImeWindowOf(HWND target, DWORD inputThread) {
    HWND ime = ImmGetDefaultIMEWnd(target);
    if (!ime && inputThread) EnumThreadWindows(inputThread, FindImeWindow, reinterpret_cast<LPARAM>(&ime));
    return ime;
}

// WM_IME_CONTROL is answered by the host's thread; nullopt when it does not answer.
// Messages other programs send us meanwhile are answered (no SMTO_BLOCK): the toolbar
// must not look hung because the host is.
std::optional<LRESULT> AskIme(HWND ime, WPARAM command, LPARAM value) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(ime, WM_IME_CONTROL, command, value, SMTO_ABORTIFHUNG, kAnswerMs, &answer))
        return std::nullopt;
    return static_cast<LRESULT>(answer);
}

}  // namespace

HostImeClosed::HostImeClosed(HWND target, DWORD inputThread) {
    imeWindow_ = ImeWindowOf(target, inputThread);
    if (!imeWindow_) return;  // no input method in that thread: nothing converts the keys
    const auto open = AskIme(imeWindow_, kImcGetOpenStatus, 0);
    if (!open) throw HostError("the host does not answer");
    if (*open == 0) return;
    AskIme(imeWindow_, kImcSetOpenStatus, FALSE);
    const auto still = AskIme(imeWindow_, kImcGetOpenStatus, 0);
    if (!still || *still != 0) {
        // Letters would arrive converted: type nothing, and leave the input method as it was.
        AskIme(imeWindow_, kImcSetOpenStatus, TRUE);
        throw ImeOpenError("the host's input method stays open");
    }
    reopen_ = true;
}

HostImeClosed::~HostImeClosed() {
    if (reopen_) AskIme(imeWindow_, kImcSetOpenStatus, TRUE);
}

}  // namespace kelo
