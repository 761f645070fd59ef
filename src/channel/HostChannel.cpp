#include "channel/HostChannel.h"

#include <chrono>
#include <algorithm>
#include <cmath>

#include "channel/KeyString.h"
#include "channel/Texts.h"
#include "channel/Utf.h"
#include "profiles/NumberRules.h"

namespace kelo {

namespace {

// A wait longer than a day is a typing mistake in the settings, not a wish;
// capping it also keeps the deadline arithmetic finite.
constexpr double kLongestWaitSeconds = 24.0 * 60 * 60;

}  // namespace

void HostChannel::WaitSeconds(double seconds) {
    const auto start = desktop_.Now();
    if (!(seconds > 0)) return;  // zero, negative (and NaN) return at once, processing nothing
    seconds = std::min(seconds, kLongestWaitSeconds);
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    desktop_.ProcessEventsUntil(deadline);
}

void HostChannel::WaitSeconds(std::string_view secondsText) { WaitSeconds(ParseNumber(secondsText)); }

void HostChannel::ActivateHost() {
    // An empty title would match every window: never guess where to type.
    if (settings_.appName.empty()) throw HostError("no host title");
    if (!desktop_.ActivateWindow(settings_.appName)) throw HostError("host window not found");
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
    // Between two key strings the user may have clicked another program, or
    // the host may have closed: type only into the host, activating it once more.
    if (settings_.appName.empty()) throw HostError("no host title");
    if (!desktop_.ForegroundIsHost(settings_.appName)) {
        if (!desktop_.ActivateWindow(settings_.appName) || !desktop_.ForegroundIsHost(settings_.appName))
            throw HostError("host is not in the foreground");
    }
    const auto events = PlanKeys(strokes, desktop_.HeldModifiers(), desktop_.ForegroundLayout());
    desktop_.Inject(events);
}

bool RunHostCommand(HostChannel& channel, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (...) {
    }
    try {
        channel.desktop().ShowMessage(texts::kStartHostFirst, texts::kMenuMessageTitle, MessageStyle::Exclamation);
    } catch (...) {
    }
    return false;
}

bool RunSilently(const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace kelo
