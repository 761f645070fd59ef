#pragma once
// Small pieces every window of the toolbar shares: fonts, centring, the modal loop.
#include <windows.h>

namespace kelo {

// The system's message font at `dpi`; the caller deletes it.
HFONT CreateUiFont(UINT dpi);

// Outer size for a client area of the given twips, at the window's DPI.
SIZE OuterSizeForClientTwips(HWND hwnd, int widthTwips, int heightTwips);

void CenterOnScreen(HWND hwnd);

// Runs a modal loop for `dialog` owned by `owner` until `done` turns true
// (or the program quits). The owner is disabled meanwhile and re-enabled
// before the dialog goes, so the activation returns to it.
void RunModal(HWND dialog, HWND owner, const bool& done);

}  // namespace kelo
