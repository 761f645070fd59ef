#pragma once
// The face dialog "端面": a segment at right angles to the lathe axis.
#include <array>

#include "profiles/ProfileDialog.h"

namespace kelo {

inline constexpr std::array kFaceControls{
    layout::Label(1, 240, "始点 X"),
    layout::Box(1, 240, 4, "Text2"),
    layout::Label(2, 720, "始点 Z"),
    layout::Box(2, 720, 3, "Text3"),
    layout::Label(3, 1200, "終点 X"),
    layout::Box(3, 1200, 2, layout::kOkButton),
    layout::Button(layout::kCancelButton, 3480, 720, texts::kCancel, 1),
    layout::Button(layout::kOkButton, 3480, 1200, texts::kOk, 0),
};
inline constexpr FormSpec kFaceForm = ProfileForm("frm_FACE", texts::kFaceCaption, 4935, 1800, kFaceControls);

class FaceDialog : public ProfileDialog {
   public:
    FaceDialog(ProfileState& state, HostChannel& channel, ProfileView& view);

    void frm_FACE_OKButton_Click();
};

}  // namespace kelo
