#include "HostWindow_win.h"

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
    LogLine(Format("READY %" PRId64 " hwnd=0x%" PRIxPTR " pid=%lu title=", NowMicros(),
                   reinterpret_cast<std::uintptr_t>(hwnd()), GetCurrentProcessId()) +
            options_.title);
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
