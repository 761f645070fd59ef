#pragma once
// The one table-driven form, built from its control table at the table's twips for
// the window's DPI (and again when the DPI changes): a modal tool window over an
// owner, or a program's own main window. What happens in it is the caller's: the
// form only reports the events.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/FormTable.h"
#include "ui/Window_win.h"

namespace kelo {

// What a form reports. None of these may throw past its own trap; the form
// catches whatever does, as every window does.
class FormEvents {
   public:
    virtual ~FormEvents() = default;
    virtual void OnLoad() {}   // the controls exist; the form is not yet shown
    virtual void OnShown() {}  // the form is shown and active for the first time
    // The user changed the text of a box (a text set by SetText is not reported).
    virtual void OnTextChanged(const ControlRow& /*box*/, std::string /*text*/) {}
    // A character typed in a box. Enter reaches here and goes no further (it presses no button).
    virtual void OnChar(const ControlRow& /*box*/, char16_t /*ch*/) {}
    // The focus left the box for another control of this form (not for another window).
    virtual void OnLostFocus(const ControlRow& /*box*/) {}
    // The focus came into the box.
    virtual void OnFocus(const ControlRow& /*box*/) {}
    // Up, Down, Page Up or Page Down (the virtual key) in a box. True: the events took
    // the key and the box never gets it.
    virtual bool OnBoxKey(const ControlRow& /*box*/, UINT /*key*/) { return false; }
    // The user moved a scroll bar (its arrows, its track, the thumb, or the mouse wheel
    // over the form) to `position`.
    virtual void OnScrolled(const ControlRow& /*bar*/, int /*position*/) {}
    virtual void OnClick(const ControlRow& /*button*/) {}
    // The user picked line `index` of a list (a click or the arrow keys).
    virtual void OnSelect(const ControlRow& /*list*/, int /*index*/) {}
    // Ctrl with the virtual key `key` ('C' for Ctrl+C), Alt not held, before the control
    // with the focus (`focused`, none when it is not one of the form's) sees it. True:
    // the events took the key and the control never gets it.
    virtual bool OnCtrlKey(const ControlRow* /*focused*/, UINT /*key*/) { return false; }
    // The close box, Alt+F4 or the system menu; the events decide whether to Close().
    virtual void OnCloseRequest() {}
};

class Form : public Window {
   public:
    // The form keeps references: `layout` and `events` must outlive it.
    Form(const FormSpec& layout, FormEvents& events) : layout_(layout), events_(events) {}
    ~Form() override;

    // Builds the form, shows it centred on the owner's monitor with the owner
    // disabled, and returns once it has been closed and destroyed.
    void ShowModal(HWND owner);
    // Builds the form as the program's main window (no owner, a taskbar entry, a
    // minimize box, above all windows that are not topmost themselves), shows it
    // centred on the primary monitor with `showCommand` and runs the message loop
    // until the form is closed or the thread is told to quit. Returns the exit code.
    int RunAsMainWindow(int showCommand);
    // Ends the form; ShowModal and RunAsMainWindow return when the current event is over.
    void Close();

    // Sets a control's text without reporting it as a change.
    void SetText(std::string_view name, std::string_view text);
    // Sets a box's text as if the user had typed it: the change is reported.
    void TypeText(std::string_view name, std::string_view text);
    std::string Text(std::string_view name) const;
    // Moves the focus as Tab would: a push button that gets it becomes the default
    // one, so that the next Enter presses it.
    void MoveFocus(std::string_view name);
    // Selects the whole text of a box.
    void SelectAll(std::string_view name);
    // Shows `text` in the note `name`, growing the form below its designed client
    // area to show it, or shrinking it back to the design when `text` is empty.
    void ShowNote(std::string_view name, std::string_view text);
    // Puts the caret after the last character of a box, nothing selected.
    void PlaceCaretAtEnd(std::string_view name);
    // Whether the control has the keyboard focus.
    bool HasFocus(std::string_view name) const;
    // Whether part of a box's text is selected.
    bool HasSelectedText(std::string_view name) const;
    // Replaces the lines of a list (none selected).
    void SetLines(std::string_view name, std::span<const std::string> lines);
    // Selects line `index` of a list; -1 selects none. Not reported as the user's pick.
    void SelectLine(std::string_view name, int index);
    // A scroll bar over `count` lines of which `page` show at a time, at `position`
    // (0 to count - page). Not reported as the user's move.
    void SetScroll(std::string_view name, int position, int count, int page);
    // Whether a control takes input.
    void Enable(std::string_view name, bool enabled);

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

   private:
    BOOL OnCreate(HWND hwnd, LPCREATESTRUCT create);
    void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    void OnClose(HWND hwnd);
    void OnVScroll(HWND hwnd, HWND bar, UINT code, int thumb);
    void OnMouseWheel(HWND hwnd, int x, int y, int delta, UINT keys);
    // Moves scroll bar `index` (a row of the table) to `position` and reports it.
    void ScrollTo(std::size_t index, int position);
    void OnDpiChanged(UINT dpi, const RECT* suggested);

    // Sizes and places the window (centred, or at `suggested` after a DPI change)
    // and every control, with fonts made for `dpi`.
    void Layout(UINT dpi, const RECT* suggested);
    // The client height the form shows now: the design's, or down to the bottom of a note with a text.
    int ClientHeightTwips() const;
    // Runs the messages of the form's thread until Close; the WM_QUIT code if one came.
    std::optional<int> RunMessageLoop();
    HWND ControlOf(std::string_view name) const;
    const ControlRow* RowOf(HWND control) const;
    void DeleteFonts();

    static LRESULT CALLBACK BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

    const FormSpec& layout_;
    FormEvents& events_;
    HWND owner_ = nullptr;
    std::vector<HWND> controls_;  // by table row
    HFONT uiFont_ = nullptr;
    HFONT textFont_ = nullptr;
    HWND focusGoesTo_ = nullptr;
    bool updating_ = false;
    bool done_ = false;
    std::string_view shownNote_;  // the note whose text is shown, if any
};

}  // namespace kelo
