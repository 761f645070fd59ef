#pragma once
// The common open and save dialogs behind the file commands.
#include <windows.h>

#include "toolbar/FileCommands.h"

namespace kelo {

class Win32FileDialogs : public FileDialogs {
   public:
    // The dialogs are modal on `owner`, the toolbar window.
    void SetOwner(HWND owner) { owner_ = owner; }

    // Throws when the dialog fails for another reason than a Cancel.
    FileDialogResult Show(const FileDialogRequest& request) override;

   private:
    HWND owner_ = nullptr;
};

}  // namespace kelo
