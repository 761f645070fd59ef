#pragma once
// Where every control of the toolbar window sits, in twips as designed.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelo {

enum class Container : std::uint8_t { Form, Frame3, Frame2, Frame1, Frame4 };
enum class LayoutKind : std::uint8_t { Frame, PictureButton, TextButton };

struct LayoutRow {
    std::string_view name;
    LayoutKind kind;
    Container container;  // a frame's children are placed relative to the frame
    int left, top, width, height;
    bool picture;        // shows a picture of its own
    bool secondPicture;  // carries a second picture (shown while pressed)
    std::string_view caption;  // frames and C_EXTEND only
};

// Frames first, then each frame's buttons row by row, then the window's own controls.
inline constexpr std::array kLayout{
    LayoutRow{"Frame3", LayoutKind::Frame, Container::Form, -120, 0, 3570, 1220, false, false, "寸法"},
    LayoutRow{"Frame2", LayoutKind::Frame, Container::Form, 3360, 0, 6465, 1220, false, false, "作図"},
    LayoutRow{"Frame1", LayoutKind::Frame, Container::Form, 9720, 0, 4540, 1220, false, false, "下書き"},
    LayoutRow{"Frame4", LayoutKind::Frame, Container::Form, 14160, 0, 4545, 1220, false, false, "その他"},
    LayoutRow{"Dim_Line_PARALLEL", LayoutKind::PictureButton, Container::Frame3, 120, 240, 495, 495, true, false, ""},
    LayoutRow{"Dim_Line_HORIZONTAL", LayoutKind::PictureButton, Container::Frame3, 600, 240, 490, 490, true, false, ""},
    LayoutRow{"Dim_Line_VERTICAL", LayoutKind::PictureButton, Container::Frame3, 1080, 240, 490, 490, true, false, ""},
    LayoutRow{"Dim_Line_VERTICAL_DIA", LayoutKind::PictureButton, Container::Frame3, 1560, 240, 490, 490, true, false, ""},
    LayoutRow{"Dim_Line_SYM_VERTICAL_DIA", LayoutKind::PictureButton, Container::Frame3, 2040, 240, 490, 490, true, false, ""},
    LayoutRow{"Dim_CHAMFER", LayoutKind::PictureButton, Container::Frame3, 2520, 240, 495, 490, true, false, ""},
    LayoutRow{"Dim_Pos", LayoutKind::PictureButton, Container::Frame3, 3000, 240, 495, 490, true, false, ""},
    LayoutRow{"Dim_ANGLE", LayoutKind::PictureButton, Container::Frame3, 120, 720, 495, 495, true, false, ""},
    LayoutRow{"Dim_Datum_Short_HORIZONTAL", LayoutKind::PictureButton, Container::Frame3, 600, 720, 490, 490, true, false, ""},
    LayoutRow{"Dim_Datum_Long", LayoutKind::PictureButton, Container::Frame3, 1080, 720, 490, 490, true, false, ""},
    LayoutRow{"Dim_Line_HORIZONTAL_DIA", LayoutKind::PictureButton, Container::Frame3, 1560, 720, 490, 490, true, false, ""},
    LayoutRow{"Dim_DIAMETER", LayoutKind::PictureButton, Container::Frame3, 2040, 720, 490, 490, true, false, ""},
    LayoutRow{"Dim_RADIUS", LayoutKind::PictureButton, Container::Frame3, 2520, 720, 495, 490, true, false, ""},
    LayoutRow{"Dim_Pos_Text", LayoutKind::PictureButton, Container::Frame3, 3000, 720, 495, 490, true, false, ""},
    LayoutRow{"Line_Poinr2", LayoutKind::PictureButton, Container::Frame2, 120, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_HORIZONTAL", LayoutKind::PictureButton, Container::Frame2, 600, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_VERTICAL", LayoutKind::PictureButton, Container::Frame2, 1080, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_PARALLEL", LayoutKind::PictureButton, Container::Frame2, 1560, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_PERPENDICULAR", LayoutKind::PictureButton, Container::Frame2, 2040, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_PT_ANG_DIST", LayoutKind::PictureButton, Container::Frame2, 2520, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_POLYGON", LayoutKind::PictureButton, Container::Frame2, 3000, 240, 490, 490, true, false, ""},
    LayoutRow{"Line_RECTANGLE", LayoutKind::PictureButton, Container::Frame2, 3480, 240, 490, 490, true, false, ""},
    LayoutRow{"Chamfer_VERTEX", LayoutKind::PictureButton, Container::Frame2, 3960, 240, 490, 490, true, true, ""},
    LayoutRow{"Fillet", LayoutKind::PictureButton, Container::Frame2, 4440, 240, 490, 490, true, true, ""},
    LayoutRow{"HATCH", LayoutKind::PictureButton, Container::Frame2, 4920, 240, 490, 490, true, false, ""},
    LayoutRow{"SPLIT", LayoutKind::PictureButton, Container::Frame2, 5400, 240, 490, 490, true, false, ""},
    LayoutRow{"TRIM1", LayoutKind::PictureButton, Container::Frame2, 5880, 240, 490, 490, true, false, ""},
    LayoutRow{"Circle_CENTER", LayoutKind::PictureButton, Container::Frame2, 120, 720, 490, 490, true, false, ""},
    LayoutRow{"Circle_DIAMETER", LayoutKind::PictureButton, Container::Frame2, 600, 720, 490, 490, true, false, ""},
    LayoutRow{"Circle_TAN2_PT", LayoutKind::PictureButton, Container::Frame2, 1080, 720, 490, 490, true, false, ""},
    LayoutRow{"Circle_THREE_PTS", LayoutKind::PictureButton, Container::Frame2, 1560, 720, 490, 490, true, true, ""},
    LayoutRow{"Arc_THREE_PTS", LayoutKind::PictureButton, Container::Frame2, 2040, 720, 490, 490, true, true, ""},
    LayoutRow{"Arc_DIAMETER", LayoutKind::PictureButton, Container::Frame2, 2520, 720, 490, 490, true, true, ""},
    LayoutRow{"Arc_CEN_BEG_END", LayoutKind::PictureButton, Container::Frame2, 3000, 720, 490, 490, true, true, ""},
    LayoutRow{"Line_TAN_PT", LayoutKind::PictureButton, Container::Frame2, 3480, 720, 490, 490, true, false, ""},
    LayoutRow{"Line_TAN2", LayoutKind::PictureButton, Container::Frame2, 3960, 720, 490, 490, true, false, ""},
    LayoutRow{"Fillet_Delete", LayoutKind::PictureButton, Container::Frame2, 4440, 720, 490, 490, true, true, ""},
    LayoutRow{"HATCH_delete", LayoutKind::PictureButton, Container::Frame2, 4920, 720, 490, 490, true, false, ""},
    LayoutRow{"MERGE", LayoutKind::PictureButton, Container::Frame2, 5400, 720, 490, 490, true, false, ""},
    LayoutRow{"TRIM2", LayoutKind::PictureButton, Container::Frame2, 5880, 720, 490, 490, true, false, ""},
    LayoutRow{"Point2", LayoutKind::PictureButton, Container::Frame1, 120, 240, 490, 490, true, false, ""},
    LayoutRow{"Horizontal", LayoutKind::PictureButton, Container::Frame1, 600, 240, 490, 490, true, false, ""},
    LayoutRow{"Vertical", LayoutKind::PictureButton, Container::Frame1, 1080, 240, 490, 490, true, false, ""},
    LayoutRow{"Parallel", LayoutKind::PictureButton, Container::Frame1, 1560, 240, 490, 490, true, false, ""},
    LayoutRow{"Perpendicular", LayoutKind::PictureButton, Container::Frame1, 2040, 240, 490, 490, true, false, ""},
    LayoutRow{"PtAng", LayoutKind::PictureButton, Container::Frame1, 2520, 240, 490, 490, true, false, ""},
    LayoutRow{"TanPt", LayoutKind::PictureButton, Container::Frame1, 3000, 240, 490, 490, true, false, ""},
    LayoutRow{"Tan2", LayoutKind::PictureButton, Container::Frame1, 3480, 240, 490, 490, true, false, ""},
    LayoutRow{"Bisect", LayoutKind::PictureButton, Container::Frame1, 3960, 240, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_Center", LayoutKind::PictureButton, Container::Frame1, 120, 720, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_Diameter", LayoutKind::PictureButton, Container::Frame1, 600, 720, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_Parallel", LayoutKind::PictureButton, Container::Frame1, 1080, 720, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_Tan2_PT", LayoutKind::PictureButton, Container::Frame1, 1560, 720, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_3Point", LayoutKind::PictureButton, Container::Frame1, 2040, 720, 490, 490, true, true, ""},
    LayoutRow{"C_Circle_PT_PT", LayoutKind::PictureButton, Container::Frame1, 2520, 720, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_TAN3", LayoutKind::PictureButton, Container::Frame1, 3000, 720, 490, 490, true, false, ""},
    LayoutRow{"C_Circle_TAN_CENTER", LayoutKind::PictureButton, Container::Frame1, 3480, 720, 490, 490, true, false, ""},
    LayoutRow{"AngBisect", LayoutKind::PictureButton, Container::Frame1, 3960, 720, 490, 490, true, false, ""},
    LayoutRow{"TEXT_SIZE", LayoutKind::PictureButton, Container::Frame4, 120, 240, 490, 495, true, false, ""},
    LayoutRow{"TEXT_INPUT", LayoutKind::PictureButton, Container::Frame4, 600, 240, 490, 495, true, false, ""},
    LayoutRow{"LEADER_ARROW", LayoutKind::PictureButton, Container::Frame4, 1080, 240, 490, 490, true, false, ""},
    LayoutRow{"UNDO", LayoutKind::PictureButton, Container::Frame4, 1560, 240, 490, 490, true, false, ""},
    LayoutRow{"REDO", LayoutKind::PictureButton, Container::Frame4, 2040, 240, 490, 490, true, false, ""},
    LayoutRow{"C_GREEN", LayoutKind::PictureButton, Container::Frame4, 2520, 240, 495, 255, true, false, ""},
    LayoutRow{"LINE_dot_c", LayoutKind::PictureButton, Container::Frame4, 3000, 240, 495, 255, true, false, ""},
    LayoutRow{"MODIFY_MIRROR", LayoutKind::PictureButton, Container::Frame4, 3480, 240, 490, 490, true, false, ""},
    LayoutRow{"MOVE", LayoutKind::PictureButton, Container::Frame4, 3960, 240, 490, 490, true, false, ""},
    LayoutRow{"C_WHITE", LayoutKind::PictureButton, Container::Frame4, 2520, 480, 495, 255, true, false, ""},
    LayoutRow{"LINE_dash", LayoutKind::PictureButton, Container::Frame4, 3000, 480, 495, 255, true, false, ""},
    LayoutRow{"TEXT_SIZE_CHANGE", LayoutKind::PictureButton, Container::Frame4, 120, 720, 490, 495, true, false, ""},
    LayoutRow{"TEXT_EDIT", LayoutKind::PictureButton, Container::Frame4, 600, 720, 490, 495, true, false, ""},
    LayoutRow{"CM_END", LayoutKind::PictureButton, Container::Frame4, 1080, 720, 490, 490, true, false, ""},
    LayoutRow{"EDIT_PART", LayoutKind::PictureButton, Container::Frame4, 1560, 720, 490, 490, true, false, ""},
    LayoutRow{"DELETE", LayoutKind::PictureButton, Container::Frame4, 2040, 720, 490, 490, true, false, ""},
    LayoutRow{"C_YELLOW", LayoutKind::PictureButton, Container::Frame4, 2520, 720, 495, 255, true, false, ""},
    LayoutRow{"LINE_c_dash_d", LayoutKind::PictureButton, Container::Frame4, 3000, 720, 495, 255, true, false, ""},
    LayoutRow{"MODIFY_180", LayoutKind::PictureButton, Container::Frame4, 3480, 720, 490, 490, true, false, ""},
    LayoutRow{"COPY", LayoutKind::PictureButton, Container::Frame4, 3960, 720, 490, 490, true, false, ""},
    LayoutRow{"C_MAGENTA", LayoutKind::PictureButton, Container::Frame4, 2520, 960, 495, 255, true, false, ""},
    LayoutRow{"LINE_solid", LayoutKind::PictureButton, Container::Frame4, 3000, 960, 495, 255, true, false, ""},
    LayoutRow{"AppSet", LayoutKind::PictureButton, Container::Form, 18600, 120, 570, 375, true, false, ""},
    LayoutRow{"Calculator", LayoutKind::PictureButton, Container::Form, 18600, 480, 570, 375, true, false, ""},
    LayoutRow{"C_EXTEND", LayoutKind::TextButton, Container::Form, 18600, 840, 570, 375, false, false, "▼"},
    LayoutRow{"Angle_2", LayoutKind::PictureButton, Container::Form, 0, 1200, 495, 495, true, false, ""},
    LayoutRow{"Dim_Datum_Short_VERTICAL", LayoutKind::PictureButton, Container::Form, 480, 1200, 490, 490, true, false, ""},
    LayoutRow{"Dim_Datum_Long_Vertical", LayoutKind::PictureButton, Container::Form, 960, 1200, 490, 490, true, false, ""},
    LayoutRow{"ADD_FAI", LayoutKind::PictureButton, Container::Form, 1440, 1200, 490, 490, true, false, ""},
    LayoutRow{"ADD_SQUARE", LayoutKind::PictureButton, Container::Form, 1920, 1200, 490, 490, true, false, ""},
    LayoutRow{"MEASURE", LayoutKind::PictureButton, Container::Form, 2400, 1200, 490, 490, true, false, ""},
    LayoutRow{"EDIT_TEXT", LayoutKind::PictureButton, Container::Form, 2880, 1200, 495, 490, true, false, ""},
    LayoutRow{"DOT_GRID", LayoutKind::PictureButton, Container::Form, 3480, 1200, 490, 490, true, true, ""},
    LayoutRow{"SPOTLIGHT", LayoutKind::PictureButton, Container::Form, 3960, 1200, 490, 490, true, false, ""},
    LayoutRow{"FIT", LayoutKind::PictureButton, Container::Form, 4440, 1200, 490, 490, true, true, ""},
    LayoutRow{"PRT_EDITOR", LayoutKind::PictureButton, Container::Form, 4920, 1200, 490, 490, true, true, ""},
    LayoutRow{"ELL_VVP", LayoutKind::PictureButton, Container::Form, 5400, 1200, 490, 490, true, true, ""},
    LayoutRow{"ARC_1", LayoutKind::PictureButton, Container::Form, 5880, 1200, 490, 490, true, true, ""},
    LayoutRow{"ARC_2", LayoutKind::PictureButton, Container::Form, 6360, 1200, 490, 490, true, true, ""},
    LayoutRow{"IN_TAPER", LayoutKind::PictureButton, Container::Form, 6840, 1200, 490, 490, true, true, ""},
    LayoutRow{"IN_LONG", LayoutKind::PictureButton, Container::Form, 7320, 1200, 490, 490, true, true, ""},
    LayoutRow{"IN_FACE", LayoutKind::PictureButton, Container::Form, 7800, 1200, 490, 490, true, true, ""},
    LayoutRow{"ZERO", LayoutKind::PictureButton, Container::Form, 8280, 1200, 490, 490, true, true, ""},
    LayoutRow{"DETAIL", LayoutKind::PictureButton, Container::Form, 8760, 1200, 490, 490, true, false, ""},
    LayoutRow{"STRETCH", LayoutKind::PictureButton, Container::Form, 9240, 1200, 490, 490, true, false, ""},
    LayoutRow{"DELETE_DRAFT", LayoutKind::PictureButton, Container::Form, 9840, 1200, 490, 490, true, false, ""},
    LayoutRow{"Command10", LayoutKind::PictureButton, Container::Form, 10320, 1200, 490, 490, false, true, ""},
    LayoutRow{"SCALE", LayoutKind::PictureButton, Container::Form, 10800, 1200, 490, 490, true, false, ""},
    LayoutRow{"Part_box", LayoutKind::PictureButton, Container::Form, 11280, 1200, 490, 490, true, true, ""},
    LayoutRow{"ZERO_MARK", LayoutKind::PictureButton, Container::Form, 11760, 1200, 495, 495, true, false, ""},
    LayoutRow{"FRAME_A4", LayoutKind::PictureButton, Container::Form, 12240, 1200, 495, 495, true, false, ""},
    LayoutRow{"FRAME_A3", LayoutKind::PictureButton, Container::Form, 12720, 1200, 495, 495, true, false, ""},
    LayoutRow{"CLIP_COPY", LayoutKind::PictureButton, Container::Form, 13200, 1200, 495, 495, true, false, ""},
    LayoutRow{"Paste", LayoutKind::PictureButton, Container::Form, 13680, 1200, 495, 495, true, false, ""},
    LayoutRow{"Line_Size_Chang", LayoutKind::PictureButton, Container::Form, 14280, 1200, 490, 490, true, true, ""},
    LayoutRow{"NEW_FILE", LayoutKind::PictureButton, Container::Form, 14760, 1200, 495, 495, true, false, ""},
    LayoutRow{"File_Load", LayoutKind::PictureButton, Container::Form, 15240, 1200, 495, 495, true, false, ""},
    LayoutRow{"File_Store", LayoutKind::PictureButton, Container::Form, 15720, 1200, 495, 495, true, false, ""},
    LayoutRow{"File_Restore", LayoutKind::PictureButton, Container::Form, 16200, 1200, 495, 495, true, false, ""},
    LayoutRow{"C_BULE", LayoutKind::PictureButton, Container::Form, 16680, 1200, 250, 255, true, false, ""},
    LayoutRow{"C_Cyan", LayoutKind::PictureButton, Container::Form, 16920, 1200, 250, 255, true, false, ""},
    LayoutRow{"LINE_dash_2", LayoutKind::PictureButton, Container::Form, 17160, 1200, 495, 255, true, false, ""},
    LayoutRow{"MODIFY_MIRROR_VERTIAL", LayoutKind::PictureButton, Container::Form, 17640, 1200, 490, 490, true, false, ""},
    LayoutRow{"Similar", LayoutKind::PictureButton, Container::Form, 18120, 1200, 490, 490, true, true, ""},
    LayoutRow{"HELP_PDF", LayoutKind::PictureButton, Container::Form, 18600, 1200, 570, 495, true, false, ""},
    LayoutRow{"C_RED", LayoutKind::PictureButton, Container::Form, 16680, 1440, 250, 255, true, false, ""},
    LayoutRow{"C_Black", LayoutKind::PictureButton, Container::Form, 16920, 1440, 250, 255, true, false, ""},
    LayoutRow{"LINE_dot_c_2", LayoutKind::PictureButton, Container::Form, 17160, 1440, 495, 255, true, false, ""},
};

inline constexpr int kClientWidthTwips = 19155;
inline constexpr int kClientHeightTwips = 3225;
inline constexpr int kCollapsedHeightTwips = 1650;
inline constexpr int kExpandedHeightTwips = 2160;
inline constexpr int kRightMarginTwips = 3200;

struct TwipRect {
    int left, top, width, height;
    bool operator==(const TwipRect&) const = default;
};

// The row's rectangle in the window's client area (frames' children shifted by their frame).
TwipRect ClientRectTwips(const LayoutRow& row);

// Index of the row named `name`, if any.
std::optional<std::size_t> FindLayoutRow(std::string_view name);

// Twips to pixels at `dpi`, rounded to nearest.
int TwipsToPixels(int twips, int dpi);

}  // namespace kelo
