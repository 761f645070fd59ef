#pragma once
// The common open and save dialogs of Windows.
#include <windows.h>

#include "ui/FileDialogs.h"

namespace kelo {

class Win32FileDialogs : public FileDialogs {
   public:
    // The dialogs are modal on `owner`.
    void SetOwner(HWND owner) { owner_ = owner; }

    // Throws when the dialog fails for another reason than a Cancel.
    FileDialogResult Show(const FileDialogRequest& request) override;

   private:
    HWND owner_ = nullptr;
};

}  // namespace kelo
