#pragma once
#include <windows.h>

namespace kelo {

// Creates the toolbar window, runs its start, shows it and runs the message
// loop until it closes. Returns the program's exit code.
int RunMenu(HINSTANCE instance);

}  // namespace kelo
