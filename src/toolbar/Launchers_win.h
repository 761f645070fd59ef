#pragma once
// HELP_PDF and Calculator: the manual and the calculator beside the program.
#include <windows.h>

#include <string_view>

#include "channel/Desktop.h"

namespace kelo {

// Opens the manual with the program registered for it. Whatever happens is
// the shell's to show: nothing is reported here.
void OpenManual(HWND owner, std::string_view appFolder);

// Starts the calculator with a normal window and brings that window to the
// front once it shows, keeping the toolbar live meanwhile. When it cannot be
// started, `desktop` shows the message that names the file.
void StartCalculator(std::string_view appFolder, Desktop& desktop);

}  // namespace kelo
