#pragma once
// Painting a window's client area without flicker.
#include <windows.h>

#include <functional>

namespace kelo {

// Answers WM_PAINT: `paint` draws the whole client area into an off-screen bitmap,
// which is then copied in one go. What `paint` throws is dropped after the DCs are
// balanced again; the next paint tries anew.
void PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT&)>& paint);

}  // namespace kelo
