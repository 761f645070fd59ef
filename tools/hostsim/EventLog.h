#pragma once
// The host's event log: UTF-8 lines, each written through to the file at once so a
// test reading it meanwhile sees every event.
#include <cstdint>
#include <string>
#include <string_view>

namespace kelo::hostsim {

// Microseconds from QueryPerformanceCounter; under Wine the same clock as Linux's
// CLOCK_MONOTONIC_RAW.
std::int64_t NowMicros();

class EventLog {
public:
    EventLog() = default;
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;
    ~EventLog();

    // Creates or truncates the file. An empty path or a failure leaves the log off.
    bool Open(const std::string& utf8Path);
    // Appends `line` and a line feed.
    void Write(std::string_view line);

private:
    void* file_ = nullptr;  // HANDLE
};

}  // namespace kelo::hostsim
