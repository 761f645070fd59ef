#include "channel/HostChannel.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "channel/KeyString.h"
#include "text/Texts.h"
#include "text/Utf.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

// The waits let a slow host keep up; one longer than a minute is a typing
// mistake in the settings ("1e9"), and the command must still come to an end
// in a time a person waits for. Capping also keeps the deadline arithmetic finite.
constexpr double kLongestWaitSeconds = 60;

// How long the system may take to hand the foreground to the host, and how often
// it is asked meanwhile (under Wine the foreground is briefly no window at all).
constexpr auto kActivationTimeout = std::chrono::milliseconds(1000);
constexpr auto kActivationPoll = std::chrono::milliseconds(1);
// The system may hand the foreground back to another window a moment after giving it to
// the host (under Wine the toolbar takes it back once a modal dialog of its own has
// closed): the request is repeated this often until the host holds it.
constexpr auto kActivationRetry = std::chrono::milliseconds(50);

// How often one key string brings the host back when another program keeps taking the
// foreground between that and the typing; then the command fails as for a lost host.
constexpr int kTypingAttempts = 3;

}  // namespace

void HostChannel::WaitSeconds(double seconds) {
    const auto start = desktop_.Now();
    if (!(seconds > 0)) return;  // zero, negative (and NaN) return at once, processing nothing
    seconds = std::min(seconds, kLongestWaitSeconds);
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    desktop_.ProcessEventsUntil(deadline);
}

void HostChannel::WaitSeconds(std::string_view secondsText) { WaitSeconds(ParseNumber(secondsText)); }

WindowRef HostChannel::FindHostWindow() {
    // An empty title would match every window: never guess where to type.
    if (settings_.appName.empty()) throw HostError("no host title");
    const WindowRef host = desktop_.FindHost(settings_.appName);
    if (host == 0) throw HostError("host window not found");
    return host;
}

void HostChannel::BringToFront(WindowRef host) {
    if (desktop_.IsForeground(host)) return;
    // A window that is gone or hung cannot be asked: that is the host's doing, not another window's.
    if (!desktop_.RequestForeground(host)) throw HostError("host cannot be brought to the front");
    auto asked = desktop_.Now();
    const auto until = asked + kActivationTimeout;
    while (!desktop_.IsForeground(host)) {
        const auto now = desktop_.Now();
        if (now >= until) throw ForegroundTakenError("host did not come to the front");
        if (now - asked >= kActivationRetry) {
            if (!desktop_.RequestForeground(host)) throw HostError("host cannot be brought to the front");
            asked = now;
        }
        desktop_.ProcessEventsUntil(std::min<Clock::time_point>(until, now + kActivationPoll));
    }
}

void HostChannel::ActivateHost() {
    BringToFront(FindHostWindow());
    WaitSeconds(std::string_view(settings_.dTime1));
}

void HostChannel::SendCancel() {
    SendKeyString(u"^C");
    WaitSeconds(static_cast<double>(settings_.dTime2));
}

void HostChannel::SendEnter() {
    SendKeyString(u"\r");
    WaitSeconds(static_cast<double>(settings_.dTime2));
}

void HostChannel::BeginHostCommand() {
    ActivateHost();
    SendCancel();
}

void HostChannel::Type(std::string_view keyString) { SendKeyString(Utf8ToUtf16(keyString)); }

bool HostChannel::IsShiftHeld() { return desktop_.ShiftDown(); }

void HostChannel::SendKeyString(std::u16string_view keys) {
    const auto strokes = ParseKeyString(keys);
    // Between two key strings the user may have clicked another program, or the
    // host may have closed: type only into the host, bringing it forward once more.
    const WindowRef host = FindHostWindow();
    for (int attempt = 1;; ++attempt) {
        BringToFront(host);
        const auto events = PlanKeys(strokes, desktop_.HeldModifiers(), desktop_.ForegroundLayout());
        try {
            desktop_.Inject(host, events);
            return;
        } catch (const ForegroundLostError&) {
            if (attempt == kTypingAttempts) throw;
        } catch (const KeysCutError& cut) {
            if (CancelCutLine(host)) throw ForegroundTakenError(cut.what());
            throw;
        }
    }
}

bool HostChannel::CancelCutLine(WindowRef host) {
    // The command fails all the same; where this cancel fails, the next command begins with its own.
    try {
        BringToFront(host);
        desktop_.Inject(host, PlanKeys(ParseKeyString(u"^C"), desktop_.HeldModifiers(), desktop_.ForegroundLayout()));
        return true;
    } catch (const ForegroundTakenError&) {
        return true;  // another window keeps taking the foreground
    } catch (const HostError&) {
        return false;  // the host did not take even the cancel: it is not answering
    }
}

namespace {

void ShowInternalError(Desktop& desktop) {
    desktop.ShowMessage(texts::kInternalError, texts::kMenuMessageTitle, MessageStyle::Exclamation);
}

}  // namespace

bool RunHostCommand(HostChannel& channel, const std::function<void()>& body) {
    std::string_view message = texts::kStartHostFirst;
    try {
        body();
        return true;
    } catch (const ImeOpenError&) {
        message = texts::kHostImeOpen;
    } catch (const ForegroundTakenError&) {
        message = texts::kHostForegroundTaken;
    } catch (const HostError&) {
    } catch (const NumberError&) {
    } catch (const std::overflow_error&) {  // a value beyond what can be typed
    } catch (...) {  // a fault of the program's own: said as one, never as a missing host
        message = texts::kInternalError;
    }
    channel.desktop().ShowMessage(message, texts::kMenuMessageTitle, MessageStyle::Exclamation);
    return false;
}

bool RunSilently(Desktop& desktop, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const HostError&) {
    } catch (const NumberError&) {
    } catch (const std::overflow_error&) {
    } catch (...) {  // not one of the errors these commands end on in silence
        ShowInternalError(desktop);
    }
    return false;
}

void RunEvent(Desktop& desktop, const std::function<void()>& body) {
    try {
        body();
    } catch (...) {  // see the declaration: nothing a handler meant reaches here
        ShowInternalError(desktop);
    }
}

}  // namespace kelo
