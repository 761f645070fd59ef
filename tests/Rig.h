#pragma once
// What the unit tests share beside FakeDesktop: a transcript read without its
// waits, and a profile dialog driven as its Win32 view drives it.
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "FakeDesktop.h"
#include "contour/Contour.h"
#include "profiles/ProfileDialogs.h"
#include "profiles/ProfileLayout.h"

namespace kelo::testing {

// What the host received and what was shown, in order: the waits and the host's activations left out.
inline std::string Seen(std::string s) {
    for (const char* tag : {"[wait", "[activate"})
        for (std::size_t p; (p = s.find(tag)) != std::string::npos;) s.erase(p, s.find(']', p) - p + 1);
    return s;
}

inline std::string Message(std::string_view text, std::string_view title, int style = 48) {
    return "[message " + std::string(text) + "|" + std::string(title) + "|" + std::to_string(style) + "]";
}
// The channel's one message for any failed command.
inline const std::string kFailure = Message(texts::kStartHostFirst, texts::kMenuMessageTitle);

// Any "inf" or "nan" in a text the tests never type is the code's own.
inline bool LooksNonFinite(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

// The host over the recording desktop, and the profile state the dialogs share.
struct Host {
    FakeDesktop desktop;
    ChannelSettings settings{kHost, "0", 0.0f};
    HostChannel channel{desktop, settings};
    ProfileState state;
    ContourChain chain;  // what the dialogs typed completely
    Host() { InitProfileState(state); }
};

// The window side of a profile dialog, with a person at the keyboard.
class Rig : public ProfileView, public Host {
   public:
    std::unique_ptr<ProfileDialog> dialog;
    std::vector<std::string> focus;    // every focus move the dialog asked for
    std::map<int, std::string> shown;  // what the boxes on screen hold
    std::vector<std::string> written;  // every text the dialog put into a box
    std::string note;
    bool closed = false;
    bool followFocus = false;  // a focus move makes the box that had it lose it, as the platform reports
    std::string focused;
    int focusMoves = 0;

    void Open(ProfileDialogKind kind) {
        closed = false;
        focus.clear();
        shown.clear();
        dialog = MakeProfileDialog(kind, state, channel, *this);
        dialog->OnTyped([this](const Segment& segment) {
            if (auto shape = ShapeOf(segment)) chain.Add(std::move(*shape));
        });
        dialog->FormLoad();
        dialog->FormActivate();
    }
    // Types `text` into `box` one keystroke at a time, after clearing it.
    void Type(int box, const std::string& text) {
        Edit(box, "");
        for (std::size_t n = 1; n <= text.size(); ++n) Edit(box, text.substr(0, n));
    }
    void Edit(int box, const std::string& text) {
        if (dialog->BoxText(box) == text) return;  // an edit box reports no change then
        shown[box] = text;
        dialog->UserChangedText(box, text);
    }
    // Types into boxes 1.. in order; nullptr leaves a box as it is.
    void Fill(const std::vector<const char*>& texts) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (texts[i] != nullptr) Type(static_cast<int>(i) + 1, texts[i]);
    }
    std::string Box(int box) const { return dialog->BoxText(box); }
    // Every box as "Text1|Text2|...".
    std::string Boxes() const {
        std::string all = Box(1);
        for (int box = 2; box <= BoxCount(dialog->form().controls); ++box) all += "|" + Box(box);
        return all;
    }
    std::string Typed() const { return Seen(desktop.transcript); }
    // The user moves the focus from `box` to `control` (a click or Tab).
    void Leave(int box, std::string_view control) {
        focused = std::string(control);
        dialog->LostFocus(box);
    }

    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return desktop.ShowMessage(text, title, style);
    }
    void MoveFocus(std::string_view control) override {
        focus.emplace_back(control);
        if (!followFocus || control == focused) return;
        const std::string left = std::exchange(focused, std::string(control));
        if (++focusMoves > 1000) throw std::runtime_error("the focus never comes to rest");
        dialog->LostFocus(BoxNumber(left));
    }
    void Close() override { closed = true; }
    void ShowBoxText(int box, std::string_view text) override {
        shown[box] = std::string(text);
        written.emplace_back(text);
    }
    void ShowNote(std::string_view text) override { note = std::string(text); }
};

}  // namespace kelo::testing
