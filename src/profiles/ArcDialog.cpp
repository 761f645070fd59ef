#include "profiles/ArcDialog.h"

#include "text/NumberRules.h"

namespace kelo {

namespace {

template <auto Ok>
constexpr std::array kArcEvents{
    EventRow{"Text1", DialogEvent::LostFocus, &Handler<&ArcDialog::SolveArc>},
    EventRow{"Text2", DialogEvent::LostFocus, &Handler<&ArcDialog::SolveArc>},
    EventRow{"Text3", DialogEvent::LostFocus, &Handler<&ArcDialog::SolveArc>},
    EventRow{"Text5", DialogEvent::LostFocus, &Handler<&ArcDialog::SolveArc>},
    EventRow{"Text6", DialogEvent::LostFocus, &Handler<&ArcDialog::SolveArc>},
    EventRow{"Text7", DialogEvent::LostFocus, &Handler<&ArcDialog::SolveArc>},
    EventRow{layout::kOkButton, DialogEvent::Click, &Handler<Ok>},
};

const FormSpec& FormOf(ArcSense sense) { return sense == ArcSense::Concave ? kArc1Form : kArc2Form; }

std::span<const EventRow> EventsOf(ArcSense sense) {
    if (sense == ArcSense::Concave) return kArcEvents<&Arc1Dialog::frm_ARC1_OKButton_Click>;
    return kArcEvents<&Arc2Dialog::frm_ARC2_OKButton_Click>;
}

constexpr int kBoxes = 7;

}  // namespace

ArcDialog::ArcDialog(ArcSense sense, ProfileState& state, HostChannel& channel, ProfileView& view)
    : ProfileDialog(sense == ArcSense::Concave ? ProfileDialogKind::Arc1 : ProfileDialogKind::Arc2, FormOf(sense),
                    EventsOf(sense), state, channel, view),
      sense_(sense) {}

void ArcDialog::SolveArc() {
    if (movingFocus_) return;
    ArcBoxes boxes;
    for (int box = 1; box <= kBoxes; ++box) boxes[box - 1] = BoxText(box);
    const ArcSolveResult result = kelo::SolveArc(sense_, boxes, state_);
    for (int box : result.written) SetBoxText(box, boxes[box - 1]);
    view_.ShowNote(result.problem);
    // Our own focus moves make other boxes lose the focus: the solver must not run for them.
    struct Moving {
        bool& flag;
        explicit Moving(bool& f) : flag(f) { flag = true; }
        ~Moving() { flag = false; }
    } moving(movingFocus_);
    for (int box : result.focusMoves) view_.MoveFocus(layout::kBoxNames[box - 1]);
}

void ArcDialog::TypeArcAndClose() {
    // Silent: any error leaves the dialog open, and what was stored stays stored.
    RunSilently(channel_.desktop(), [this] {
        if (BoxEmpty(1)) view_.MoveFocus("Text1");
        if (BoxEmpty(2)) view_.MoveFocus("Text2");
        for (int box = 4; box <= kBoxes; ++box) {
            if (BoxEmpty(box)) {
                view_.Close();  // too little to draw: nothing typed, the start point stays
                return;
            }
        }
        state_.StartX = BoxText(1);
        state_.StartZ = BoxText(2);
        state_.CenterX = BoxText(4);
        state_.CenterZ = BoxText(5);
        state_.EndX = BoxText(6);
        state_.EndZ = ParseNumber(BoxText(7));

        // The centre, then the two points in the order that selects the arc of this sense.
        SendSegmentAndClose();
    });
}

}  // namespace kelo
