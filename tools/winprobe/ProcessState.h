#pragma once
// winprobe's `state` answer: what a soak or a fault test reads of a running program.
#include <windows.h>

#include <string>

// JSON: the process of `window` ("pid", "private": PrivateUsage in bytes, 0 where the
// system does not tell), whether the window answers a message within a second
// ("answers"), the modifier keys down as the system sees them ("down") and whether
// Caps Lock is on ("caps").
std::string ProcessStateJson(HWND window);
