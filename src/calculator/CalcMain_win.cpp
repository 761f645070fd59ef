// Entry point of KeloCalculator.EXE: common controls, the calculator window, its loop.
#include <windows.h>
#include <commctrl.h>

#include "calculator/Calculator_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    return kelo::RunCalculator(showCommand);
}
