#pragma once
// The arc dialogs "円弧凹" (frm_ARC1, concave) and "円弧凸" (frm_ARC2, convex): one
// arc of the contour from its start point and enough of radius, centre and end
// point, completed by the arc solver as the user leaves a box.
#include <array>

#include "profiles/ArcSolver.h"
#include "profiles/ProfileDialog.h"
#include "profiles/ProfileKinds.h"

namespace kelo {

namespace layout {

// Both dialogs share their controls; only the client height differs. The note
// lies below the designed area and shows only while the solver has something to say.
template <int ClientHeight>
inline constexpr std::array kArcControls{
    Label(1, 240, "始点 X"),
    Box(1, 240, 6, "Text2"),
    Label(2, 720, "始点 Z"),
    Box(2, 720, 5, "Text3"),
    Label(3, 1200, "半径 R"),
    Box(3, 1200, 4, "Text4"),
    Label(4, 1680, "中心 X"),
    Box(4, 1680, 3, "Text5"),
    Label(5, 2160, "中心 Z"),
    Box(5, 2160, 2, "Text6"),
    Label(6, 2640, "終点 X"),
    Box(6, 2640, 7, "Text7"),
    Label(7, 3120, "終点 Z"),
    Box(7, 3120, 8, kOkButton),
    Button(kCancelButton, 3240, 2640, texts::kCancel, 1),
    Button(kOkButton, 3240, 3120, texts::kOk, 0),
    ControlRow{kNote, ControlKind::Note, 120, ClientHeight, 4575, 480},
};

}  // namespace layout

inline constexpr FormSpec kArc1Form =
    ProfileForm("frm_ARC1", texts::kArc1Caption, 4815, 3705, layout::kArcControls<3705>);
inline constexpr FormSpec kArc2Form =
    ProfileForm("frm_ARC2", texts::kArc2Caption, 4815, 3645, layout::kArcControls<3645>);

class ArcDialog : public ProfileDialog {
   public:
    ArcDialog(ArcSense sense, ProfileState& state, HostChannel& channel, ProfileView& view);

    // Leaving Text1, Text2, Text3, Text5, Text6 or Text7 (not Text4) completes the arc.
    // The solver's own focus moves make a box lose the focus too; such a loss does
    // not run it again, or two empty start boxes would take the focus from each
    // other without end.
    void SolveArc();

   protected:
    // OK: the centre, then the two points in the order that selects the arc the
    // sense asks for, each line ended by Enter, then the cancel key string. Its
    // trap is silent: on any error the dialog stays open.
    void TypeArcAndClose();

   private:
    ArcSense sense_;
    bool movingFocus_ = false;
};

class Arc1Dialog : public ArcDialog {
   public:
    Arc1Dialog(ProfileState& state, HostChannel& channel, ProfileView& view)
        : ArcDialog(ArcSense::Concave, state, channel, view) {}
    void frm_ARC1_OKButton_Click() { TypeArcAndClose(); }
};

class Arc2Dialog : public ArcDialog {
   public:
    Arc2Dialog(ProfileState& state, HostChannel& channel, ProfileView& view)
        : ArcDialog(ArcSense::Convex, state, channel, view) {}
    void frm_ARC2_OKButton_Click() { TypeArcAndClose(); }
};

}  // namespace kelo
