#pragma once
// What a profile dialog's model asks of the window that shows it.
#include <string_view>

#include "channel/Desktop.h"

namespace kelo {

class ProfileView {
   public:
    virtual ~ProfileView() = default;
    virtual MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) = 0;
    // `control` is a row name of the dialog's table ("Text3", "OKButton").
    virtual void MoveFocus(std::string_view control) = 0;
    // Ends the dialog; the model stays valid until the view is gone.
    virtual void Close() = 0;
    // The model changed box `box` (1 for Text1); the view shows `text` without
    // reporting it back as a user's change.
    virtual void ShowBoxText(int box, std::string_view text) = 0;
    // A line of the dialog that says why a computation gave no result; "" hides it.
    virtual void ShowNote(std::string_view text) = 0;
};

}  // namespace kelo
