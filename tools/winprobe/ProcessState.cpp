#include "ProcessState.h"

#include <psapi.h>

namespace {

unsigned long long PrivateBytesOf(DWORD pid) {
    unsigned long long bytes = 0;
    if (HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
            bytes = counters.PrivateUsage;
        CloseHandle(process);
    }
    return bytes;
}

}  // namespace

std::string ProcessStateJson(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    DWORD_PTR answer = 0;
    const bool answers = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) != 0;
    // The async state is the one every program shares; a key a test holds shows here.
    static constexpr struct {
        int vk;
        const char* name;
    } kKeys[] = {{VK_LSHIFT, "lshift"}, {VK_RSHIFT, "rshift"}, {VK_LCONTROL, "lctrl"}, {VK_RCONTROL, "rctrl"},
                 {VK_LMENU, "lalt"},    {VK_RMENU, "ralt"},    {VK_LWIN, "lwin"},      {VK_RWIN, "rwin"}};
    std::string down;
    for (const auto& key : kKeys)
        if (GetAsyncKeyState(key.vk) & 0x8000) down += std::string(down.empty() ? "" : ",") + "\"" + key.name + "\"";
    std::string out = "{\"pid\":" + std::to_string(pid) + ",\"private\":" + std::to_string(PrivateBytesOf(pid));
    out += std::string(",\"answers\":") + (answers ? "true" : "false");
    out += ",\"down\":[" + down + "]";
    out += std::string(",\"caps\":") + ((GetKeyState(VK_CAPITAL) & 1) ? "true" : "false");
    return out + "}";
}
