#include "toolbar/AppNameSet_win.h"

#include "text/Texts.h"
#include "text/WinText_win.h"
#include "toolbar/AppNameSet.h"
#include "ui/Form_win.h"

namespace kelo {

namespace {

// The settings dialog's window: the one form, made from its control table.
class AppNameSetWindow : public FormEvents {
   public:
    explicit AppNameSetWindow(ChannelSettings& settings) : model_(settings) {}

    void Run(HWND owner) { form_.ShowModal(owner); }

    // Each opening fills the boxes afresh from memory.
    void OnLoad() override {
        model_.AppNameSet_Form_Load();
        form_.SetText("Text1", model_.text1);
        form_.SetText("Text2", model_.text2);
        form_.SetText("Text3", model_.text3);
    }
    void OnShown() override { form_.MoveFocus("Text1"); }

    void OnClick(const ControlRow& button) override {
        if (button.name == "Command1") AppNameSet_Command1_Click();
        if (button.name == "Command2") AppNameSet_Command2_Click();
    }
    // The close box cancels.
    void OnCloseRequest() override { AppNameSet_Command2_Click(); }

   private:
    void AppNameSet_Command1_Click() {
        model_.text1 = form_.Text("Text1");
        model_.text2 = form_.Text("Text2");
        model_.text3 = form_.Text("Text3");
        if (model_.AppNameSet_Command1_Click()) {
            form_.Close();
            return;
        }
        MessageBoxW(form_.hwnd(), Widen(model_.message).c_str(), Widen(texts::kAppSetCaption).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        form_.MoveFocus("Text3");
        form_.SelectAll("Text3");
    }

    // Nothing changes.
    void AppNameSet_Command2_Click() { form_.Close(); }

    AppNameSetModel model_;
    Form form_{kAppSetForm, *this};
};

}  // namespace

void ShowAppNameSet(HWND owner, ChannelSettings& settings) {
    AppNameSetWindow window(settings);
    window.Run(owner);
}

}  // namespace kelo
