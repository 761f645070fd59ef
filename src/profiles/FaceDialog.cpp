#include "profiles/FaceDialog.h"

#include "channel/Texts.h"

namespace kelo {

// Opens with the current start point and an empty end X.
void FaceDialog::frm_FACE_Form_Load() {
    try {
        SetBoxText(1, state_.StartX.AsText());
        SetBoxText(2, state_.StartZ.AsText());
        SetBoxText(3, "");
    } catch (...) {
    }
}

// End X is the one box the user must fill.
void FaceDialog::frm_FACE_Form_Activate() {
    try {
        view_.MoveFocus("Text3");
    } catch (...) {
    }
}

void FaceDialog::frm_FACE_Text1_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(1, key);
    } catch (...) {
    }
}

void FaceDialog::frm_FACE_Text2_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(2, key);
    } catch (...) {
    }
}

void FaceDialog::frm_FACE_Text3_KeyPress(char16_t key) {
    try {
        MoveFocusOnEnter(3, key);
    } catch (...) {
    }
}

void FaceDialog::KeyPress(int box, char16_t key) {
    switch (box) {
        case 1: return frm_FACE_Text1_KeyPress(key);
        case 2: return frm_FACE_Text2_KeyPress(key);
        case 3: return frm_FACE_Text3_KeyPress(key);
        default: return;
    }
}

void FaceDialog::frm_FACE_CancelButton_Click() {
    try {
        CloseWithoutChange();
    } catch (...) {
    }
}

// The end point has the start Z: the segment runs at right angles to the axis.
void FaceDialog::frm_FACE_OKButton_Click() {
    try {
        RunHostCommand(channel_, [this] {
            if (!TakeRequired(1, texts::kStartXMissing, state_.StartX)) return;
            if (!TakeRequired(2, texts::kStartZMissing, state_.StartZ)) return;
            state_.EndZ = state_.StartZ.AsNumber();
            if (!TakeRequired(3, texts::kEndXMissing, state_.EndX)) return;
            SendProfileLineAndClose();
        });
    } catch (...) {
    }
}

}  // namespace kelo
