#pragma once
// The channel's platform side on Win32: finding and activating the host,
// injecting keys into it, waiting while windows keep working.
#include <windows.h>

#include <string>

#include "channel/Desktop.h"

namespace kelo {

// Tag on every key event we inject, so a receiver (and our own tests) can tell them apart.
inline constexpr ULONG_PTR kInjectedTag = 0x4B454C4F;  // "KELO"

class Win32Desktop : public Desktop {
   public:
    // Message boxes are owned by `owner`'s last active popup (the open dialog, else the toolbar).
    void SetOwner(HWND owner) { owner_ = owner; }

    WindowRef FindHost(std::string_view title) override;
    bool RequestForeground(WindowRef host) override;
    bool IsForeground(WindowRef host) override;
    Layout ForegroundLayout() override;
    std::uint8_t HeldModifiers() override;
    void Inject(WindowRef host, std::span<const KeyEvent> events) override;
    bool ShiftDown() override;
    Clock::time_point Now() override;
    void ProcessEventsUntil(Clock::time_point deadline) override;
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override;

   private:
    HWND owner_ = nullptr;
    int nextMarker_ = 0;  // the marker key the next batch ends with
    WORD owedRelease_ = 0;  // a marker still down, released at the start of the next batch
    // What holds from one key string to the next (see FindHost and Inject).
    std::wstring foundTitle_;
    HWND foundHost_ = nullptr;      // the window last found with exactly that title
    DWORD checkedProcess_ = 0;      // a host process found not to outrank us ...
    HWND checkedWindow_ = nullptr;  // ... and one of its windows, alive while it is
};

}  // namespace kelo
