#include "EventLog.h"

#include <windows.h>

#include "Text_win.h"

namespace kelo::hostsim {

std::int64_t NowMicros() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    std::int64_t c = counter.QuadPart;
    // Split so that counter * 1e6 cannot overflow.
    return c / frequency * 1000000 + c % frequency * 1000000 / frequency;
}

EventLog::~EventLog() {
    if (file_) CloseHandle(file_);
}

bool EventLog::Open(const std::string& utf8Path) {
    if (utf8Path.empty()) return false;
    HANDLE file = CreateFileW(Widen(utf8Path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    file_ = file;
    return true;
}

void EventLog::Write(std::string_view line) {
    if (!file_) return;
    std::string buffer(line);
    buffer += '\n';
    // One unbuffered WriteFile per line: the reader never sees half a line.
    DWORD written = 0;
    WriteFile(file_, buffer.data(), static_cast<DWORD>(buffer.size()), &written, nullptr);
}

}  // namespace kelo::hostsim
