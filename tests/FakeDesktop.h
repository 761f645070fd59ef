#pragma once
// A desktop that records what the channel does, as one readable transcript:
// "[activate T]" "[wait 0.1]" "[message T|title|48]", and typed text with
// "^C" for Ctrl+C and "\r" for Enter.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "channel/Desktop.h"
#include "channel/Utf.h"

namespace kelo::testing {

class FakeDesktop : public Desktop {
   public:
    std::vector<std::string> windows{"Creo Elements/Direct Drafting 20.3"};
    std::string foreground;      // title of the foreground window
    bool shift = false;           // what GetKeyState(VK_SHIFT) says
    std::uint8_t held = 0;        // HeldBits physically down
    bool blockInput = false;      // Inject throws, as for a host with higher rights
    std::string transcript;
    std::vector<KeyEvent> events;
    Clock::time_point now{};
    int eventPumps = 0;
    std::function<void()> onWait;  // runs inside a wait, as a click during it would
    MessageAnswer answer = MessageAnswer::Ok;

    bool ActivateWindow(std::string_view title) override {
        transcript += "[activate " + std::string(title) + "]";
        if (auto w = Find(title)) {
            foreground = *w;
            return true;
        }
        return false;
    }
    bool ForegroundIsHost(std::string_view title) override {
        auto w = Find(title);
        return w && *w == foreground;
    }
    Layout ForegroundLayout() override {
        // No character maps to a key: text goes as Unicode events, "^C" as Ctrl + the C key.
        return [](char16_t) -> std::optional<LayoutKey> { return std::nullopt; };
    }
    std::uint8_t HeldModifiers() override { return held; }
    void Inject(std::span<const KeyEvent> evs) override {
        if (blockInput) throw std::runtime_error("blocked");
        bool ctrl = false;
        for (const KeyEvent& e : evs) {
            events.push_back(e);
            if (e.unicode) {
                if (!e.up) transcript += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(e.scan)));
                continue;
            }
            if (e.vkey == 0x11 || e.vkey == 0xA2 || e.vkey == 0xA3) ctrl = !e.up;
            if (e.up) continue;
            if (e.vkey == 0x0D) transcript += "\r";
            else if (ctrl && e.vkey >= 'A' && e.vkey <= 'Z') transcript += std::string("^") + char(e.vkey);
        }
    }
    bool ShiftDown() override { return shift; }
    Clock::time_point Now() override { return now; }
    void ProcessEventsUntil(Clock::time_point deadline) override {
        const double s = std::chrono::duration<double>(deadline - now).count();
        char buf[32];
        std::snprintf(buf, sizeof buf, "[wait %g]", s);
        transcript += buf;
        ++eventPumps;
        now = deadline;
        if (onWait) {
            auto once = std::move(onWait);
            onWait = nullptr;
            once();
        }
    }
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        transcript += "[message " + std::string(text) + "|" + std::string(title) + "|" +
                      std::to_string(static_cast<int>(style)) + "]";
        return answer;
    }

   private:
    std::optional<std::string> Find(std::string_view title) {
        if (title.empty()) return std::nullopt;
        for (auto& w : windows)
            if (w == title) return w;
        for (auto& w : windows)
            if (w.size() > title.size() && w.compare(0, title.size(), title) == 0) return w;
        return std::nullopt;
    }
};

}  // namespace kelo::testing
