#pragma once
// Win32 controls made from control-table rows: one way to create a row's control
// and one way to put it where the table says, for every window of the program.
#include <windows.h>

#include <span>
#include <vector>

#include "ui/FormTable.h"

namespace kelo {

// Creates the control of `row` as a child of `parent`, with WM_COMMAND id `id`, at
// no particular place yet (see PlaceControl). Picture buttons are owner-drawn.
HWND CreateControl(HWND parent, const ControlRow& row, int id);

// The row's rectangle in client pixels at `dpi` (a framed row shifted by its frame).
RECT ControlRectPx(std::span<const ControlRow> rows, const ControlRow& row, int dpi);

// Row indices in the order the controls are to be created: the Tab order first
// (the order of creation is the order Tab visits), then the rest in table order.
std::vector<std::size_t> CreationOrder(std::span<const ControlRow> rows);

}  // namespace kelo
