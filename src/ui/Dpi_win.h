#pragma once
// Window geometry at the window's own DPI: sizes from twips, centring, monitors.
#include <windows.h>

#include "ui/Placement.h"

namespace kelo {

// Outer size of `hwnd` (its styles as they are) for a client area of the given twips at `dpi`.
SIZE OuterSizeForClientTwips(HWND hwnd, int widthTwips, int heightTwips, UINT dpi);

// The rectangle of the monitor that holds `anchor`, or the nearest one (the primary
// one without an anchor).
RECT MonitorRectOf(HWND anchor);

// The same rectangle for the portable placement rules.
inline PixelRect ToPixelRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

// Puts the window of outer size `size` in the middle of the monitor that holds `anchor`.
void CenterOnMonitor(HWND hwnd, SIZE size, HWND anchor);

}  // namespace kelo
