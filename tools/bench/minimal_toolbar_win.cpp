// minimal_toolbar: the least a toolbar can do to type a command into the host, for the
// benchmark's comparison. A window with one button per line; a click brings the window
// titled exactly TITLE to the front, waits until it is, and types the cancel key
// string, the line and Enter with one SendInput each, the waits between them as the
// toolbar makes them, and the same key events as the toolbar plans them (the Shift
// changes of the keyboard layout). No check of any kind, no waiting for the host.
//
//   minimal_toolbar TITLE WAIT LINE...       (WAIT in seconds, both waits)
//   minimal_toolbar TITLE WAIT               an empty window that starts as the toolbar
//                                            does: it brings the host forward, then shows
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "channel/KeyPlan.h"
#include "text/Utf.h"
#include "text/WinText_win.h"
#include "ui/Wait_win.h"

namespace {

constexpr int kFirstButton = 100;

std::wstring gTitle;
double gWait = 0;
std::vector<std::string> gLines;

void WaitSeconds(double seconds) {
    if (seconds > 0) kelo::WaitLive(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

// The key events of a key string on our own keyboard layout, the same as the host's here.
void Type(std::u16string_view keys) {
    const HKL hkl = GetKeyboardLayout(0);
    const auto events = kelo::PlanKeys(kelo::ParseKeyString(keys), 0, [hkl](char16_t ch) -> std::optional<kelo::LayoutKey> {
        const SHORT r = VkKeyScanExW(static_cast<WCHAR>(ch), hkl);
        if (r == -1) return std::nullopt;
        return kelo::LayoutKey{static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>((r >> 8) & 0xFF)};
    });
    std::vector<INPUT> inputs;
    for (const kelo::KeyEvent& e : events) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = e.unicode ? 0 : e.vkey;
        in.ki.wScan = e.unicode ? e.scan : static_cast<WORD>(MapVirtualKeyExW(e.vkey, MAPVK_VK_TO_VSC, hkl));
        in.ki.dwFlags = (e.unicode ? KEYEVENTF_UNICODE : 0) | (e.up ? KEYEVENTF_KEYUP : 0);
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The host in front; false when there is none.
bool ActivateHost() {
    HWND host = FindWindowW(nullptr, gTitle.c_str());
    if (host == nullptr) return false;
    SetForegroundWindow(host);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (GetForegroundWindow() != host && std::chrono::steady_clock::now() < until)
        kelo::WaitLive(std::chrono::milliseconds(1));
    return true;
}

void RunCommand(const std::string& line) {
    if (!ActivateHost()) return;
    WaitSeconds(gWait);
    Type(u"^C");
    WaitSeconds(gWait);
    Type(kelo::Utf8ToUtf16(line));
    Type(u"\r");
    WaitSeconds(gWait);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const int index = LOWORD(wParam) - kFirstButton;
            if (index >= 0 && index < static_cast<int>(gLines.size()) &&
                (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED))
                RunCommand(gLines[static_cast<std::size_t>(index)]);
            return 0;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    gTitle = argv[1];
    gWait = std::wcstod(argv[2], nullptr);
    for (int i = 3; i < argc; ++i) gLines.push_back(kelo::Narrow(argv[i]));

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"MinimalToolbar";
    RegisterClassW(&cls);
    const int height = 40 + 34 * static_cast<int>(gLines.size());
    HWND window = CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"Minimal toolbar", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  20, 700, 420, height, nullptr, nullptr, instance, nullptr);
    for (std::size_t i = 0; i < gLines.size(); ++i) {
        CreateWindowExW(0, L"BUTTON", kelo::Widen(gLines[i]).c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8,
                        4 + 34 * static_cast<int>(i), 390, 30, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButton + i)), instance, nullptr);
    }
    if (gLines.empty()) ActivateHost();  // as the toolbar's start-up command does before it shows
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
