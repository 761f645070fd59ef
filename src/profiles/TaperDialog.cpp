#include "profiles/TaperDialog.h"

#include <cmath>
#include <stdexcept>

#include "channel/FormatCoord.h"
#include "channel/Texts.h"
#include "profiles/NumberRules.h"

namespace kelo {

namespace {

// The live computations stop at the first step that has no finite result,
// as a division by zero or an overflow would: no box may show such a value.
double Finite(double value) {
    if (!std::isfinite(value)) throw std::domain_error("no finite result");
    return value;
}

double Divide(double numerator, double denominator) {
    if (denominator == 0) throw std::domain_error("division by zero");
    return Finite(numerator / denominator);
}

// One unit of the last decimal that FormatCoord shows.
constexpr double kMargin = 0.0001;

}  // namespace

void TaperDialog::frm_TAPER_Form_Load() {
    try {
        SetBoxText(1, state_.StartX.AsText());
        SetBoxText(2, state_.StartZ.AsText());
        SetBoxText(3, "");
        SetBoxText(4, "");
        SetBoxText(5, "");
        SetBoxText(6, "");
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Form_Activate() {
    try {
        view_.MoveFocus("Text3");
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Text1_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(1, key);
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Text2_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(2, key);
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Text3_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(3, key);
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Text4_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(4, key);
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Text5_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(5, key);
    } catch (...) {
    }
}

void TaperDialog::frm_TAPER_Text6_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(6, key);
    } catch (...) {
    }
}

void TaperDialog::KeyPress(int box, char16_t key) {
    switch (box) {
        case 1: return frm_TAPER_Text1_KeyPress(key);
        case 2: return frm_TAPER_Text2_KeyPress(key);
        case 3: return frm_TAPER_Text3_KeyPress(key);
        case 4: return frm_TAPER_Text4_KeyPress(key);
        case 5: return frm_TAPER_Text5_KeyPress(key);
        case 6: return frm_TAPER_Text6_KeyPress(key);
        default: return;
    }
}

void TaperDialog::LostFocus(int box) {
    if (box == 4) frm_TAPER_Text4_LostFocus();
    if (box == 6) frm_TAPER_Text6_LostFocus();
}

void TaperDialog::Changed(int box) {
    if (box == 5) frm_TAPER_Text5_Change();
}

// Keystroke by keystroke: end Z = start Z + relative Z, in single precision.
void TaperDialog::frm_TAPER_Text5_Change() {
    try {
        EndZFromRelativeZ(2, 5, 6);
    } catch (...) {
    }
}

// End Z from the angle: tan A = (change of radius) / (change of Z).
void TaperDialog::frm_TAPER_Text4_LostFocus() {
    try {
        if (BoxEmpty(1) || BoxEmpty(2) || BoxEmpty(3) || BoxEmpty(4)) return;
        const double pi = state_.Pi;
        const double x1 = ParseLeadingNumber(BoxText(1));
        const double z1 = ParseLeadingNumber(BoxText(2));
        const double a = Finite((pi + pi) * ParseLeadingNumber(BoxText(3)) / 360);
        const double x2 = ParseLeadingNumber(BoxText(4));
        const double z2 = Finite(z1 + Divide(Finite(Finite(x2 - x1) / 2), Finite(std::tan(a))));
        double shown = Finite(z2 + kMargin);
        SetBoxText(6, FormatCoord(shown));
    } catch (...) {
        // Silent: every box keeps its text.
    }
}

// The angle from end X and end Z, or else end X from the angle and end Z.
// The relative Z, not the end Z, must be filled: end Z typed directly is
// taken as the user's final word.
void TaperDialog::frm_TAPER_Text6_LostFocus() {
    try {
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
    } catch (...) {
        // Silent: every box keeps its text.
    }
}

void TaperDialog::frm_TAPER_CancelButton_Click() {
    try {
        CloseWithoutChange();
    } catch (...) {
    }
}

// Sends whatever end point the boxes hold, typed or computed; the angle and
// the relative Z are not read.
void TaperDialog::frm_TAPER_OKButton_Click() {
    try {
        RunHostCommand(channel_, [this] {
            if (!TakeRequired(1, texts::kStartXMissing, state_.StartX)) return;
            if (!TakeRequired(2, texts::kStartZMissing, state_.StartZ)) return;
            if (!TakeRequired(4, texts::kEndXMissing, state_.EndX)) return;
            TextOrNumber endZ;
            if (!TakeRequired(6, texts::kEndZMissing, endZ)) return;
            state_.EndZ = endZ.AsNumber();
            SendProfileLineAndClose();
        });
    } catch (...) {
    }
}

}  // namespace kelo
