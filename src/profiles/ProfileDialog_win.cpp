#include "profiles/ProfileDialog_win.h"

#include <memory>

#include "ui/Form_win.h"

namespace kelo {

namespace {

// The window of a profile dialog: a form made from the dialog's control table
// that moves texts and events between the controls and the dialog's model.
class ProfileDialogWindow : public ProfileView, public FormEvents {
   public:
    ProfileDialogWindow(ProfileDialogKind kind, ProfileState& state, HostChannel& channel)
        : channel_(channel), model_(MakeProfileDialog(kind, state, channel, *this)), form_(model_->form(), *this) {}

    void Run(HWND owner) { form_.ShowModal(owner); }

    // ProfileView
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return channel_.desktop().ShowMessage(text, title, style);
    }
    void MoveFocus(std::string_view control) override { form_.MoveFocus(control); }
    void Close() override { form_.Close(); }
    void ShowBoxText(int box, std::string_view text) override { form_.SetText(BoxName(box), text); }
    void ShowNote(std::string_view text) override { form_.ShowNote(layout::kNote, text); }

    // FormEvents
    void OnLoad() override { model_->FormLoad(); }
    void OnShown() override { model_->FormActivate(); }
    void OnTextChanged(const ControlRow& box, std::string text) override {
        model_->UserChangedText(BoxNumber(box.name), std::move(text));
    }
    void OnChar(const ControlRow& box, char16_t ch) override { model_->KeyPress(BoxNumber(box.name), ch); }
    void OnLostFocus(const ControlRow& box) override { model_->LostFocus(BoxNumber(box.name)); }
    void OnClick(const ControlRow& button) override {
        if (button.name == layout::kOkButton) model_->OkClick();
        if (button.name == layout::kCancelButton) model_->CancelClick();
    }
    // The close box, Alt+F4 and the system menu discard the dialog like "ｷｬﾝｾﾙ".
    void OnCloseRequest() override { model_->CancelClick(); }

   private:
    std::string_view BoxName(int box) const {
        const auto row = FindBox(model_->form().controls, box);
        return row ? model_->form().controls[*row].name : std::string_view();
    }

    HostChannel& channel_;
    std::unique_ptr<ProfileDialog> model_;
    Form form_;
};

}  // namespace

void ShowProfileDialog(HWND owner, ProfileDialogKind kind, ProfileState& state, HostChannel& channel) {
    try {
        ProfileDialogWindow window(kind, state, channel);
        window.Run(owner);
    } catch (...) {
        // Nothing to show: a dialog that cannot be built leaves the state as it was.
    }
}

}  // namespace kelo
