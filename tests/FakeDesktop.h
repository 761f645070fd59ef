#pragma once
// A desktop that records what the channel does, as one readable transcript:
// "[activate T]" (the host asked to the front) "[wait 0.1]" "[message T|title|48]", and typed text with
// "^C" for Ctrl+C and "\r" for Enter.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "channel/Desktop.h"
#include "channel/HostChannel.h"
#include "text/Texts.h"
#include "text/Utf.h"

namespace kelo::testing {

// The host as the default settings name it, and how its activation reads in a transcript.
inline const std::string kHost(texts::kDefaultHostTitle);
inline const std::string kActivateHost = "[activate " + kHost + "]";

class FakeDesktop : public Desktop {
   public:
    std::vector<std::string> windows{kHost};
    std::string foreground;      // title of the foreground window
    bool shift = false;           // what GetKeyState(VK_SHIFT) says
    std::uint8_t held = 0;        // HeldBits physically down
    bool blockInput = false;      // Inject throws, as for a host with higher rights
    bool imeStaysOpen = false;    // Inject refuses, as for a host whose input method will not close
    int thefts = 0;               // so many Injects find another window brought forward just before
    int cuts = 0;                 // so many Injects lose the foreground halfway: the first key only arrives
    int takeBack = 0;             // so many requests are undone at once: another window takes the foreground back
    std::string transcript;
    std::vector<KeyEvent> events;
    Clock::time_point now{};
    int eventPumps = 0;
    std::function<void()> onWait;  // runs inside a wait, as a click during it would
    MessageAnswer answer = MessageAnswer::Ok;

    // A window is known by its place in `windows`, counted from 1.
    WindowRef FindHost(std::string_view title) override {
        if (title.empty()) return 0;
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i] == title) return i + 1;
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i].size() > title.size() && windows[i].compare(0, title.size(), title) == 0) return i + 1;
        return 0;
    }
    bool RequestForeground(WindowRef host) override {
        if (host == 0 || host > windows.size()) return false;
        transcript += "[activate " + windows[host - 1] + "]";
        foreground = windows[host - 1];
        if (takeBack > 0) {
            --takeBack;
            foreground = "Kelo Menu";
        }
        return true;
    }
    bool IsForeground(WindowRef host) override {
        return host != 0 && host <= windows.size() && windows[host - 1] == foreground;
    }
    Layout ForegroundLayout() override {
        // No character maps to a key: text goes as Unicode events, "^C" as Ctrl + the C key.
        return [](char16_t) -> std::optional<LayoutKey> { return std::nullopt; };
    }
    std::uint8_t HeldModifiers() override { return held; }
    void Inject(WindowRef, std::span<const KeyEvent> evs) override {
        if (blockInput) throw HostError("blocked");
        if (imeStaysOpen) throw ImeOpenError("input method open");
        if (thefts > 0) {
            --thefts;
            foreground = "Thief";
            transcript += "[stolen]";
            throw ForegroundLostError("not in front");
        }
        bool ctrl = false;
        const bool cut = cuts > 0;
        if (cut) --cuts;
        for (const KeyEvent& e : evs) {
            if (cut && e.up) break;
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
        if (cut) {
            foreground = "Thief";
            transcript += "[cut]";
            throw KeysCutError("cut");
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

};

}  // namespace kelo::testing
