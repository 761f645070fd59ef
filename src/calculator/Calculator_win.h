#pragma once
#include <windows.h>

namespace kelo {

// Shows the calculator as the program's main window with `showCommand` and runs it until
// it is closed. Returns the program's exit code.
int RunCalculator(int showCommand);

}  // namespace kelo
