// channel_bench: drives the toolbar's own channel code (HostChannel over Win32Desktop)
// into a running host, for figures no toolbar button gives, and asks Win32 what the
// toolbar's steps cost. tools/bench/bench.py runs it; it prints plain lines.
//
//   channel_bench type TITLE CHARS RUNS [DTIME1 DTIME2]
//       Runs a command RUNS times: the opening (activate, DTIME1, "^C", DTIME2), a line
//       of CHARS characters, Enter (no wait after it here); waits 0 by default. One line
//       a run: "RUN <call us> <return us>", QueryPerformanceCounter microseconds, the
//       clock of the stand-in host's log, so the caller sees when each key was handled.
//   channel_bench profile TITLE CALLS
//       Median cost in microseconds of each platform call the channel makes, or made,
//       per key string or per character: "STEP <name> <us>".
//   channel_bench mem TITLE
//       "MEM <private bytes> <working set bytes> <GDI objects> <USER objects>" of the
//       process that owns the window.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "channel/Desktop_win.h"
#include "channel/HostChannel.h"
#include "text/WinText_win.h"

namespace {

std::int64_t NowMicros() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const std::int64_t c = counter.QuadPart;
    return c / frequency * 1000000 + c % frequency * 1000000 / frequency;
}

// A command-like mix: upper-case words, digits, "_", ",", ".", "-" and blanks, so the
// line needs Shift changes the way the toolbar's own lines do.
std::string CommandLikeLine(std::size_t chars) {
    static constexpr std::string_view kPattern = "LINE TWO_PTS 12.5,-30.25 ARC CEN_BEG_END 0,7.5 ";
    std::string line;
    while (line.size() < chars) line += kPattern;
    line.resize(chars);
    if (!line.empty() && line.back() == ' ') line.back() = 'X';
    return line;
}

int Type(const std::string& title, std::size_t chars, int runs, const std::string& dTime1, float dTime2) {
    kelo::Win32Desktop desktop;
    kelo::ChannelSettings settings{title, dTime1, dTime2};
    kelo::HostChannel channel(desktop, settings);
    const std::string line = CommandLikeLine(chars);
    for (int i = 0; i < runs; ++i) {
        try {
            const std::int64_t call = NowMicros();
            channel.BeginHostCommand();
            channel.Type(line);
            settings.dTime2 = 0;  // the caller waits for the host's last key, not for this
            channel.SendEnter();
            settings.dTime2 = dTime2;
            const std::int64_t back = NowMicros();
            std::printf("RUN %lld %lld\n", static_cast<long long>(call), static_cast<long long>(back));
        } catch (const std::exception& e) {
            std::printf("FAIL %s\n", e.what());
        }
        std::fflush(stdout);
        // Let the host repaint between runs, as it would between two clicks.
        desktop.ProcessEventsUntil(kelo::Clock::now() + std::chrono::milliseconds(30));
    }
    return 0;
}

double MedianMicros(int calls, const std::function<void()>& step) {
    std::vector<double> times;
    times.reserve(calls);
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    for (int i = 0; i < calls; ++i) {
        QueryPerformanceCounter(&a);
        step();
        QueryPerformanceCounter(&b);
        times.push_back(static_cast<double>(b.QuadPart - a.QuadPart) * 1e6 / static_cast<double>(f.QuadPart));
    }
    std::nth_element(times.begin(), times.begin() + calls / 2, times.end());
    return times[calls / 2];
}

int Profile(const std::string& title, int calls) {
    kelo::Win32Desktop desktop;
    const kelo::WindowRef host = desktop.FindHost(title);
    if (!host) {
        std::printf("FAIL no window %s\n", title.c_str());
        return 1;
    }
    HWND hwnd = reinterpret_cast<HWND>(host);
    const HKL hkl = GetKeyboardLayout(GetWindowThreadProcessId(hwnd, nullptr));
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(hwnd, &pid);
    auto report = [&](const char* name, const std::function<void()>& step) {
        std::printf("STEP %s %.1f\n", name, MedianMicros(calls, step));
        std::fflush(stdout);
    };
    report("find_host_window_enumerating", [&] { kelo::Win32Desktop().FindHost(title); });
    report("find_host_window_found_before", [&] { desktop.FindHost(title); });
    report("is_foreground", [&] { desktop.IsForeground(host); });
    report("layout_of_foreground", [&] { desktop.ForegroundLayout(); });
    report("held_modifiers", [&] { desktop.HeldModifiers(); });
    report("vk_key_scan_per_char", [&] { VkKeyScanExW(L'A', hkl); });
    report("map_virtual_key_per_key", [&] { MapVirtualKeyExW('A', MAPVK_VK_TO_VSC_EX, hkl); });
    report("elevation_check", [&] {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        HANDLE token = nullptr;
        if (process && OpenProcessToken(process, TOKEN_QUERY, &token)) {
            TOKEN_ELEVATION elevation{};
            DWORD size = 0;
            GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
            CloseHandle(token);
        }
        if (process) CloseHandle(process);
    });
    report("wm_null_round_trip", [&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &ignored);
    });
    report("get_key_state", [&] { GetKeyState(VK_F24); });
    report("attach_and_detach_input", [&] {
        AttachThreadInput(GetCurrentThreadId(), tid, TRUE);
        AttachThreadInput(GetCurrentThreadId(), tid, FALSE);
    });
    return 0;
}

int Memory(const std::string& title) {
    kelo::Win32Desktop desktop;
    HWND hwnd = reinterpret_cast<HWND>(desktop.FindHost(title));
    DWORD pid = 0;
    if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!process ||
        !GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        std::printf("FAIL no process for %s\n", title.c_str());
        if (process) CloseHandle(process);
        return 1;
    }
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS), user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    std::printf("MEM %llu %llu %lu %lu\n", static_cast<unsigned long long>(counters.PrivateUsage),
                static_cast<unsigned long long>(counters.WorkingSetSize), static_cast<unsigned long>(gdi),
                static_cast<unsigned long>(user));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(kelo::Narrow(argv[i]));
    if ((args.size() == 4 || args.size() == 6) && args[0] == "type") {
        const std::string dTime1 = args.size() == 6 ? args[4] : "0";
        const float dTime2 = args.size() == 6 ? std::strtof(args[5].c_str(), nullptr) : 0.0f;
        return Type(args[1], std::strtoul(args[2].c_str(), nullptr, 10), std::atoi(args[3].c_str()), dTime1, dTime2);
    }
    if (args.size() == 3 && args[0] == "profile") return Profile(args[1], std::max(1, std::atoi(args[2].c_str())));
    if (args.size() == 2 && args[0] == "mem") return Memory(args[1]);
    std::fprintf(stderr, "usage: channel_bench type TITLE CHARS RUNS [DTIME1 DTIME2] | profile TITLE CALLS | mem TITLE\n");
    return 2;
}
