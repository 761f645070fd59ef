// Stand-in for the drafting program: a window with the host's title that logs every
// key it receives, so end-to-end tests of the toolbar can compare what was typed.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Args.h"
#include "EventLog.h"
#include "HostWindow_win.h"
#include "Text_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace kelo::hostsim;
    std::vector<std::string> args;
    // A program that starts us by name alone (the toolbar starting its calculator)
    // passes no options: the environment, which it hands down, can give the title.
    wchar_t title[512];
    const DWORD n = GetEnvironmentVariableW(L"HOSTSIM_TITLE", title, 512);
    if (n > 0 && n < 512) {
        args.push_back("--title");
        args.push_back(Narrow(title));
    }
    for (int i = 1; i < __argc; ++i) args.push_back(Narrow(__wargv[i]));
    Options options = ParseArgs(args);

    EventLog log;
    log.Open(options.logPath);
    HostWindow* window = HostWindow::Create(instance, options, log);
    if (!window) return 1;
    window->Show(showCommand);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete window;
    return static_cast<int>(msg.wParam);
}
