#pragma once
// What the line and arc dialogs share: the box texts, the Enter chain, the
// required-box check and typing the profile line. A dialog adds its named
// handlers and routes the generic events below to them.
#include <string>
#include <string_view>
#include <vector>

#include "channel/HostChannel.h"
#include "profiles/ProfileLayout.h"
#include "profiles/ProfileState.h"
#include "profiles/ProfileView.h"

namespace kelo {

class ProfileDialog {
   public:
    // Contract: all four outlive the dialog.
    ProfileDialog(const DialogLayout& layout, ProfileState& state, HostChannel& channel, ProfileView& view);
    virtual ~ProfileDialog() = default;
    ProfileDialog(const ProfileDialog&) = delete;
    ProfileDialog& operator=(const ProfileDialog&) = delete;

    const DialogLayout& layout() const { return layout_; }
    const std::string& BoxText(int box) const;

    // Events as the view reports them. None of them throws.
    virtual void FormLoad() = 0;
    virtual void FormActivate() = 0;
    virtual void KeyPress(int box, char16_t key) = 0;
    // The user edited box `box`; it now holds `text`.
    void UserChangedText(int box, std::string text);
    virtual void LostFocus(int /*box*/) {}
    virtual void OkClick() = 0;
    virtual void CancelClick() = 0;

   protected:
    // Runs the dialog's change handler of box `box`, if it has one.
    virtual void Changed(int /*box*/) {}

    // Setting a box from code counts as a change: the view is told, then the
    // box's change handler runs.
    void SetBoxText(int box, std::string text);
    bool BoxEmpty(int box) const { return BoxText(box).empty(); }

    // Enter (carriage return) moves the focus along the table's chain; every
    // other key is left to the box.
    void MoveFocusOnEnter(int box, char16_t key);

    // The required-box check of the OK flows: an empty box shows `message`
    // titled with the caption and returns false; otherwise stores the text
    // into `field` and returns true.
    bool TakeRequired(int box, std::string_view message, TextOrNumber& field);

    // Types "LINE TWO_PTS startZ,startX/2 endZ,endX/2", Enter and the cancel
    // key string, then chains the end point into the start point and closes.
    // Runs inside the command frame's trap: the channel's and the number
    // readings' errors pass to it.
    void SendProfileLineAndClose();

    // End Z from relative Z: the start Z and the relative Z added in single
    // precision. Beyond that range the end-Z box keeps its text.
    void EndZFromRelativeZ(int startZBox, int relativeZBox, int endZBox);

    void CloseWithoutChange();

    ProfileState& state_;
    HostChannel& channel_;
    ProfileView& view_;

   private:
    const DialogLayout& layout_;
    std::vector<std::string> boxes_;
};

}  // namespace kelo
