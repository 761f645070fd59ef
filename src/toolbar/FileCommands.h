#pragma once
// The three buttons that pass a path chosen in the common file dialog to the
// host's LOAD and STORE commands, with the dialog control's carry-over state.
#include <optional>
#include <string>
#include <string_view>

#include "channel/HostChannel.h"
#include "toolbar/Settings.h"
#include "ui/FileDialogs.h"

namespace kelo {

// The dialog's flags for a save: OFN_OVERWRITEPROMPT (2) | OFN_PATHMUSTEXIST (2048).
inline constexpr unsigned kStoreDialogFlags = 2050;

// Puts each key-notation character ("+^%~(){}[]") in braces, so that the
// host receives `text` exactly as it stands.
std::string EscapeKeyText(std::string_view text);

class FileCommands {
   public:
    // Contract: all three outlive this object. The folders live in `settings`.
    FileCommands(HostChannel& channel, Settings& settings, FileDialogs& dialogs)
        : channel_(channel), settings_(settings), dialogs_(dialogs) {}

    // Each ends silently on a Cancel that raises the cancel error and on any
    // failure, such as a host that is not running.
    void Menu_File_Load_Click();
    void Menu_Part_box_Click();
    void Menu_File_Store_Click();

   private:
    void LoadInto(std::string& folder);
    // The dialog's answer; nullopt when it cannot be shown.
    std::optional<FileDialogResult> Ask(const FileDialogRequest& request);
    void RememberFilter(const FileDialogResult& result);
    // False when the path cannot be typed; the refusal has then been shown.
    bool CanType(std::string_view path);

    HostChannel& channel_;
    Settings& settings_;
    FileDialogs& dialogs_;
    // The one shared dialog control's properties that outlive a command.
    bool cancelError_ = false;  // switched on by the first load, never off
    unsigned flags_ = 0;        // whatever the last save set
    int filterIndex_ = 1;       // the pair chosen last
};

}  // namespace kelo
