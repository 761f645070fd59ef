// Entry point: common controls, the toolbar window, its message loop.
#include <windows.h>
#include <commctrl.h>

#include "toolbar/Menu_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    return kelo::RunMenu(instance);
}
