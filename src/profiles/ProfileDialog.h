#pragma once
// What the five profile dialogs share: the box texts, their opening, the Enter
// chain and the events of their control tables, the required-box check and the
// profile line. A dialog adds its control table, its event table and the
// handlers that do work of their own.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/HostChannel.h"
#include "profiles/ProfileKinds.h"
#include "profiles/ProfileLayout.h"
#include "profiles/ProfileState.h"
#include "profiles/ProfileView.h"
#include "profiles/DialogSegment.h"

namespace kelo {

class ProfileDialog;

// One event of a dialog's table: which control, which event, which handler.
enum class DialogEvent : std::uint8_t { Change, LostFocus, Click };
struct EventRow {
    std::string_view control;
    DialogEvent event;
    void (*handler)(ProfileDialog&);
};

// The table entry of a dialog's named handler: EventRow{"Text3", DialogEvent::Change, &Handler<&LongDialog::frm_LONG_Text3_Change>}.
template <class T>
struct MemberOf;
template <class C>
struct MemberOf<void (C::*)()> {
    using Class = C;
};
template <auto Member>
void Handler(ProfileDialog& dialog) {
    (static_cast<typename MemberOf<decltype(Member)>::Class&>(dialog).*Member)();
}

class ProfileDialog {
   public:
    // Contract: the tables, state, channel and view outlive the dialog.
    ProfileDialog(ProfileDialogKind kind, const FormSpec& form, std::span<const EventRow> events, ProfileState& state,
                  HostChannel& channel, ProfileView& view);
    virtual ~ProfileDialog() = default;
    ProfileDialog(const ProfileDialog&) = delete;
    ProfileDialog& operator=(const ProfileDialog&) = delete;

    const FormSpec& form() const { return form_; }
    // Told of every segment this dialog types completely (the contour the preview shows).
    void OnTyped(std::function<void(const Segment&)> typed) { typed_ = std::move(typed); }
    const std::string& BoxText(int box) const;
    // The segment the boxes describe as they stand: what OK types, and what the preview draws.
    Segment PendingSegment() const { return BoxesSegment(kind_, boxes_); }

    // Events as the view reports them. Each runs its handler inside the handler's
    // trap, so none of them throws.
    void FormLoad();      // the start boxes from the start point, the other boxes emptied, in box order
    void FormActivate();  // the focus to the box the table's first Tab stop names
    void KeyPress(int box, char16_t key);  // Enter moves the focus along the table's chain
    void UserChangedText(int box, std::string text);
    void LostFocus(int box);
    void OkClick();
    void CancelClick();  // closes; the profile state is not touched

   protected:
    // Setting a box from code counts as a change: the view is told, then the
    // box's change handler runs.
    void SetBoxText(int box, std::string text);
    bool BoxEmpty(int box) const { return BoxText(box).empty(); }

    // The required-box check of the line dialogs' OK: an empty box shows `message`
    // titled with the caption and returns false; otherwise stores the text into
    // `field` and returns true.
    bool TakeRequired(int box, std::string_view message, TextOrNumber& field);

    // Types the pending segment after the command's opening, records it in the chain,
    // chains the end point into the start point and closes. Runs inside the handler's
    // trap: the channel's errors and a point that is not a number pass to it.
    void SendSegmentAndClose();

    // End Z from relative Z: the start Z and the relative Z added in single
    // precision. Beyond that range the end-Z box keeps its text.
    void EndZFromRelativeZ(int startZBox, int relativeZBox, int endZBox);

    ProfileState& state_;
    HostChannel& channel_;
    ProfileView& view_;
    std::function<void(const Segment&)> typed_;

   private:
    // Runs the table's handler of `event` on `control`, if there is one, inside a
    // silent trap; returns whether there was one.
    bool Run(std::string_view control, DialogEvent event);

    ProfileDialogKind kind_;
    const FormSpec& form_;
    std::span<const EventRow> events_;
    std::vector<std::string> boxes_;
};

}  // namespace kelo
