#include "HostWindow_win.h"

#include <imm.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "Canvas_win.h"
#include "Text_win.h"
#include "ui/Paint_win.h"

namespace kelo::hostsim {
namespace {

constexpr wchar_t kClassName[] = L"KeloHostSim";
// Wine maps this face to a CJK font, so Japanese paths in the history show.
constexpr wchar_t kFontFace[] = L"MS Gothic";
constexpr int kFontHeight = 16;
constexpr UINT_PTR kStealTimer = 1;
// WM_IME_CONTROL's commands, left out of MinGW's imm.h.
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr WPARAM kImcSetOpenStatus = 0x0006;

// Kept on the input method window: the procedure it had before ObeyImeControl, and the
// open state it stands for.
constexpr wchar_t kProcProp[] = L"KeloHostSimImeProc";
constexpr wchar_t kOpenProp[] = L"KeloHostSimImeOpen";
constexpr wchar_t kMainProp[] = L"KeloHostSimMain";

// Answers IMC_GETOPENSTATUS and IMC_SETOPENSTATUS as Windows' input method window does.
// Wine 8's ignores the second, and its X11 input method opens itself again when the
// program closes it, so the open state is kept here: a stand-in for Windows' behaviour.
LRESULT CALLBACK ImeControlProc(HWND ime, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_IME_CONTROL && wParam == kImcGetOpenStatus) return GetPropW(ime, kOpenProp) != nullptr;
    if (msg == WM_IME_CONTROL && wParam == kImcSetOpenStatus) {
        if (lParam) SetPropW(ime, kOpenProp, reinterpret_cast<HANDLE>(1));
        else RemovePropW(ime, kOpenProp);
        PostMessageW(static_cast<HWND>(GetPropW(ime, kMainProp)), WM_IME_NOTIFY, IMN_SETOPENSTATUS, 0);
        return 0;
    }
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetPropW(ime, kProcProp)), ime, msg, wParam, lParam);
}

BOOL CALLBACK FindImeWindow(HWND window, LPARAM found) {
    wchar_t cls[16];
    if (GetClassNameW(window, cls, 16) && lstrcmpiW(cls, L"IME") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND ImeWindowOf(HWND main) {
    HWND ime = ImmGetDefaultIMEWnd(main);
    if (!ime) EnumThreadWindows(GetCurrentThreadId(), FindImeWindow, reinterpret_cast<LPARAM>(&ime));
    return ime;
}

void ObeyImeControl(HWND main) {
    HWND ime = ImeWindowOf(main);
    if (!ime) return;
    SetPropW(ime, kOpenProp, reinterpret_cast<HANDLE>(1));
    SetPropW(ime, kMainProp, main);
    SetPropW(ime, kProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrW(ime, GWLP_WNDPROC)));
    SetWindowLongPtrW(ime, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ImeControlProc));
}

std::string Format(const char* format, auto... values) {
    char buffer[160];
    int n = std::snprintf(buffer, sizeof buffer, format, values...);
    return std::string(buffer, n < 0 ? 0 : std::min<int>(n, sizeof buffer - 1));
}

}  // namespace

HostWindow* HostWindow::Create(HINSTANCE, const Options& options, EventLog& log) {
    // No background brush: the back buffer paints everything.
    const WindowClass cls{kClassName, CS_HREDRAW | CS_VREDRAW, false, nullptr, LoadIconW(nullptr, IDI_APPLICATION)};
    auto* window = new HostWindow(options, log);
    if (!window->CreateOf(cls, 0, Widen(options.title).c_str(), WS_OVERLAPPEDWINDOW, options.x, options.y,
                          options.width, options.height, nullptr)) {
        delete window;
        return nullptr;
    }
    return window;
}

void HostWindow::Show(int showCommand) {
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
    if (options_.imeOpen) {
        HIMC context = ImmGetContext(hwnd());
        ImmSetOpenStatus(context, TRUE);
        ImmReleaseContext(hwnd(), context);
        if (options_.imeOpen == 2) ObeyImeControl(hwnd());
    }
    LogLine(Format("READY %" PRId64 " hwnd=0x%" PRIxPTR " pid=%lu title=", NowMicros(),
                   reinterpret_cast<std::uintptr_t>(hwnd()), GetCurrentProcessId()) +
            options_.title);
    LogImeState();
    if (options_.stealEvery > 0) {
        stealGaps_.seed(static_cast<unsigned>(NowMicros()));
        ScheduleSteal();
    }
}

LRESULT HostWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: return OnCreate() ? 0 : -1;
        case WM_ERASEBKGND: return 1;  // painted with the back buffer
        case WM_PAINT: OnPaint(); return 0;
        case WM_KEYDOWN:
        case WM_KEYUP: OnKey(msg, wParam, lParam); return 0;
        // System keys still go on to DefWindowProc, as in any program: a bare Alt
        // release opens the window menu and swallows the next keys, which a test
        // of the sender should notice.
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP: OnKey(msg, wParam, lParam); break;
        case WM_CHAR: OnChar(msg, wParam); return 0;
        case WM_SYSCHAR: OnChar(msg, wParam); break;
        case WM_ACTIVATE: OnActivate(wParam); break;
        case WM_IME_NOTIFY: LogImeState(); break;
        case WM_TIMER: OnTimer(wParam); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

// Makes the text font.
bool HostWindow::OnCreate() {
    font_ = CreateFontW(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, kFontFace);
    if (!font_) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return true;
}

// Paints everything off screen, then copies it in one go, so nothing flickers.
void HostWindow::OnPaint() {
    PaintBuffered(hwnd(), [this](HDC dc, const RECT& client) { PaintHost(dc, client, font_, sketch_, editor_); });
}

// Logs a key-down or key-up message with the extra info the sender tagged it with.
void HostWindow::OnKey(UINT msg, WPARAM wParam, LPARAM lParam) {
    LogImeState();  // first, so the log tells the state each key met
    std::int64_t now = NowMicros();
    auto extra = static_cast<std::uintptr_t>(GetMessageExtraInfo());
    bool up = msg == WM_KEYUP || msg == WM_SYSKEYUP;
    bool sys = msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
    // Scan code as MapVirtualKey(MAPVK_VK_TO_VSC_EX) gives it: E0 prefix for extended keys.
    unsigned scan = (static_cast<unsigned>(lParam) >> 16) & 0xFF;
    if (lParam & (1 << 24)) scan |= 0xE000;
    LogLine(Format("%s %" PRId64 " vk=0x%02x scan=0x%x extra=0x%" PRIxPTR "%s", up ? "KEYUP" : "KEYDOWN", now,
                   static_cast<unsigned>(wParam & 0xFFFF), scan, extra, sys ? " sys" : ""));
    if (options_.hangAfter > 0 && ++keyMessages_ == options_.hangAfter) Sleep(INFINITE);
    if (options_.keyDelay > 0) Sleep(static_cast<DWORD>(options_.keyDelay));
}

// Logs the character; ordinary characters also edit the command line, whose
// completed lines drive the sketch.
void HostWindow::OnChar(UINT msg, WPARAM wParam) {
    std::int64_t now = NowMicros();
    auto unit = static_cast<char16_t>(wParam & 0xFFFF);
    LogLine(Format("CHAR %" PRId64 " u=0x%04x", now, static_cast<unsigned>(unit)));
    if (msg != WM_CHAR) return;  // Alt+key is a menu shortcut, not typing

    LineEditor::Result result = editor_.Feed(unit);
    if (result.outcome == LineEditor::Outcome::kLine) {
        LogLine(Format("LINE %" PRId64 " ", now) + result.line);
        sketch_.OnLine(result.line);
    } else if (result.outcome == LineEditor::Outcome::kCancel) {
        LogLine(Format("CANCEL %" PRId64, now));
        sketch_.OnCancel();
    }
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// Logs activation changes: the sender must bring this window to the front first.
void HostWindow::OnActivate(WPARAM wParam) {
    LogLine(Format("ACTIVE %" PRId64 " %d", NowMicros(), LOWORD(wParam) != WA_INACTIVE ? 1 : 0));
}

// Takes the foreground from whoever has it, as a program that pops up on its own does.
void HostWindow::OnTimer(WPARAM id) {
    if (id != kStealTimer) return;
    KillTimer(hwnd(), kStealTimer);
    SetForegroundWindow(hwnd());
    LogLine(Format("STEAL %" PRId64, NowMicros()));
    ScheduleSteal();
}

void HostWindow::ScheduleSteal() {
    const int every = options_.stealEvery;
    std::uniform_int_distribution<int> gap(every / 2, every + every / 2);
    SetTimer(hwnd(), kStealTimer, static_cast<UINT>(std::max(1, gap(stealGaps_))), nullptr);
}

void HostWindow::LogImeState() {
    if (options_.imeOpen == 0) return;
    int open = 0;
    if (options_.imeOpen == 2) {
        const HWND ime = ImeWindowOf(hwnd());
        open = ime && GetPropW(ime, kOpenProp) ? 1 : 0;
    } else {
        HIMC context = ImmGetContext(hwnd());
        open = context && ImmGetOpenStatus(context) ? 1 : 0;
        ImmReleaseContext(hwnd(), context);
    }
    if (open == loggedIme_) return;
    loggedIme_ = open;
    LogLine(Format("IME %" PRId64 " %d", NowMicros(), open));
}

// Ends the program with its window.
void HostWindow::OnDestroy() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
    PostQuitMessage(0);
}

void HostWindow::LogLine(const std::string& line) {
    log_.Write(line);
}

}  // namespace kelo::hostsim
