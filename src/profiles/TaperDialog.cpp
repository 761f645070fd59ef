#include "profiles/TaperDialog.h"

#include <cmath>
#include <stdexcept>

#include "text/FormatCoord.h"
#include "text/Texts.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

// The live computations stop at the first step that has no finite result,
// as a division by zero or an overflow would: no box may show such a value.
double Finite(double value) {
    if (!std::isfinite(value)) throw NumberError("no finite result");
    return value;
}

double Divide(double numerator, double denominator) {
    if (denominator == 0) throw NumberError("division by zero");
    return Finite(numerator / denominator);
}

// One unit of the last decimal that FormatCoord shows.
constexpr double kMargin = 0.0001;

constexpr EventRow kTaperEvents[] = {
    {"Text5", DialogEvent::Change, &Handler<&TaperDialog::frm_TAPER_Text5_Change>},
    {"Text4", DialogEvent::LostFocus, &Handler<&TaperDialog::frm_TAPER_Text4_LostFocus>},
    {"Text6", DialogEvent::LostFocus, &Handler<&TaperDialog::frm_TAPER_Text6_LostFocus>},
    {layout::kOkButton, DialogEvent::Click, &Handler<&TaperDialog::frm_TAPER_OKButton_Click>},
};

}  // namespace

TaperDialog::TaperDialog(ProfileState& state, HostChannel& channel, ProfileView& view)
    : ProfileDialog(ProfileDialogKind::Taper, kTaperForm, kTaperEvents, state, channel, view) {}

// Keystroke by keystroke: end Z = start Z + relative Z, in single precision.
void TaperDialog::frm_TAPER_Text5_Change() { EndZFromRelativeZ(2, 5, 6); }

// End Z from the angle: tan A = (change of radius) / (change of Z). Its trap is
// silent: a step without a finite result leaves every box as it was.
void TaperDialog::frm_TAPER_Text4_LostFocus() {
    if (BoxEmpty(1) || BoxEmpty(2) || BoxEmpty(3) || BoxEmpty(4)) return;
    const double pi = state_.Pi;
    const double x1 = ParseLeadingNumber(BoxText(1));
    const double z1 = ParseLeadingNumber(BoxText(2));
    const double a = Finite((pi + pi) * ParseLeadingNumber(BoxText(3)) / 360);
    const double x2 = ParseLeadingNumber(BoxText(4));
    const double z2 = Finite(z1 + Divide(Finite(Finite(x2 - x1) / 2), Finite(std::tan(a))));
    double shown = Finite(z2 + kMargin);
    SetBoxText(6, FormatCoord(shown));
}

// The angle from end X and end Z, or else end X from the angle and end Z.
// The relative Z, not the end Z, must be filled: end Z typed directly is
// taken as the user's final word. Silent, like the end-Z computation.
void TaperDialog::frm_TAPER_Text6_LostFocus() {
    if (BoxEmpty(1) || BoxEmpty(2) || BoxEmpty(5)) return;
    const double pi = state_.Pi;
    const double x1 = ParseLeadingNumber(BoxText(1));
    const double z1 = ParseLeadingNumber(BoxText(2));
    if (!BoxEmpty(4) && BoxEmpty(3)) {
        const double x2 = ParseLeadingNumber(BoxText(4));
        const double z2 = ParseLeadingNumber(BoxText(6));
        const double slope = Divide(Finite(Finite(x2 - x1) / 2), Finite(z2 - z1));
        double angle = std::atan(slope) * 180 / pi + kMargin;
        if (z1 > z2 && x1 < x2) angle = angle + 180;
        if (z1 > z2 && x1 > x2) angle = angle - 180;
        SetBoxText(3, FormatCoord(angle));
    } else if (!BoxEmpty(3)) {
        const double a = Finite((pi + pi) * ParseLeadingNumber(BoxText(3)) / 360);
        const double z2 = ParseLeadingNumber(BoxText(6));
        const double x2 = Finite(x1 + Finite(2 * Finite(z2 - z1)) * Finite(std::tan(a)));
        double shown = Finite(x2 + kMargin);
        SetBoxText(4, FormatCoord(shown));
    }
}

// Sends whatever end point the boxes hold, typed or computed; the angle and
// the relative Z are not read.
void TaperDialog::frm_TAPER_OKButton_Click() {
    RunHostCommand(channel_, [this] {
        if (!TakeRequired(1, texts::kStartXMissing, state_.StartX)) return;
        if (!TakeRequired(2, texts::kStartZMissing, state_.StartZ)) return;
        if (!TakeRequired(4, texts::kEndXMissing, state_.EndX)) return;
        TextOrNumber endZ;
        if (!TakeRequired(6, texts::kEndZMissing, endZ)) return;
        state_.EndZ = endZ.AsNumber();
        SendSegmentAndClose();
    });
}

}  // namespace kelo
