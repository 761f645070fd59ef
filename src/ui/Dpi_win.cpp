#include "ui/Dpi_win.h"

#include "ui/FormTable.h"

namespace kelo {

SIZE OuterSizeForClientTwips(HWND hwnd, int widthTwips, int heightTwips, UINT dpi) {
    const int d = static_cast<int>(dpi);
    RECT r{0, 0, TwipsToPixels(widthTwips, d), TwipsToPixels(heightTwips, d)};
    AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), dpi);
    return {r.right - r.left, r.bottom - r.top};
}

RECT MonitorRectOf(HWND anchor) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR handle = anchor != nullptr ? MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST)
                                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(handle, &monitor)) {
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return monitor.rcMonitor;
}

void CenterOnMonitor(HWND hwnd, SIZE size, HWND anchor) {
    const RECT screen = MonitorRectOf(anchor);
    SetWindowPos(hwnd, nullptr, screen.left + (screen.right - screen.left - size.cx) / 2,
                 screen.top + (screen.bottom - screen.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kelo
