#include "profiles/ProfileDialog.h"

#include <stdexcept>

#include "profiles/NumberRules.h"

namespace kelo {

ProfileDialog::ProfileDialog(const DialogLayout& layout, ProfileState& state, HostChannel& channel, ProfileView& view)
    : state_(state), channel_(channel), view_(view), layout_(layout), boxes_(BoxCount(layout)) {}

const std::string& ProfileDialog::BoxText(int box) const {
    return boxes_.at(static_cast<std::size_t>(box - 1));
}

void ProfileDialog::UserChangedText(int box, std::string text) {
    try {
        boxes_.at(static_cast<std::size_t>(box - 1)) = std::move(text);
        Changed(box);
    } catch (...) {
        // A box the table does not have: nothing to do.
    }
}

void ProfileDialog::SetBoxText(int box, std::string text) {
    boxes_.at(static_cast<std::size_t>(box - 1)) = text;
    view_.ShowBoxText(box, text);
    Changed(box);
}

void ProfileDialog::MoveFocusOnEnter(int box, char16_t key) {
    if (key != u'\r') return;
    const ControlRow* row = FindBox(layout_, box);
    if (row != nullptr && !row->enterTarget.empty()) view_.MoveFocus(row->enterTarget);
}

bool ProfileDialog::TakeRequired(int box, std::string_view message, TextOrNumber& field) {
    if (BoxEmpty(box)) {
        view_.ShowMessage(message, layout_.caption, MessageStyle::Exclamation);
        return false;
    }
    field = BoxText(box);
    return true;
}

void ProfileDialog::SendProfileLineAndClose() {
    channel_.BeginHostCommand();
    // One key string at a time: a reading that fails leaves what came before typed.
    channel_.Type("LINE TWO_PTS ");
    channel_.Type(state_.StartZ.AsText());
    channel_.Type(",");
    channel_.Type(NumberText(state_.StartX.AsNumber() / 2));
    channel_.Type(" ");
    channel_.Type(NumberText(state_.EndZ));
    channel_.Type(",");
    channel_.Type(NumberText(state_.EndX.AsNumber() / 2));
    channel_.SendEnter();
    channel_.SendCancel();

    state_.StartX = state_.EndX.AsText();
    state_.StartZ = state_.EndZ;
    view_.Close();
}

void ProfileDialog::EndZFromRelativeZ(int startZBox, int relativeZBox, int endZBox) {
    float sum = 0;
    try {
        sum = ToSingle(ParseLeadingNumber(BoxText(startZBox)));
        sum = ToSingle(static_cast<double>(sum) + ParseLeadingNumber(BoxText(relativeZBox)));
    } catch (const NumberError&) {
        return;  // beyond single precision: the end Z stays as it is
    }
    SetBoxText(endZBox, SingleText(sum));
}

void ProfileDialog::CloseWithoutChange() { view_.Close(); }

}  // namespace kelo
