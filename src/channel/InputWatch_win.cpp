#include "channel/InputWatch_win.h"

#include <algorithm>
#include <iterator>

namespace kelo {

namespace {

// How often a wait looks whether the host has gone or hung. Every call made while
// waiting is one more request for the one wineserver (or win32k) that the host's
// own message loop needs too: the waits ask little.
constexpr auto kHostCheckPeriod = std::chrono::milliseconds(50);

bool HostStopped(HWND target) { return !IsWindow(target) || IsHungAppWindow(target); }

// Sleeps a millisecond, but handles messages other threads send us, so that a host
// waiting on one of our windows cannot deadlock with us; nothing posted is dispatched,
// so no click runs in between.
void WaitBriefly() {
    if (MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

INPUT VirtualKeyInput(WORD vk, bool up, ULONG_PTR tag) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.ki.dwExtraInfo = tag;
    return in;
}

DWORD InputThreadOf(HWND window) {
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    GUITHREADINFO info{sizeof info};
    if (thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus)
        thread = GetWindowThreadProcessId(info.hwndFocus, nullptr);
    return thread;
}

HostInputWatch::HostInputWatch(HWND target, DWORD inputThread, WORD firstMarker, std::size_t reserved)
    : target_(target), next_(firstMarker), reserved_(reserved), ourThread_(GetCurrentThreadId()) {
    // A hung host would hold our shared input hostage; its keys are queued all the same.
    if (HostStopped(target)) return;
    inputThread_ = inputThread;
    if (!inputThread_ || inputThread_ == ourThread_) return;
    attached_ = AttachThreadInput(ourThread_, inputThread_, TRUE) != FALSE;
}

HostInputWatch::~HostInputWatch() {
    ReleaseMarkers();
    if (attached_) AttachThreadInput(ourThread_, inputThread_, FALSE);
}

WORD HostInputWatch::FollowingMarker(WORD marker) {
    const auto* at = std::find(std::begin(kMarkerKeys), std::end(kMarkerKeys), marker);
    return at == std::end(kMarkerKeys) || at + 1 == std::end(kMarkerKeys) ? kMarkerKeys[0] : at[1];
}

void HostInputWatch::AppendMarker(std::vector<INPUT>& inputs, ULONG_PTR tag, std::size_t count) {
    inputs_ += count;
    sent_ = true;
    if (!attached_) return;
    inputs.push_back(VirtualKeyInput(next_, false, tag));
    pressed_.push_back(next_);
    ++used_;
    next_ = FollowingMarker(next_);
    tag_ = tag;
}

void HostInputWatch::AppendRelease(std::vector<INPUT>& inputs, WORD marker, ULONG_PTR tag) {
    inputs.push_back(VirtualKeyInput(marker, true, tag));
}

bool HostInputWatch::HostInFront() const {
    DWORD frontProcess = 0, targetProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &frontProcess);
    GetWindowThreadProcessId(target_, &targetProcess);
    return frontProcess != 0 && frontProcess == targetProcess;
}

void HostInputWatch::ReleaseMarkers() {
    if (pressed_.empty()) return;
    if (!HostInFront()) {
        // Not one key, not even these releases, may reach another program.
        owed_ = pressed_;
        pressed_.clear();
        return;
    }
    std::vector<INPUT> releases;
    for (WORD marker : pressed_) AppendRelease(releases, marker, tag_);
    SendInput(static_cast<UINT>(releases.size()), releases.data(), sizeof(INPUT));
    pressed_.clear();
}

void HostInputWatch::WaitUntilHandled() {
    if (!sent_) {  // no batch went out: nothing to wait for
        hostHadTheKeys_ = true;
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + kLongestWait + kPerKey * static_cast<long long>(inputs_);
    if (attached_) {
        // The shared key state changes as the host's thread takes each key, not when the
        // key is queued. (A toggle bit would need the state before the batch, and Wine
        // clears the shared state when threads attach: only a press held down is sure.)
        auto nextCheck = start + kHostCheckPeriod;
        const WORD last = pressed_.back();
        while (GetKeyState(last) >= 0) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) break;
            if (now >= nextCheck) {
                if (HostStopped(target_)) break;
                nextCheck = now + kHostCheckPeriod;
            }
            WaitBriefly();
        }
        // Every marker down in the host's own key state, and the host still in front: its
        // thread took every batch (under Wine the key state alone has shown a marker that
        // another program took).
        hostHadTheKeys_ = std::all_of(pressed_.begin(), pressed_.end(), [](WORD m) { return GetKeyState(m) < 0; }) &&
                          HostInFront();
        ReleaseMarkers();
        return;
    }
    // Without shared input state: a message sent to the host is handled only when its
    // thread next asks for a message, and an ordinary message loop takes at most one
    // queued message per request. Each key event gives at most two messages (the key
    // and the character TranslateMessage posts), so one round trip per message, plus
    // one, outlasts the last key. Slow, but still exact.
    for (std::size_t i = 0; i < 2 * inputs_ + 1; ++i) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(target_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &ignored)) return;
        if (std::chrono::steady_clock::now() >= deadline) return;
    }
    hostHadTheKeys_ = HostInFront();
}

}  // namespace kelo
