#pragma once
// The seam between the channel's steps and the platform: windows, keyboard,
// clock and message boxes. Win32 implements it; tests use a recording fake.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "channel/KeyPlan.h"

namespace kelo {

using Clock = std::chrono::steady_clock;

// Message box styles used by the system (the platform's own numbers).
enum class MessageStyle : int { YesNo = 4, Exclamation = 48 };
enum class MessageAnswer : int { Ok = 1, Yes = 6, No = 7 };

// A top-level window as the platform knows it; 0 for none. The channel finds the
// host once per step and passes it on, so every check of a step is about one window.
using WindowRef = std::uintptr_t;

class Desktop {
   public:
    virtual ~Desktop() = default;

    // The top-level window titled `title` (exactly; else one whose title begins
    // with it), not one of ours; 0 when there is none.
    virtual WindowRef FindHost(std::string_view title) = 0;

    // Asks the system to bring `host` to the foreground. False when that cannot be
    // done at all (the window is gone or hung); the change itself may come a moment later.
    virtual bool RequestForeground(WindowRef host) = 0;

    // True when the foreground window belongs to the process of `host`.
    virtual bool IsForeground(WindowRef host) = 0;

    // The keyboard layout of the foreground window's thread.
    virtual Layout ForegroundLayout() = 0;

    // Modifier keys (HeldBits) down right now.
    virtual std::uint8_t HeldModifiers() = 0;

    // Injects the events in one piece and returns once the thread of `host` (the
    // foreground window's) has processed them. Throws ForegroundLostError, having sent
    // nothing, when the host is not in front; KeysCutError when the host lost the
    // foreground before it had all of them; HostError when input is blocked or only
    // part of it was taken.
    virtual void Inject(WindowRef host, std::span<const KeyEvent> events) = 0;

    // Whether Shift is down at this moment, wherever the keyboard's input goes.
    virtual bool ShiftDown() = 0;

    virtual Clock::time_point Now() = 0;

    // Dispatches window events until `deadline`, without keeping a core busy.
    virtual void ProcessEventsUntil(Clock::time_point deadline) = 0;

    virtual MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
};

}  // namespace kelo
