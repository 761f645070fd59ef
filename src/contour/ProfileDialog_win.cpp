#include "contour/ProfileDialog_win.h"

#include <memory>
#include <string>
#include <vector>

#include "contour/ContourPreview_win.h"
#include "ui/Form_win.h"

namespace kelo {

namespace {

// The window of a profile dialog: a form made from the dialog's control table
// that moves texts and events between the controls and the dialog's model.
class ProfileDialogWindow : public ProfileView, public FormEvents {
   public:
    ProfileDialogWindow(ProfileDialogKind kind, ProfileState& state, HostChannel& channel, ContourChain& chain)
        : state_(state),
          channel_(channel),
          model_(MakeProfileDialog(kind, state, channel, *this)),
          form_(model_->form(), *this),
          preview_(chain, [this](const Corner& corner) { StartFrom(corner); }) {
        model_->OnTyped([&chain](const Segment& segment) {
            if (auto shape = ShapeOf(segment)) chain.Add(std::move(*shape));
        });
        // The table takes over from the dialog as "ｷｬﾝｾﾙ" would leave it.
        preview_.OfferTable([this] {
            tableNext_ = true;
            model_->CancelClick();
        });
    }

    // True when the preview's table button closed the dialog.
    bool Run(HWND owner) {
        owner_ = owner;
        form_.ShowModal(owner);
        return tableNext_;
    }

    // ProfileView
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return channel_.desktop().ShowMessage(text, title, style);
    }
    void MoveFocus(std::string_view control) override { form_.MoveFocus(control); }
    void Close() override { form_.Close(); }
    void ShowBoxText(int box, std::string_view text) override {
        form_.SetText(BoxName(box), text);
        UpdatePreview();
    }
    void ShowNote(std::string_view text) override { form_.ShowNote(layout::kNote, text); }

    // FormEvents
    // The preview takes its place from the dialog's before the dialog shows: once it is on
    // the screen, Wine may report another place for a moment.
    void OnLoad() override {
        model_->FormLoad();
        preview_.Show(owner_, form_.hwnd());
    }
    void OnShown() override {
        UpdatePreview();
        model_->FormActivate();
    }
    void OnTextChanged(const ControlRow& box, std::string text) override {
        model_->UserChangedText(BoxNumber(box.name), std::move(text));
        UpdatePreview();
    }
    void OnChar(const ControlRow& box, char16_t ch) override { model_->KeyPress(BoxNumber(box.name), ch); }
    void OnLostFocus(const ControlRow& box) override {
        model_->LostFocus(BoxNumber(box.name));
        UpdatePreview();
    }
    void OnClick(const ControlRow& button) override {
        if (button.name == layout::kOkButton) model_->OkClick();
        if (button.name == layout::kCancelButton) model_->CancelClick();
    }
    // The close box, Alt+F4 and the system menu discard the dialog like "ｷｬﾝｾﾙ".
    void OnCloseRequest() override { model_->CancelClick(); }

   private:
    // A corner clicked in the preview goes into the start boxes as if typed there and
    // left: the dialog's own change and focus-loss handlers run.
    void StartFrom(const Corner& corner) {
        form_.TypeText(BoxName(1), corner.xText);
        model_->LostFocus(1);
        form_.TypeText(BoxName(2), corner.zText);
        model_->LostFocus(2);
        UpdatePreview();
    }

    void UpdatePreview() {
        std::vector<ContourSegment> pending;
        if (auto shape = ShapeOf(model_->PendingSegment())) pending.push_back(std::move(*shape));
        preview_.Update(std::move(pending), MakeCorner(state_.StartX.AsText(), state_.StartZ.AsText()));
    }

    std::string_view BoxName(int box) const {
        const auto row = FindBox(model_->form().controls, box);
        return row ? model_->form().controls[*row].name : std::string_view();
    }

    ProfileState& state_;
    HostChannel& channel_;
    std::unique_ptr<ProfileDialog> model_;
    Form form_;
    ContourPreview preview_;
    HWND owner_ = nullptr;
    bool tableNext_ = false;
};

}  // namespace

bool ShowProfileDialog(HWND owner, ProfileDialogKind kind, ProfileState& state, HostChannel& channel,
                       ContourChain& chain) {
    bool tableNext = false;
    RunEvent(channel.desktop(), [&] {
        ProfileDialogWindow window(kind, state, channel, chain);
        tableNext = window.Run(owner);
    });
    return tableNext;
}

}  // namespace kelo
