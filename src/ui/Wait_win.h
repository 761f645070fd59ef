#pragma once
// A wait that keeps the program's windows live: they repaint and take clicks
// (a click's whole handler runs inside the wait), and the thread sleeps between events.
#include <chrono>

namespace kelo {

// Dispatches window events until `deadline`. A WM_QUIT ends the wait early and is
// posted again for the main loop.
void ProcessEventsUntil(std::chrono::steady_clock::time_point deadline);

// The same for `duration` from now.
void WaitLive(std::chrono::milliseconds duration);

}  // namespace kelo
