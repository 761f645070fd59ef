#pragma once
// A call that fails only because another program holds a shared resource for a
// moment (the clipboard, the registry) is tried again a few times before the
// user is told: a clipboard manager or a remote-desktop session that follows
// every change often holds the clipboard open just then.
#include <array>
#include <chrono>
#include <functional>

namespace kelo {

// The pauses between tries: five tries within half a second.
inline constexpr std::array<std::chrono::milliseconds, 4> kBusyPauses{
    std::chrono::milliseconds(50), std::chrono::milliseconds(100), std::chrono::milliseconds(150),
    std::chrono::milliseconds(200)};

// Calls `attempt` until it returns true, pausing with `pause` between tries (where
// a window is open, a pause that keeps it live). False when the last try failed too.
bool RetryWhileBusy(const std::function<bool()>& attempt, const std::function<void(std::chrono::milliseconds)>& pause);

}  // namespace kelo
