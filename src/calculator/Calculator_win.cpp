#include "calculator/Calculator_win.h"

#include <string>

#include "calculator/CalculatorForm.h"
#include "calculator/CalculatorModel.h"
#include "resources/Pictures_win.h"
#include "ui/Clipboard_win.h"
#include "ui/Retry.h"
#include "ui/Wait_win.h"
#include "ui/Form_win.h"

namespace kelo {

namespace {

// The calculator's window: the one form, run as the program's main window, moving
// texts and events between its controls and the calculator's model.
class CalculatorWindow : public FormEvents {
   public:
    int Run(int showCommand) { return form_.RunAsMainWindow(showCommand); }

    // The calculator's own picture in the caption and on the taskbar.
    void OnLoad() override {
        icons_.Set(form_.hwnd(), [](int sizePx) { return CreatePictureIcon("Calculator", sizePx); });
    }
    void OnShown() override { form_.MoveFocus(calc::kExpression); }

    // Every keystroke evaluates the box again; a history line picked before no longer shows.
    void OnTextChanged(const ControlRow&, std::string text) override {
        model_.OnTextChanged(text);
        form_.SelectLine(calc::kHistory, -1);
        ShowResult();
    }

    void OnChar(const ControlRow&, char16_t ch) override {
        if (ch == u'\r') Enter();
    }

    void OnClick(const ControlRow& button) override {
        if (button.name == calc::kCopy) Copy();
    }

    // A history line puts its expression back into the box; the focus stays in the list,
    // so the arrow keys can walk the history.
    void OnSelect(const ControlRow&, int index) override {
        const auto& history = model_.History();
        if (index < 0 || static_cast<std::size_t>(index) >= history.size()) return;
        const std::string expression = history[static_cast<std::size_t>(index)].expression;
        form_.SetText(calc::kExpression, expression);
        form_.PlaceCaretAtEnd(calc::kExpression);
        model_.OnTextChanged(expression);
        ShowResult();
    }

    // Ctrl+C copies the result as coordinate text, except where the box has a selection:
    // there it copies the selected text, as in every box.
    bool OnCtrlKey(const ControlRow* focused, UINT key) override {
        if (key != 'C') return false;
        if (focused != nullptr && focused->name == calc::kExpression && form_.HasSelectedText(calc::kExpression))
            return false;
        Copy();
        return true;
    }

    void OnCloseRequest() override { form_.Close(); }

   private:
    // Enter: the model keeps the line in the history and says what the box holds now.
    void Enter() {
        model_.Evaluate();
        form_.SetLines(calc::kHistory, HistoryLines(model_));
        if (form_.Text(calc::kExpression) != model_.Text()) form_.SetText(calc::kExpression, model_.Text());
        ShowResult();
    }

    void Copy() {
        const CopyResult copy = model_.CopyText();
        // Another program may hold the clipboard open for a moment (a clipboard manager
        // that follows every change): try again, the window live, before saying "busy".
        const bool copied = copy.text && RetryWhileBusy([&] { return CopyTextToClipboard(form_.hwnd(), *copy.text); },
                                                        &WaitLive);
        form_.SetText(calc::kStatus, CopyStatus(copy, copied));
    }

    // The result line, and a status line that speaks only of the last copy of this result.
    void ShowResult() {
        form_.SetText(calc::kResult, model_.ResultText());
        form_.SetText(calc::kStatus, "");
    }

    CalculatorModel model_;
    Form form_{kCalcForm, *this};
    WindowIcons icons_;
};

}  // namespace

int RunCalculator(int showCommand) {
    CalculatorWindow window;
    return window.Run(showCommand);
}

}  // namespace kelo
