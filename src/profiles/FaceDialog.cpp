#include "profiles/FaceDialog.h"

#include "text/Texts.h"

namespace kelo {

namespace {

constexpr EventRow kFaceEvents[] = {
    {layout::kOkButton, DialogEvent::Click, &Handler<&FaceDialog::frm_FACE_OKButton_Click>},
};

}  // namespace

FaceDialog::FaceDialog(ProfileState& state, HostChannel& channel, ProfileView& view)
    : ProfileDialog(ProfileDialogKind::Face, kFaceForm, kFaceEvents, state, channel, view) {}

// The end point has the start Z: the segment runs at right angles to the axis.
void FaceDialog::frm_FACE_OKButton_Click() {
    RunHostCommand(channel_, [this] {
        if (!TakeRequired(1, texts::kStartXMissing, state_.StartX)) return;
        if (!TakeRequired(2, texts::kStartZMissing, state_.StartZ)) return;
        state_.EndZ = state_.StartZ.AsNumber();
        if (!TakeRequired(3, texts::kEndXMissing, state_.EndX)) return;
        SendSegmentAndClose();
    });
}

}  // namespace kelo
