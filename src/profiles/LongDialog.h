#pragma once
// The longitudinal dialog "長手": a segment parallel to the lathe axis, its end
// Z given directly or as a distance from the start.
#include <array>

#include "profiles/ProfileDialog.h"

namespace kelo {

inline constexpr std::array kLongControls{
    layout::Label(1, 240, "始点 X"),
    layout::Box(1, 240, 4, "Text2"),
    layout::Label(2, 720, "始点 Z"),
    layout::Box(2, 720, 6, "Text3"),
    layout::Label(3, 1200, "相対 Z"),
    layout::Box(3, 1200, 1, "Text4"),
    layout::Label(4, 1680, "終点 Z"),
    layout::Box(4, 1680, 8, layout::kOkButton),
    layout::Button(layout::kCancelButton, 3480, 1200, texts::kCancel, 2),
    layout::Button(layout::kOkButton, 3480, 1680, texts::kOk, 0),
};
inline constexpr FormSpec kLongForm = ProfileForm("frm_LONG", texts::kLongCaption, 5055, 2190, kLongControls);

class LongDialog : public ProfileDialog {
   public:
    LongDialog(ProfileState& state, HostChannel& channel, ProfileView& view);

    void frm_LONG_Text3_Change();
    void frm_LONG_OKButton_Click();
};

}  // namespace kelo
