#pragma once
// Paints the host's client area: drawing canvas, history of lines, command line.
#include <windows.h>

#include "LineEditor.h"
#include "Sketch.h"

namespace kelo::hostsim {

// Caller owns `font` (used for history and command line) and paints into a back buffer.
void PaintHost(HDC dc, const RECT& client, HFONT font, const Sketch& sketch, const LineEditor& editor);

}  // namespace kelo::hostsim
