#pragma once
// The one row type of every control table (the toolbar's layout, the settings
// dialog, the profile dialogs): each control as designed, in twips.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kelo {

// A Note is a line of the form's own (not of the design) below the designed client
// area: the form grows to show it while it has a text and shrinks back when it is empty.
// Readout: a one-line label that the program writes (a result), cut with "..." when too long.
// List: a list of lines the user can pick one of.
// ScrollBar: a vertical scroll bar whose position the program sets and the user moves.
enum class ControlKind : std::uint8_t { Label, Text, Button, Frame, PictureButton, Note, Readout, List, ScrollBar };

// Picture buttons: which pictures the button carries (the second is its pressed look).
enum PictureBits : std::uint8_t { kFirstPicture = 1, kSecondPicture = 2 };

struct ControlRow {
    std::string_view name;  // "Text1", "OKButton", "Line_Poinr2", "Frame3"
    ControlKind kind;
    int left, top, width, height;       // twips, within `frame` or else the client area
    std::string_view caption = {};      // labels, buttons and frames; a box's design text
    int tabIndex = -1;                  // the Tab order; -1: never takes the focus
    std::string_view enterTarget = {};  // boxes: where Enter moves the focus ("" : nowhere)
    std::string_view frame = {};        // the frame that holds the control, "" for the client area
    std::uint8_t pictures = 0;          // PictureBits
};

// Which face the labels and boxes of a form use; buttons always use the system's UI font.
enum class FormFont : std::uint8_t { Ui, Gothic12 };

struct FormSpec {
    std::string_view name;     // "frm_FACE", "AppNameSet"
    std::string_view caption;  // window title, and the title of its check messages
    int clientWidth, clientHeight;  // twips
    std::span<const ControlRow> controls;
    FormFont textFont = FormFont::Ui;
};

struct TwipRect {
    int left, top, width, height;
    bool operator==(const TwipRect&) const = default;
};

// Index of the row named `name`.
constexpr std::optional<std::size_t> FindControl(std::span<const ControlRow> rows, std::string_view name) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].name == name) return i;
    return std::nullopt;
}

// 3 for "Text3", 0 for a name that is not a box's.
constexpr int BoxNumber(std::string_view name) {
    constexpr std::string_view kPrefix = "Text";
    if (name.size() <= kPrefix.size() || name.substr(0, kPrefix.size()) != kPrefix) return 0;
    int n = 0;
    for (char c : name.substr(kPrefix.size())) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Index of the row of box `box` (1 for Text1).
constexpr std::optional<std::size_t> FindBox(std::span<const ControlRow> rows, int box) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].kind == ControlKind::Text && BoxNumber(rows[i].name) == box) return i;
    return std::nullopt;
}

constexpr int BoxCount(std::span<const ControlRow> rows) {
    int count = 0;
    for (const auto& row : rows) count += row.kind == ControlKind::Text;
    return count;
}

// The row's rectangle in the client area: a framed control is shifted by its frame.
constexpr TwipRect ClientRectTwips(std::span<const ControlRow> rows, const ControlRow& row) {
    TwipRect r{row.left, row.top, row.width, row.height};
    if (!row.frame.empty()) {
        if (const auto frame = FindControl(rows, row.frame)) {
            r.left += rows[*frame].left;
            r.top += rows[*frame].top;
        }
    }
    return r;
}

// Twips to pixels at `dpi`, rounded to nearest.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace kelo
