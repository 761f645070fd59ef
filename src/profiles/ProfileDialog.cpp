#include "profiles/ProfileDialog.h"

#include "text/NumberRules.h"

namespace kelo {

namespace {

// Every profile dialog opens with the focus in its third box, the first one the
// user must fill (end X, relative Z, the angle or the radius).
constexpr int kFirstFocusBox = 3;

}  // namespace

ProfileDialog::ProfileDialog(ProfileDialogKind kind, const FormSpec& form, std::span<const EventRow> events,
                             ProfileState& state, HostChannel& channel, ProfileView& view)
    : state_(state),
      channel_(channel),
      view_(view),
      kind_(kind),
      form_(form),
      events_(events),
      boxes_(static_cast<std::size_t>(BoxCount(form.controls))) {}

const std::string& ProfileDialog::BoxText(int box) const { return boxes_.at(static_cast<std::size_t>(box - 1)); }

void ProfileDialog::FormLoad() {
    RunEvent(channel_.desktop(), [this] {
        SetBoxText(1, state_.StartX.AsText());
        SetBoxText(2, state_.StartZ.AsText());
        for (int box = 3; box <= static_cast<int>(boxes_.size()); ++box) SetBoxText(box, "");
    });
}

void ProfileDialog::FormActivate() {
    RunEvent(channel_.desktop(), [this] { view_.MoveFocus(layout::kBoxNames[kFirstFocusBox - 1]); });
}

void ProfileDialog::KeyPress(int box, char16_t key) {
    if (key != u'\r') return;  // every other key is left to the box
    RunEvent(channel_.desktop(), [&] {
        const auto row = FindBox(form_.controls, box);
        if (row && !form_.controls[*row].enterTarget.empty()) view_.MoveFocus(form_.controls[*row].enterTarget);
    });
}

void ProfileDialog::UserChangedText(int box, std::string text) {
    if (box < 1 || box > static_cast<int>(boxes_.size())) return;
    boxes_[static_cast<std::size_t>(box - 1)] = std::move(text);
    Run(layout::kBoxNames[box - 1], DialogEvent::Change);
}

void ProfileDialog::LostFocus(int box) {
    if (box < 1 || box > static_cast<int>(boxes_.size())) return;
    Run(layout::kBoxNames[box - 1], DialogEvent::LostFocus);
}

void ProfileDialog::OkClick() { Run(layout::kOkButton, DialogEvent::Click); }

void ProfileDialog::CancelClick() {
    if (Run(layout::kCancelButton, DialogEvent::Click)) return;
    RunEvent(channel_.desktop(), [this] { view_.Close(); });
}

bool ProfileDialog::Run(std::string_view control, DialogEvent event) {
    for (const EventRow& row : events_) {
        if (row.control != control || row.event != event) continue;
        // Silent on what the dialogs' live computations may raise (a text that is not a
        // number, a value beyond its range); a handler that must say something says it
        // inside its own trap.
        RunSilently(channel_.desktop(), [&] { row.handler(*this); });
        return true;
    }
    return false;
}

void ProfileDialog::SetBoxText(int box, std::string text) {
    boxes_.at(static_cast<std::size_t>(box - 1)) = text;
    view_.ShowBoxText(box, text);
    Run(layout::kBoxNames[box - 1], DialogEvent::Change);
}

bool ProfileDialog::TakeRequired(int box, std::string_view message, TextOrNumber& field) {
    if (BoxEmpty(box)) {
        view_.ShowMessage(message, form_.caption, MessageStyle::Exclamation);
        return false;
    }
    field = BoxText(box);
    return true;
}

void ProfileDialog::SendSegmentAndClose() {
    // Taken before the waits: the boxes stay live while the keys go out.
    const Segment segment = PendingSegment();
    channel_.BeginHostCommand();
    TypeSegment(channel_, segment);

    if (typed_) typed_(segment);
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

}  // namespace kelo
