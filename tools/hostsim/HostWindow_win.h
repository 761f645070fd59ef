#pragma once
// The stand-in host's main window: keeps the keyboard focus itself (no child
// controls), logs every key message, edits the command line and draws the sketch.
#include <windows.h>

#include <cstdint>
#include <random>

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
    void OnTimer(WPARAM id);
    void OnDestroy();

    // With --ime-open: logs the input method's open state when it differs from the last logged.
    void LogImeState();
    void ScheduleSteal();

    void LogLine(const std::string& line);

    Options options_;
    EventLog& log_;
    HFONT font_ = nullptr;
    LineEditor editor_;
    int keyMessages_ = 0;  // counted only for --hang-after
    int loggedIme_ = -1;   // the open state last logged; -1: none yet
    std::minstd_rand stealGaps_;
    Sketch sketch_;
};

}  // namespace kelo::hostsim
