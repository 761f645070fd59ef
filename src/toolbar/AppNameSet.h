#pragma once
// The settings dialog `AppNameSet`: host title and the two waits.
#include <array>
#include <string>
#include <string_view>

#include "toolbar/Settings.h"

namespace kelo {

struct FormControl {
    std::string_view name;
    enum class Kind { Label, Text, Button } kind;
    std::string_view text;  // as designed; boxes are refilled at load
    int left, top, width, height;  // twips in the client area
    int tabIndex;
};

inline constexpr int kAppSetClientWidth = 4635;
inline constexpr int kAppSetClientHeight = 1620;
inline constexpr std::array kAppSetControls{
    FormControl{"Label1", FormControl::Kind::Label, "アプリのタイトル名を入力してください。", 240, 120, 3855, 375, 3},
    FormControl{"Text1", FormControl::Kind::Text, "Creo Elements/Direct Drafting 20.3", 120, 480, 4215, 375, 0},
    FormControl{"Label2", FormControl::Kind::Label, "Act. Time", 360, 840, 855, 255, 6},
    FormControl{"Label3", FormControl::Kind::Label, "Enter Time", 1440, 840, 855, 255, 7},
    FormControl{"Text2", FormControl::Kind::Text, "Text2", 240, 1080, 855, 375, 4},
    FormControl{"Text3", FormControl::Kind::Text, "Text3", 1440, 1080, 735, 390, 5},
    FormControl{"Command1", FormControl::Kind::Button, "O K", 2400, 960, 855, 495, 1},
    FormControl{"Command2", FormControl::Kind::Button, "Cancel", 3480, 960, 855, 495, 2},
};

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
