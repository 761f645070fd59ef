#pragma once
// The taper dialog "テーパー": a slanted segment given by two of angle, end X
// and end Z; the third is computed as the focus leaves a box.
#include <array>

#include "profiles/ProfileDialog.h"

namespace kelo {

inline constexpr std::array kTaperControls{
    layout::Label(1, 240, "始点 X"),
    layout::Box(1, 240, 2, "Text2"),
    layout::Label(2, 720, "始点 Z"),
    layout::Box(2, 720, 3, "Text3"),
    layout::Label(3, 1200, "角度 A"),
    layout::Box(3, 1200, 4, "Text4"),
    layout::Label(4, 1680, "終点 X"),
    layout::Box(4, 1680, 8, "Text5"),
    layout::Label(5, 2160, "相対 Z"),
    layout::Box(5, 2160, 10, "Text6"),
    layout::Label(6, 2640, "終点 Z"),
    layout::Box(6, 2640, 12, layout::kOkButton),
    layout::Button(layout::kCancelButton, 3360, 2160, texts::kCancel, 1),
    layout::Button(layout::kOkButton, 3360, 2640, texts::kOk, 0),
};
inline constexpr FormSpec kTaperForm = ProfileForm("frm_TAPER", texts::kTaperCaption, 4815, 3255, kTaperControls);

class TaperDialog : public ProfileDialog {
   public:
    TaperDialog(ProfileState& state, HostChannel& channel, ProfileView& view);

    void frm_TAPER_Text5_Change();
    void frm_TAPER_Text4_LostFocus();
    void frm_TAPER_Text6_LostFocus();
    void frm_TAPER_OKButton_Click();
};

}  // namespace kelo
