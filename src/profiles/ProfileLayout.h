#pragma once
// The profile dialogs' common frame: a column of labels, a column of boxes, the
// buttons on the right; rows of their control tables are made here.
#include <string_view>

#include "text/Texts.h"
#include "ui/FormTable.h"

namespace kelo {

inline constexpr int kLabelLeft = 480, kLabelWidth = 975, kLabelHeight = 255, kLabelBelowBox = 120;
inline constexpr int kBoxLeft = 1680, kBoxWidth = 1095, kBoxHeight = 375;
inline constexpr int kButtonWidth = 1215, kButtonHeight = 375;

namespace layout {

inline constexpr std::string_view kLabelNames[] = {"Label1", "Label2", "Label3", "Label4",
                                                   "Label5", "Label6", "Label7"};
inline constexpr std::string_view kBoxNames[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
inline constexpr std::string_view kOkButton = "OKButton";
inline constexpr std::string_view kNote = "Note";
inline constexpr std::string_view kCancelButton = "CancelButton";

// The label of box `n`, 120 twips below the top of its box.
consteval ControlRow Label(int n, int boxTop, std::string_view caption) {
    return {kLabelNames[n - 1], ControlKind::Label, kLabelLeft, boxTop + kLabelBelowBox, kLabelWidth, kLabelHeight,
            caption};
}
consteval ControlRow Box(int n, int top, int tabIndex, std::string_view enterTarget) {
    return {kBoxNames[n - 1], ControlKind::Text, kBoxLeft, top, kBoxWidth, kBoxHeight, {}, tabIndex, enterTarget};
}
consteval ControlRow Button(std::string_view name, int left, int top, std::string_view caption, int tabIndex) {
    return {name, ControlKind::Button, left, top, kButtonWidth, kButtonHeight, caption, tabIndex};
}

}  // namespace layout

// A profile dialog's form: labels and boxes in "ＭＳ ゴシック" 12 pt.
consteval FormSpec ProfileForm(std::string_view name, std::string_view caption, int width, int height,
                               std::span<const ControlRow> controls) {
    return {name, caption, width, height, controls, FormFont::Gothic12};
}

}  // namespace kelo
