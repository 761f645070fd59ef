#pragma once
// The host command channel: activating the host, typing key strings with the
// waits between them, the Shift test, and the command frame with its trap.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "channel/Desktop.h"

namespace kelo {

// What the channel reads of the settings at every use.
struct ChannelSettings {
    std::string appName;  // host window title or its beginning
    std::string dTime1;   // seconds after activation, as text: converted at each use
    float dTime2 = 0.1f;  // seconds after each cancel and each Enter
};

// Raised by the channel's steps; the command frame's trap catches it.
class HostError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

// Another window kept the foreground from the host, or took it while the command was
// typing: the host is there, but the command was cancelled for it.
class ForegroundTakenError : public HostError {
   public:
    using HostError::HostError;
};

// Another program took the foreground after the host was brought forward and before
// the keys went out: nothing was typed, and the channel brings the host back again.
class ForegroundLostError : public ForegroundTakenError {
   public:
    using ForegroundTakenError::ForegroundTakenError;
};

// The host did not take a whole key string: another window took the foreground while it
// was on its way (the rest went elsewhere or nowhere), or the host stopped answering.
// Either way the host's line may be cut short: the channel cancels that line and the
// command ends; no Enter may run what is left of it. Where the host takes the cancel, it
// was another window that cut the line, and the channel says so with ForegroundTakenError.
class KeysCutError : public HostError {
   public:
    using HostError::HostError;
};

// The host's input method is open (kana input) and would not close: nothing was typed.
// The trap tells the user this instead of the one message, which is about a missing host.
class ImeOpenError : public HostError {
   public:
    using HostError::HostError;
};

class HostChannel {
   public:
    // Contract: both outlive the channel; `settings` may change between calls.
    HostChannel(Desktop& desktop, const ChannelSettings& settings) : desktop_(desktop), settings_(settings) {}

    void WaitSeconds(double seconds);
    void WaitSeconds(std::string_view secondsText);  // throws when the text is not a number
    void ActivateHost();
    void SendCancel();
    void SendEnter();
    void BeginHostCommand();
    // Types one key string in the SendKeys notation (UTF-8); no wait follows.
    void Type(std::string_view keyString);
    bool IsShiftHeld();

    Desktop& desktop() { return desktop_; }

   private:
    // The host window of this step; throws when there is none.
    WindowRef FindHostWindow();
    // Brings `host` to the foreground and waits, with the windows live, until it is there.
    void BringToFront(WindowRef host);
    void SendKeyString(std::u16string_view keys);
    // After KeysCutError: brings the host back and cancels its cut line, as far as it can.
    // True when the host took the cancel, or another window keeps it from the front: then
    // it was another window that cut the line, not a host that stopped answering.
    bool CancelCutLine(WindowRef host);

    Desktop& desktop_;
    const ChannelSettings& settings_;
};

// The command frame's error trap: runs `body`; an error ends it and shows the channel's
// one message for what that message names (no host window with the title, a text that
// is not a number), what to do about the input method for ImeOpenError, that another
// window was in front for ForegroundTakenError, and an internal error for anything else.
// Returns false when the trap fired.
bool RunHostCommand(HostChannel& channel, const std::function<void()>& body);

// Runs `body` with a trap that ends silently on the errors a command raises on purpose
// (the start-up command, the file commands, the arc dialogs' OK); anything else is a fault
// of the program's own and is told as an internal error.
bool RunSilently(Desktop& desktop, const std::function<void()>& body);

// An event's entry point: every error a handler means to raise is caught inside it, so
// whatever reaches here is a fault of the program's own. The user is told that the
// command stopped on an internal error, and nothing more is typed.
void RunEvent(Desktop& desktop, const std::function<void()>& body);

}  // namespace kelo
