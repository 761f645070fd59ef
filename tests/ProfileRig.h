#pragma once
// A profile dialog driven as the Win32 view plays it, over a desktop that
// turns the injected keys back into what the host would read.
#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>
#include <memory>
#include <string>
#include <vector>

#include "channel/HostChannel.h"
#include "text/Texts.h"
#include "text/Utf.h"
#include "profiles/ArcDialog.h"
#include "profiles/FaceDialog.h"
#include "profiles/LongDialog.h"
#include "text/NumberRules.h"
#include "profiles/ProfileDialogs.h"
#include "profiles/TaperDialog.h"

namespace kelo::testing {

struct Message {
    std::string text, title;
    MessageStyle style;
    std::string typedBefore;  // what the host had received when it showed
};

// A desktop whose host types every character as Unicode; the injected events
// are turned back into what the host would read ("<^C>" for Ctrl+C,
// "<Enter>" for the Enter key).
class ProfileDesktop : public Desktop {
   public:
    bool hostOpen = true;
    std::string typed;
    std::vector<Message> messages;

    WindowRef FindHost(std::string_view) override { return hostOpen ? 1 : 0; }
    bool RequestForeground(WindowRef) override { return hostOpen; }
    bool IsForeground(WindowRef) override { return hostOpen; }
    Layout ForegroundLayout() override {
        return [](char16_t) { return std::optional<LayoutKey>{}; };
    }
    std::uint8_t HeldModifiers() override { return 0; }
    void Inject(WindowRef, std::span<const KeyEvent> events) override {
        for (const auto& e : events) {
            if (e.unicode) {
                if (!e.up) typed += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(e.scan)));
            } else if (e.vkey == vk::kControl || e.vkey == vk::kLControl || e.vkey == vk::kRControl) {
                ctrl_ = !e.up;
            } else if (!e.up && e.vkey == vk::kReturn) {
                typed += "<Enter>";
            } else if (!e.up && ctrl_ && e.vkey == 'C') {
                typed += "<^C>";
            } else if (!e.up) {
                typed += "<?>";
            }
        }
    }
    bool ShiftDown() override { return false; }
    Clock::time_point Now() override { return now_; }
    void ProcessEventsUntil(Clock::time_point deadline) override { now_ = deadline; }
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        messages.push_back({std::string(text), std::string(title), style, typed});
        return MessageAnswer::Ok;
    }

   private:
    bool ctrl_ = false;
    Clock::time_point now_{};
};

// The window side as the Win32 view plays it, with a person at the keyboard.
class Rig : public ProfileView {
   public:
    ProfileDesktop desktop;
    ChannelSettings settings{"Host", "0", 0.0f};
    HostChannel channel{desktop, settings};
    ProfileState state;
    ContourChain chain;  // what the dialogs typed completely
    std::unique_ptr<ProfileDialog> dialog;
    std::vector<std::string> focus;
    std::map<int, std::string> shown;  // what the boxes on screen hold
    bool closed = false;
    std::string note;  // the dialog's note line as shown
    bool followFocus = false;
    std::string focused;  // the control that has the focus (with followFocus)
    int focusMoves = 0;

    Rig() { InitProfileState(state); }

    void Open(ProfileDialogKind kind) {
        closed = false;
        focus.clear();
        shown.clear();
        dialog = MakeProfileDialog(kind, state, channel, *this);
        dialog->RecordInto(&chain);
        dialog->FormLoad();
        dialog->FormActivate();
    }
    // Types `text` into box `box` one keystroke at a time, after clearing it.
    void Type(int box, const std::string& text) {
        Edit(box, "");
        for (std::size_t n = 1; n <= text.size(); ++n) Edit(box, text.substr(0, n));
    }
    void Edit(int box, const std::string& text) {
        if (dialog->BoxText(box) == text) return;  // an edit box reports no change then
        shown[box] = text;
        dialog->UserChangedText(box, text);
    }
    // Fills boxes 1.. in order; nullptr leaves a box as it is.
    void Fill(std::initializer_list<const char*> texts) {
        int box = 1;
        for (const char* text : texts) {
            if (text != nullptr) Type(box, text);
            ++box;
        }
    }
    std::string Box(int box) const { return dialog->BoxText(box); }

    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return channel.desktop().ShowMessage(text, title, style);
    }
    // With `followFocus`, a focus move makes the box that had the focus lose it, as
    // the platform reports it, so the dialog's focus-loss handlers run.
    void MoveFocus(std::string_view control) override {
        focus.emplace_back(control);
        if (!followFocus || control == focused) return;
        const std::string left = std::exchange(focused, std::string(control));
        if (++focusMoves > 1000) throw std::runtime_error("the focus never comes to rest");
        dialog->LostFocus(BoxNumber(left));
    }
    // The user moves the focus from box `box` to `control` (a click or Tab).
    void Leave(int box, std::string_view control) {
        focused = std::string(control);
        dialog->LostFocus(box);
    }
    void Close() override { closed = true; }
    void ShowBoxText(int box, std::string_view text) override { shown[box] = std::string(text); }
    void ShowNote(std::string_view text) override { note = std::string(text); }
};

inline const std::string kTrap = std::string(texts::kStartHostFirst);

}  // namespace kelo::testing
