#pragma once
// Control tables of the profile dialogs: every label, box and button with its
// place in twips as designed, its caption, its tab order and where Enter in it
// moves the focus. The Win32 view builds each dialog from its table.
#include <cstdint>
#include <span>
#include <string_view>

#include "channel/Texts.h"

namespace kelo {

enum class ControlKind : std::uint8_t { Label, Text, Button };

struct ControlRow {
    std::string_view name;  // "Label1", "Text1", "OKButton" ...
    ControlKind kind;
    int left, top, width, height;  // twips, within the client area
    std::string_view caption;      // labels and buttons
    int tabIndex;                  // -1: never takes the focus
    std::string_view enterTarget;  // boxes: where Enter moves the focus
    int box;                       // boxes: 1 for Text1 ...; 0 otherwise
};

struct DialogLayout {
    std::string_view name;     // "frm_FACE"
    std::string_view caption;  // window title, and the title of its check messages
    int clientWidth, clientHeight;  // twips
    std::span<const ControlRow> controls;
};

// The common frame: a column of labels, a column of boxes, the buttons on the right.
inline constexpr int kLabelLeft = 480, kLabelWidth = 975, kLabelHeight = 255, kLabelBelowBox = 120;
inline constexpr int kBoxLeft = 1680, kBoxWidth = 1095, kBoxHeight = 375;
inline constexpr int kButtonWidth = 1215, kButtonHeight = 375;

namespace layout {

inline constexpr std::string_view kLabelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
inline constexpr std::string_view kBoxNames[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};

consteval ControlRow Label(int n, int boxTop, std::string_view caption) {
    return {kLabelNames[n - 1], ControlKind::Label, kLabelLeft, boxTop + kLabelBelowBox, kLabelWidth, kLabelHeight,
            caption, -1, {}, 0};
}
consteval ControlRow Box(int n, int top, int tabIndex, std::string_view enterTarget) {
    return {kBoxNames[n - 1], ControlKind::Text, kBoxLeft, top, kBoxWidth, kBoxHeight, {}, tabIndex, enterTarget, n};
}
consteval ControlRow Button(std::string_view name, int left, int top, std::string_view caption, int tabIndex) {
    return {name, ControlKind::Button, left, top, kButtonWidth, kButtonHeight, caption, tabIndex, {}, 0};
}

inline constexpr std::string_view kOkButton = "OKButton";
inline constexpr std::string_view kCancelButton = "CancelButton";

}  // namespace layout

// The row named `name`, or nullptr.
constexpr const ControlRow* FindControl(const DialogLayout& dialog, std::string_view name) {
    for (const auto& row : dialog.controls) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

// The row of box `box` (1 for Text1), or nullptr.
constexpr const ControlRow* FindBox(const DialogLayout& dialog, int box) {
    for (const auto& row : dialog.controls) {
        if (row.kind == ControlKind::Text && row.box == box) return &row;
    }
    return nullptr;
}

constexpr int BoxCount(const DialogLayout& dialog) {
    int count = 0;
    for (const auto& row : dialog.controls) count += row.kind == ControlKind::Text;
    return count;
}

}  // namespace kelo
