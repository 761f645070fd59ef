#include "profiles/LongDialog.h"

#include "text/Texts.h"

namespace kelo {

namespace {

constexpr EventRow kLongEvents[] = {
    {"Text3", DialogEvent::Change, &Handler<&LongDialog::frm_LONG_Text3_Change>},
    {layout::kOkButton, DialogEvent::Click, &Handler<&LongDialog::frm_LONG_OKButton_Click>},
};

}  // namespace

// Clearing the relative Z at opening runs its change handler, so end Z is cleared after it.
LongDialog::LongDialog(ProfileState& state, HostChannel& channel, ProfileView& view)
    : ProfileDialog(ProfileDialogKind::Long, kLongForm, kLongEvents, state, channel, view) {}

// Keystroke by keystroke: end Z = start Z + relative Z, in single precision.
void LongDialog::frm_LONG_Text3_Change() { EndZFromRelativeZ(2, 3, 4); }

// The end point keeps the start X; the relative Z plays no part here.
void LongDialog::frm_LONG_OKButton_Click() {
    RunHostCommand(channel_, [this] {
        if (!TakeRequired(1, texts::kStartXMissing, state_.StartX)) return;
        if (!TakeRequired(2, texts::kStartZMissing, state_.StartZ)) return;
        state_.EndX = state_.StartX;
        TextOrNumber endZ;
        if (!TakeRequired(4, texts::kEndZMissing, endZ)) return;
        state_.EndZ = endZ.AsNumber();
        SendSegmentAndClose();
    });
}

}  // namespace kelo
