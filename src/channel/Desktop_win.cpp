#include "channel/Desktop_win.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "channel/HostChannel.h"
#include "channel/HostIme_win.h"
#include "channel/InputWatch_win.h"
#include "ui/Wait_win.h"
#include "text/WinText_win.h"

namespace kelo {

namespace {

struct FindState {
    std::wstring title;
    HWND exact = nullptr;
    HWND prefix = nullptr;
};

std::wstring TitleOf(HWND hwnd) {
    wchar_t buf[512];
    const int n = GetWindowTextW(hwnd, buf, 512);
    return std::wstring(buf, static_cast<std::size_t>(std::max(n, 0)));
}

BOOL CALLBACK CollectHost(HWND hwnd, LPARAM lp) {
    auto* st = reinterpret_cast<FindState*>(lp);
    if (!IsWindowVisible(hwnd)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;  // never type into ourselves
    const std::wstring text = TitleOf(hwnd);
    if (text == st->title) {
        st->exact = hwnd;
        return FALSE;
    }
    if (!st->prefix && text.size() > st->title.size() && text.compare(0, st->title.size(), st->title) == 0)
        st->prefix = hwnd;
    return TRUE;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// Elevation of a process; nullopt when it cannot be asked.
std::optional<bool> IsElevated(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL ok = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    if (!ok) return std::nullopt;
    return elevation.TokenIsElevated != 0;
}

// SendInput reports success even when the system drops input bound for a
// process of higher integrity, so ask before typing.
void RefuseIfHostIsElevated(HWND target) {
    static const std::optional<bool> ours = IsElevated(GetCurrentProcess());  // ours never change
    if (ours && *ours) return;  // nothing outranks us
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(target));
    if (!process) throw HostError("cannot inspect the host process");
    const auto theirs = IsElevated(process);
    CloseHandle(process);
    if (!theirs) throw HostError("cannot inspect the host process");
    if (*theirs) throw HostError("the host runs with higher rights");
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
        case VK_RMENU: case VK_RCONTROL: case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END:
        case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_DIVIDE: case VK_NUMLOCK: case VK_SNAPSHOT:
            return true;
        default:
            return false;
    }
}

INPUT ToInput(const KeyEvent& e, HKL layout) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.dwExtraInfo = kInjectedTag;
    if (e.unicode) {
        in.ki.wVk = 0;
        in.ki.wScan = e.scan;
        in.ki.dwFlags = KEYEVENTF_UNICODE;
    } else {
        in.ki.wVk = e.vkey;
        const UINT scan = MapVirtualKeyExW(e.vkey, MAPVK_VK_TO_VSC_EX, layout);
        in.ki.wScan = static_cast<WORD>(scan & 0xFF);
        if ((scan & 0xFF00) == 0xE000 || IsExtendedKey(e.vkey)) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    if (e.up) in.ki.dwFlags |= KEYEVENTF_KEYUP;
    return in;
}

HKL LayoutOfForeground() { return GetKeyboardLayout(InputThreadOf(GetForegroundWindow())); }

HWND HandleOf(WindowRef ref) { return reinterpret_cast<HWND>(ref); }

}  // namespace

WindowRef Win32Desktop::FindHost(std::string_view title) {
    if (title.empty()) return 0;
    std::wstring wanted = Widen(title);
    // Every key string asks again. The window found last time, still shown and still
    // titled exactly so, qualifies: asking it costs three calls, reading every window's
    // title dozens. A window found by the beginning of its title is not kept, since
    // one with the exact title may have opened since.
    if (foundHost_ && wanted == foundTitle_ && IsWindowVisible(foundHost_) && TitleOf(foundHost_) == wanted)
        return reinterpret_cast<WindowRef>(foundHost_);
    FindState st{std::move(wanted)};
    EnumWindows(CollectHost, reinterpret_cast<LPARAM>(&st));
    foundHost_ = st.exact;
    foundTitle_ = std::move(st.title);
    return reinterpret_cast<WindowRef>(st.exact ? st.exact : st.prefix);
}

bool Win32Desktop::RequestForeground(WindowRef ref) {
    HWND host = HandleOf(ref);
    if (!IsWindow(host) || IsHungAppWindow(host)) return false;
    if (IsIconic(host)) ShowWindow(host, SW_RESTORE);
    // The click on our window gave us the right to set the foreground; only what
    // GetForegroundWindow says afterwards counts (the channel waits for it).
    SetForegroundWindow(host);
    // Raised without waiting for the host's thread to do it: BringWindowToTop waits,
    // 4 to 12 ms under Wine, for a change the activation makes anyway.
    SetWindowPos(host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    return true;
}

bool Win32Desktop::IsForeground(WindowRef ref) {
    const DWORD hostPid = ProcessOf(HandleOf(ref));
    return hostPid != 0 && ProcessOf(GetForegroundWindow()) == hostPid;
}

Layout Win32Desktop::ForegroundLayout() {
    HKL hkl = LayoutOfForeground();
    return [hkl](char16_t ch) -> std::optional<LayoutKey> {
        const SHORT r = VkKeyScanExW(static_cast<WCHAR>(ch), hkl);
        if (r == -1) return std::nullopt;
        return LayoutKey{static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>((r >> 8) & 0xFF)};
    };
}

std::uint8_t Win32Desktop::HeldModifiers() {
    static constexpr std::pair<int, std::uint8_t> kKeys[] = {
        {VK_LSHIFT, kHeldLShift}, {VK_RSHIFT, kHeldRShift}, {VK_LCONTROL, kHeldLCtrl}, {VK_RCONTROL, kHeldRCtrl},
        {VK_LMENU, kHeldLAlt},    {VK_RMENU, kHeldRAlt},    {VK_LWIN, kHeldLWin},      {VK_RWIN, kHeldRWin},
    };
    std::uint8_t held = 0;
    for (auto [vk, bit] : kKeys)
        if (GetAsyncKeyState(vk) & 0x8000) held |= bit;
    return held;
}

void Win32Desktop::Inject(WindowRef host, std::span<const KeyEvent> events) {
    // The keys go to the foreground window: the host's own, or one of its dialogs.
    HWND target = GetForegroundWindow();
    if (!target || ProcessOf(target) != ProcessOf(HandleOf(host)))
        throw ForegroundLostError("the host is not in front");
    // A process keeps its rights for life and lives at least as long as its windows:
    // ask once per host process, not once per key string.
    const DWORD process = ProcessOf(target);
    if (process != checkedProcess_ || !IsWindow(checkedWindow_) || ProcessOf(checkedWindow_) != process) {
        RefuseIfHostIsElevated(target);
        checkedProcess_ = process;
        checkedWindow_ = target;
    }
    const DWORD inputThread = InputThreadOf(target);
    const HKL hkl = GetKeyboardLayout(inputThread);

    std::vector<INPUT> inputs;
    inputs.reserve(events.size() + 5);
    if (owedRelease_) HostInputWatch::AppendRelease(inputs, owedRelease_, kInjectedTag);
    // Caps Lock would invert letters typed as keys: switch it off around the text.
    const bool capsOn = (GetKeyState(VK_CAPITAL) & 1) != 0;
    const INPUT capsLock[] = {VirtualKeyInput(VK_CAPITAL, false, kInjectedTag),
                              VirtualKeyInput(VK_CAPITAL, true, kInjectedTag)};
    if (capsOn) inputs.insert(inputs.end(), std::begin(capsLock), std::end(capsLock));
    for (const KeyEvent& e : events) inputs.push_back(ToInput(e, hkl));
    if (capsOn) inputs.insert(inputs.end(), std::begin(capsLock), std::end(capsLock));

    // Closed until the host has taken the keys, open again for whatever the user types next.
    HostImeClosed ime(target, inputThread);
    HostInputWatch watch(target, inputThread, kMarkerKeys[nextMarker_]);
    nextMarker_ ^= 1;
    // Asking the input method and sharing input state take a round trip or two, time
    // enough for another program to come to the front: look once more, last thing.
    if (GetForegroundWindow() != target) throw ForegroundLostError("the host is not in front");
    watch.AppendMarker(inputs, kInjectedTag);
    // One call: the system does not interleave the user's own keys into it.
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw HostError("input was blocked");
    owedRelease_ = 0;  // went out first in this batch
    watch.WaitUntilHandled(inputs.size());
    owedRelease_ = watch.OwedRelease();
    // A program that comes to the front while the keys are on their way takes the rest of
    // them, and a host that stops answering never takes them: its line is cut short.
    if (!watch.HostHadTheKeys())
        throw KeysCutError("the host did not take the keys");
}

// The physical state, not this thread's: while the host is in front our thread
// no longer sees the keys, and a Shift let go during the waits must read as up.
bool Win32Desktop::ShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

Clock::time_point Win32Desktop::Now() { return Clock::now(); }

// Windows keep repainting and taking clicks during a wait, and a click's whole
// command runs inside it; the thread sleeps in between.
void Win32Desktop::ProcessEventsUntil(Clock::time_point deadline) { kelo::ProcessEventsUntil(deadline); }

MessageAnswer Win32Desktop::ShowMessage(std::string_view text, std::string_view title, MessageStyle style) {
    HWND owner = owner_ ? GetLastActivePopup(owner_) : nullptr;
    if (owner && !IsWindowEnabled(owner)) owner = owner_;
    const UINT type = style == MessageStyle::YesNo ? MB_YESNO : (MB_OK | MB_ICONEXCLAMATION);
    const int r = MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), type | MB_SETFOREGROUND);
    return static_cast<MessageAnswer>(r);
}

}  // namespace kelo
