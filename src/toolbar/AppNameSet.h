#pragma once
// The settings dialog `AppNameSet`: host title and the two waits.
#include <array>
#include <string>
#include <string_view>

#include "text/Texts.h"
#include "toolbar/Settings.h"
#include "ui/FormTable.h"

namespace kelo {

inline constexpr std::array kAppSetControls{
    ControlRow{"Label1", ControlKind::Label, 240, 120, 3855, 375, texts::kAppSetPrompt, 3},
    ControlRow{"Text1", ControlKind::Text, 120, 480, 4215, 375, texts::kDefaultHostTitle, 0},
    ControlRow{"Label2", ControlKind::Label, 360, 840, 855, 255, "Act. Time", 6},
    ControlRow{"Label3", ControlKind::Label, 1440, 840, 855, 255, "Enter Time", 7},
    ControlRow{"Text2", ControlKind::Text, 240, 1080, 855, 375, "Text2", 4},
    ControlRow{"Text3", ControlKind::Text, 1440, 1080, 735, 390, "Text3", 5},
    ControlRow{"Command1", ControlKind::Button, 2400, 960, 855, 495, "O K", 1},
    ControlRow{"Command2", ControlKind::Button, 3480, 960, 855, 495, "Cancel", 2},
};
inline constexpr FormSpec kAppSetForm{"AppNameSet", texts::kAppSetCaption, 4635, 1620, kAppSetControls};

// The dialog's model: box texts in, settings out.
class AppNameSetModel {
   public:
    explicit AppNameSetModel(ChannelSettings& settings) : settings_(settings) {}

    void AppNameSet_Form_Load();
    // O K. Returns true when the dialog should close; false leaves it open
    // with `message` set (an Enter Time that is not a number).
    bool AppNameSet_Command1_Click();

    std::string text1, text2, text3;
    std::string message;

   private:
    ChannelSettings& settings_;
};

}  // namespace kelo
