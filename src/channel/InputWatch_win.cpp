#include "channel/InputWatch_win.h"

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

HostInputWatch::HostInputWatch(HWND target, DWORD inputThread, WORD marker)
    : target_(target), marker_(marker), ourThread_(GetCurrentThreadId()) {
    // A hung host would hold our shared input hostage; its keys are queued all the same.
    if (HostStopped(target)) return;
    inputThread_ = inputThread;
    if (!inputThread_ || inputThread_ == ourThread_) return;
    attached_ = AttachThreadInput(ourThread_, inputThread_, TRUE) != FALSE;
}

HostInputWatch::~HostInputWatch() {
    ReleaseMarker();
    if (attached_) AttachThreadInput(ourThread_, inputThread_, FALSE);
}

void HostInputWatch::AppendMarker(std::vector<INPUT>& inputs, ULONG_PTR tag) {
    if (!attached_) return;
    inputs.push_back(VirtualKeyInput(marker_, false, tag));
    tag_ = tag;
    pressed_ = true;
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

void HostInputWatch::ReleaseMarker() {
    if (!pressed_) return;
    if (!HostInFront()) {
        // Not one key, not even this release, may reach another program.
        pressed_ = false;
        owed_ = true;
        return;
    }
    INPUT release = VirtualKeyInput(marker_, true, tag_);
    SendInput(1, &release, sizeof release);
    pressed_ = false;
}

void HostInputWatch::WaitUntilHandled(std::size_t inputCount) {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + kLongestWait + kPerKey * static_cast<long long>(inputCount);
    if (attached_) {
        // The shared key state changes as the host's thread takes each key, not when the
        // key is queued. (A toggle bit would need the state before the batch, and Wine
        // clears the shared state when threads attach: only a press held down is sure.)
        auto nextCheck = start + kHostCheckPeriod;
        while (GetKeyState(marker_) >= 0) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) break;
            if (now >= nextCheck) {
                if (HostStopped(target_)) break;
                nextCheck = now + kHostCheckPeriod;
            }
            WaitBriefly();
        }
        hostHadTheKeys_ = GetKeyState(marker_) < 0 && HostInFront();
        ReleaseMarker();
        return;
    }
    // Without shared input state: a message sent to the host is handled only when its
    // thread next asks for a message, and an ordinary message loop takes at most one
    // queued message per request. Each key event gives at most two messages (the key
    // and the character TranslateMessage posts), so one round trip per message, plus
    // one, outlasts the last key. Slow, but still exact.
    for (std::size_t i = 0; i < 2 * inputCount + 1; ++i) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(target_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &ignored)) return;
        if (std::chrono::steady_clock::now() >= deadline) return;
    }
    hostHadTheKeys_ = HostInFront();
}

}  // namespace kelo
