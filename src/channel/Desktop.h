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

class Desktop {
   public:
    virtual ~Desktop() = default;

    // Brings the top-level window titled `title` (exactly; else one whose title
    // begins with it) to the foreground. False when none exists or it cannot be
    // brought to the foreground.
    virtual bool ActivateWindow(std::string_view title) = 0;

    // True when the foreground window belongs to the process that owns a
    // window titled (or beginning with) `title`.
    virtual bool ForegroundIsHost(std::string_view title) = 0;

    // The keyboard layout of the foreground window's thread.
    virtual Layout ForegroundLayout() = 0;

    // Modifier keys (HeldBits) down right now.
    virtual std::uint8_t HeldModifiers() = 0;

    // Injects the events in one piece and returns once the foreground
    // window's thread has processed them. Throws when input is blocked or
    // only part of it was taken.
    virtual void Inject(std::span<const KeyEvent> events) = 0;

    // GetKeyState(VK_SHIFT) < 0 for the calling thread.
    virtual bool ShiftDown() = 0;

    virtual Clock::time_point Now() = 0;

    // Dispatches window events until `deadline`, without keeping a core busy.
    virtual void ProcessEventsUntil(Clock::time_point deadline) = 0;

    virtual MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
};

}  // namespace kelo
