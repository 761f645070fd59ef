#pragma once
// The stand-in host's main window: keeps the keyboard focus itself (no child
// controls), logs every key message, edits the command line and draws the sketch.
#include <windows.h>

#include <cstdint>

#include "Args.h"
#include "EventLog.h"
#include "LineEditor.h"
#include "Sketch.h"
#include "ui/Window_win.h"

namespace kelo::hostsim {

class HostWindow : public Window {
public:
    // Creates the window (not yet shown). nullptr on failure.
    static HostWindow* Create(HINSTANCE instance, const Options& options, EventLog& log);

    HWND Handle() const { return hwnd(); }
    // Shows, paints and brings the window to the front, then logs READY.
    void Show(int showCommand);

private:
    HostWindow(const Options& options, EventLog& log) : options_(options), log_(log) {}

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    bool OnCreate();
    void OnPaint();
    void OnKey(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnChar(UINT msg, WPARAM wParam);
    void OnActivate(WPARAM wParam);
    void OnDestroy();

    void LogLine(const std::string& line);

    Options options_;
    EventLog& log_;
    HFONT font_ = nullptr;
    LineEditor editor_;
    int keyMessages_ = 0;  // counted only for --hang-after
    Sketch sketch_;
};

}  // namespace kelo::hostsim
