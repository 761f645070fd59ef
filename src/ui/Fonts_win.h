#pragma once
// The fonts the program's windows use, made for a given DPI.
#include <windows.h>

namespace kelo {

// The system's message font at `dpi`; the caller deletes it.
HFONT CreateUiFont(UINT dpi);

// "ＭＳ ゴシック" at `points` and `dpi` (the profile dialogs' labels and boxes); the caller deletes it.
HFONT CreateGothicFont(UINT dpi, int points);

// Height in pixels of a line of text in `font`; 0 when it cannot be measured.
int TextCellHeight(HWND hwnd, HFONT font);

}  // namespace kelo
