#include "profiles/LongDialog.h"

#include "channel/Texts.h"
#include "profiles/NumberRules.h"

namespace kelo {

// Clearing the relative Z runs its change handler, so end Z is cleared after it.
void LongDialog::frm_LONG_Form_Load() {
    try {
        SetBoxText(1, state_.StartX.AsText());
        SetBoxText(2, state_.StartZ.AsText());
        SetBoxText(3, "");
        SetBoxText(4, "");
    } catch (...) {
    }
}

void LongDialog::frm_LONG_Form_Activate() {
    try {
        view_.MoveFocus("Text3");
    } catch (...) {
    }
}

void LongDialog::frm_LONG_Text1_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(1, key);
    } catch (...) {
    }
}

void LongDialog::frm_LONG_Text2_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(2, key);
    } catch (...) {
    }
}

void LongDialog::frm_LONG_Text3_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(3, key);
    } catch (...) {
    }
}

void LongDialog::frm_LONG_Text4_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(4, key);
    } catch (...) {
    }
}

void LongDialog::KeyPress(int box, char16_t key) {
    switch (box) {
        case 1: return frm_LONG_Text1_KeyPress(key);
        case 2: return frm_LONG_Text2_KeyPress(key);
        case 3: return frm_LONG_Text3_KeyPress(key);
        case 4: return frm_LONG_Text4_KeyPress(key);
        default: return;
    }
}

// Keystroke by keystroke: end Z = start Z + relative Z, in single precision.
void LongDialog::frm_LONG_Text3_Change() {
    try {
        EndZFromRelativeZ(2, 3, 4);
    } catch (...) {
    }
}

void LongDialog::Changed(int box) {
    if (box == 3) frm_LONG_Text3_Change();
}

void LongDialog::frm_LONG_CancelButton_Click() {
    try {
        CloseWithoutChange();
    } catch (...) {
    }
}

// The end point keeps the start X; the relative Z plays no part here.
void LongDialog::frm_LONG_OKButton_Click() {
    try {
        RunHostCommand(channel_, [this] {
            if (!TakeRequired(1, texts::kStartXMissing, state_.StartX)) return;
            if (!TakeRequired(2, texts::kStartZMissing, state_.StartZ)) return;
            state_.EndX = state_.StartX;
            TextOrNumber endZ;
            if (!TakeRequired(4, texts::kEndZMissing, endZ)) return;
            state_.EndZ = endZ.AsNumber();
            SendProfileLineAndClose();
        });
    } catch (...) {
    }
}

}  // namespace kelo
