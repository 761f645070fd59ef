#pragma once
// What every toolbar button does: the host command lines it types.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kelo {

// How a click is handled. Plain and Sequence rows type into the host; the
// others open a dialog, toggle a mode or start a program.
enum class Behaviour : std::uint8_t {
    Plain, Sequence, Inert, AppSet, Extend, Calculator, HelpPdf, NewFile, DotGrid, Spotlight,
    FileLoad, FileStore, PartLoad, ProfileFace, ProfileLong, ProfileTaper, ProfileArc1, ProfileArc2,
};

// Full: activate, wait, "^C", wait. Short: activate and wait only, so the
// host's running command receives the text.
enum class Opening : std::uint8_t { Full, Short };

struct Step {
    enum class Kind : std::uint8_t { Text, Enter, Cancel };
    Kind kind;
    std::string_view text;
};

inline constexpr std::array kZeroSteps{
    Step{Step::Kind::Text, "C_LINE HORIZONTAL 0,0"}, Step{Step::Kind::Enter, {}},
    Step{Step::Kind::Text, "C_LINE VERTICAL 0,0"},   Step{Step::Kind::Enter, {}},
    Step{Step::Kind::Text, "Tm_window_fit"},         Step{Step::Kind::Enter, {}},
    Step{Step::Kind::Cancel, {}},
};
inline constexpr std::array kFilletDeleteSteps{
    Step{Step::Kind::Text, "CHANGE_FILLET"}, Step{Step::Kind::Enter, {}},
    Step{Step::Kind::Text, "0"},             Step{Step::Kind::Enter, {}},
};
// Leaves the host in its text input with the opening quote typed.
inline constexpr std::array kTextInputSteps{
    Step{Step::Kind::Text, "TEXT"}, Step{Step::Kind::Enter, {}},
    Step{Step::Kind::Text, "'"},
};

struct CommandRow {
    std::string_view button;
    std::string_view frame;  // caption of the frame holding it, "" on the window itself
    std::string_view tip;
    Behaviour behaviour;
    std::string_view line = {};       // Plain: typed without Shift
    std::string_view shiftLine = {};  // Plain: typed with Shift held; "" when there is no variant
    Opening opening = Opening::Full;
    std::span<const Step> steps = {};  // Sequence rows
};

inline constexpr std::array kCommands{
    CommandRow{"HELP_PDF", "", "Keloメニューマニュアル.PDFを表示", Behaviour::HelpPdf},
    CommandRow{"Similar", "", "相似：あるパーツを図面中にフィットさせる。パーツの 2 点を指示し、次にその 2 点をどこにフィットさせるかを指示します。", Behaviour::Plain, "MODIFY ASSIST SIMILAR", "MODIFY SIMILAR", Opening::Full},
    CommandRow{"MODIFY_MIRROR_VERTIAL", "", "垂直 ミラー、+shiftでコピー", Behaviour::Plain, "MODIFY ASSIST MIRROR VERTICAL", "MODIFY ASSIST COPY MIRROR VERTICAL", Opening::Full},
    CommandRow{"LINE_dot_c_2", "", "1点鎖線", Behaviour::Plain, "CHANGE_LINETYPE LINEPATTERN DASH_CENTER", "", Opening::Full},
    CommandRow{"LINE_dash_2", "", "破線", Behaviour::Plain, "CHANGE_LINETYPE LINEPATTERN DASHED", "", Opening::Full},
    CommandRow{"C_Black", "", "黒色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR BLACK", "CHANGE_DIM_TEXT_AND_LINE_COLOR BLACK", Opening::Full},
    CommandRow{"C_RED", "", "赤色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR RED", "CHANGE_DIM_TEXT_AND_LINE_COLOR RED", Opening::Full},
    CommandRow{"C_Cyan", "", "シアン色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR CYAN", "CHANGE_DIM_TEXT_AND_LINE_COLOR CYAN", Opening::Full},
    CommandRow{"C_BULE", "", "青色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR BLUE", "CHANGE_DIM_TEXT_AND_LINE_COLOR BLUE", Opening::Full},
    CommandRow{"File_Restore", "", "ファイルの上書き", Behaviour::Plain, "Store_update", "", Opening::Full},
    CommandRow{"File_Store", "", "名前を付けてファイルの保存", Behaviour::FileStore},
    CommandRow{"File_Load", "", "ファイルの読み込み MI, DXF, BMP, JPG、PNGなど", Behaviour::FileLoad},
    CommandRow{"NEW_FILE", "", "新規：データは全部削除されます。", Behaviour::NewFile},
    CommandRow{"STRETCH", "", "ストレッチ：線、円、弧、スプラインおよび引き出し線を伸縮します。", Behaviour::Plain, "STRETCH ASSIST DEL_OLD", "STRETCH DEL_OLD", Opening::Full},
    CommandRow{"DETAIL", "", "詳細図を入力した倍率に拡大して作成します。倍率→ボックス→基準点→移動点", Behaviour::Plain, "CREATE_DETAIL", "", Opening::Full},
    CommandRow{"ZERO", "", "絶対値 ゼロポイント", Behaviour::Sequence, "", "", Opening::Full, kZeroSteps},
    CommandRow{"IN_FACE", "", "端面", Behaviour::ProfileFace},
    CommandRow{"IN_LONG", "", "長手", Behaviour::ProfileLong},
    CommandRow{"IN_TAPER", "", "テーパー", Behaviour::ProfileTaper},
    CommandRow{"ARC_2", "", "円弧凸", Behaviour::ProfileArc2},
    CommandRow{"ARC_1", "", "円弧凹", Behaviour::ProfileArc1},
    CommandRow{"ELL_VVP", "", "楕円 ,  両端と1点 , shift時は中心と楕円上2点", Behaviour::Plain, "ELL_VVP", "ELL_CPP", Opening::Full},
    CommandRow{"Paste", "", "クリップボードからの貼り付け", Behaviour::Plain, "PASTE_FROM_CLIPBOARD NOSUBPART", "", Opening::Full},
    CommandRow{"CLIP_COPY", "", "クリップボードに図面をコピーします。範囲選択後[END]を押してください。", Behaviour::Plain, "COPY_TO_CLIPBOARD", "", Opening::Short},
    CommandRow{"FRAME_A3", "", "図面枠A3 'FRAME-A3.MI' 読込み", Behaviour::Plain, "LOAD check_2d SUBPART 'FRAME-A3.MI' absolute Tm_window_fit", "", Opening::Full},
    CommandRow{"FRAME_A4", "", "図面枠A4 'FRAME-A4.MI' 読込み", Behaviour::Plain, "LOAD check_2d SUBPART 'FRAME-A4.MI' absolute Tm_window_fit", "", Opening::Full},
    CommandRow{"ZERO_MARK", "", "原点マーク 'ZERO-MARK.MI'の読込み", Behaviour::Plain, "LOAD check_2d SUBPART 'ZERO-MARK.MI'", "", Opening::Full},
    CommandRow{"Part_box", "", "部品図の読み込み", Behaviour::PartLoad},
    CommandRow{"EDIT_TEXT", "", "寸法値の変更", Behaviour::Plain, "EDIT_DIM_TEXT", "", Opening::Full},
    CommandRow{"MEASURE", "", "距離を計測します。", Behaviour::Plain, "Ae_autfsetu1 Ae_sub_wari_02 LET Aec_meas_dis_men_fg 1 Aec_meas_dis ''", "", Opening::Full},
    CommandRow{"ADD_SQUARE", "", "寸法値の接頭に□を追加します。", Behaviour::Plain, "add_dim_prefix #14'6'#15 end", "", Opening::Full},
    CommandRow{"ADD_FAI", "", "寸法値の接頭にφを追加します。", Behaviour::Plain, "add_dim_prefix #14'1'#15 end", "", Opening::Full},
    CommandRow{"Dim_Datum_Long_Vertical", "", "垂直-並列で長い線", Behaviour::Plain, "DIM_DATUM_LONG VERTICAL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_Datum_Short_VERTICAL", "", "垂直-並列で短い線", Behaviour::Plain, "DIM_DATUM_SHORT VERTICAL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Angle_2", "", "差角、shiftで対角位置に表示", Behaviour::Plain, "DIM_ANGLE ADJACENT_POS CLEAR_PREFIX", "DIM_ANGLE ADJACENT_NEG CLEAR_PREFIX", Opening::Full},
    CommandRow{"SCALE", "", "スケール：入力した係数により図面の尺度を決定します。シフトで部品単位のスケール", Behaviour::Plain, "DRAWING_SCALE", "PART_DRW_SCALE", Opening::Full},
    CommandRow{"Command10", "", "", Behaviour::Inert},
    CommandRow{"Line_Size_Chang", "", "線サイズの変更  初期値0, カラー印刷0.5位", Behaviour::Plain, "CHANGE_LINESIZE", "", Opening::Full},
    CommandRow{"PRT_EDITOR", "", "パーツエディターの ウィンドウを表示します。", Behaviour::Plain, "PRT_EDITOR", "", Opening::Full},
    CommandRow{"FIT", "", "フィット：画面サイズに合わせます。", Behaviour::Plain, "Tm_window_fit", "", Opening::Full},
    CommandRow{"SPOTLIGHT", "", "スポットライト：アクティブパーツだけを見やすくします。", Behaviour::Spotlight},
    CommandRow{"DOT_GRID", "", "ドット グリッド ON", Behaviour::DotGrid},
    CommandRow{"DELETE_DRAFT", "", "下書きを全部消去します。", Behaviour::Plain, "DELETE SELECT C_GEO ALL CONFIRM REDRAW END", "", Opening::Full},
    CommandRow{"C_EXTEND", "", "アイコンを拡張します。", Behaviour::Extend},
    CommandRow{"Calculator", "", "電卓", Behaviour::Calculator},
    CommandRow{"Dim_Pos_Text", "寸法", "寸法文字位置変更", Behaviour::Plain, "MOVE_DIMENSION TEXT_ONLY", "", Opening::Full},
    CommandRow{"Dim_RADIUS", "寸法", "半径", Behaviour::Plain, "DIM_RADIUS CENTER_LINE CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_DIAMETER", "寸法", "弧・円・フィレットの直径", Behaviour::Plain, "DIM_DIAMETER ANSI CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_Line_HORIZONTAL_DIA", "寸法", "水平 直径", Behaviour::Plain, "DA_DIM_LINE HORIZONTAL DIM_PREFIX #14'1'#15 END", "", Opening::Full},
    CommandRow{"Dim_Pos", "寸法", "寸法位置変更", Behaviour::Plain, "MOVE_DIMENSION ALL", "", Opening::Full},
    CommandRow{"Dim_CHAMFER", "寸法", "面取り", Behaviour::Plain, "DIM_CHAMFER CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_Line_SYM_VERTICAL_DIA", "寸法", "中心線からの直径表示", Behaviour::Plain, "DA_DIM_LINE_SYM VERTICAL DIM_PREFIX #14'1'#15 END", "", Opening::Full},
    CommandRow{"Dim_Line_VERTICAL_DIA", "寸法", "直径", Behaviour::Plain, "DA_DIM_LINE VERTICAL DIM_PREFIX #14'1'#15 END", "", Opening::Full},
    CommandRow{"Dim_Datum_Long", "寸法", "水平-並列で長い線", Behaviour::Plain, "DIM_DATUM_LONG HORIZONTAL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_Datum_Short_HORIZONTAL", "寸法", "水平-並列で短い線", Behaviour::Plain, "DIM_DATUM_SHORT HORIZONTAL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_ANGLE", "寸法", "角度, shiftで対角に位置表示", Behaviour::Plain, "DIM_ANGLE CLEAR_PREFIX", "DIM_ANGLE OPPOSITE CLEAR_PREFIX", Opening::Full},
    CommandRow{"Dim_Line_VERTICAL", "寸法", "鉛直", Behaviour::Plain, "DIM_LINE VERTICAL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_Line_HORIZONTAL", "寸法", "水平", Behaviour::Plain, "DIM_LINE HORIZONTAL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"Dim_Line_PARALLEL", "寸法", "2点間", Behaviour::Plain, "DIM_LINE PARALLEL CLEAR_PREFIX", "", Opening::Full},
    CommandRow{"TRIM2", "作図", "トリム2 2 つの要素をトリミングまたは延長し、それぞれが交差するようにできます。", Behaviour::Plain, "TRIM_TWO", "", Opening::Full},
    CommandRow{"MERGE", "作図", "マージ 2 つの要素を 1 つに併合します。", Behaviour::Plain, "MERGE", "", Opening::Full},
    CommandRow{"HATCH_delete", "作図", "ハッチング 削除", Behaviour::Plain, "DELETE_HATCH", "", Opening::Full},
    CommandRow{"Fillet_Delete", "作図", "フィレット 削除", Behaviour::Sequence, "", "", Opening::Full, kFilletDeleteSteps},
    CommandRow{"Line_TAN2", "作図", "2つの曲線要素に接する線", Behaviour::Plain, "LINE ASSIST TAN2", "LINE TAN2", Opening::Full},
    CommandRow{"Line_TAN_PT", "作図", "接線", Behaviour::Plain, "LINE ASSIST TAN_PT", "LINE TAN_PT", Opening::Full},
    CommandRow{"Arc_CEN_BEG_END", "作図", "中心と2点間扇", Behaviour::Plain, "ARC ASSIST CEN_BEG_END", "ARC CEN_BEG_END", Opening::Full},
    CommandRow{"Arc_DIAMETER", "作図", "直径扇", Behaviour::Plain, "ARC ASSIST DIAMETER", "ARC DIAMETER", Opening::Full},
    CommandRow{"TRIM1", "作図", "トリム1 ある要素をトリミングまたは延長して、別の要素と正確に交差するようにしますます。", Behaviour::Plain, "TRIM_ONE", "", Opening::Full},
    CommandRow{"SPLIT", "作図", "スプリット 要素を指定して分割点を指定。又はボックス内全指定。", Behaviour::Plain, "SPLIT", "", Opening::Full},
    CommandRow{"HATCH", "作図", "ハッチング自動、shiftで手動", Behaviour::Plain, "HATCH AUTO", "HATCH MANUAL", Opening::Full},
    CommandRow{"Fillet", "作図", "フィレット(丸めR)", Behaviour::Plain, "FILLET", "", Opening::Full},
    CommandRow{"Chamfer_VERTEX", "作図", "面取45°、shiftで任意角度 2ヶ所指示", Behaviour::Plain, "CHAMFER VERTEX", "CHAMFER TWO_PTS", Opening::Full},
    CommandRow{"Line_RECTANGLE", "作図", "長方形", Behaviour::Plain, "LINE ASSIST RECTANGLE", "LINE RECTANGLE", Opening::Full},
    CommandRow{"Line_POLYGON", "作図", "連続", Behaviour::Plain, "LINE ASSIST POLYGON", "LINE POLYGON", Opening::Full},
    CommandRow{"Line_PT_ANG_DIST", "作図", "点と角度", Behaviour::Plain, "LINE ASSIST PT_ANG_DIST", "LINE PT_ANG_DIST", Opening::Full},
    CommandRow{"Arc_THREE_PTS", "作図", "3点扇", Behaviour::Plain, "ARC ASSIST THREE_PTS", "ARC THREE_PTS", Opening::Full},
    CommandRow{"Circle_THREE_PTS", "作図", "3点", Behaviour::Plain, "CIRCLE ASSIST THREE_PTS", "CIRCLE THREE_PTS", Opening::Full},
    CommandRow{"Circle_TAN2_PT", "作図", "2接線", Behaviour::Plain, "CIRCLE ASSIST TAN2_PT", "CIRCLE TAN2_PT", Opening::Full},
    CommandRow{"Circle_DIAMETER", "作図", "直径", Behaviour::Plain, "CIRCLE ASSIST DIAMETER", "CIRCLE DIAMETER", Opening::Full},
    CommandRow{"Circle_CENTER", "作図", "中心&半径", Behaviour::Plain, "CIRCLE ASSIST CENTER", "CIRCLE CENTER", Opening::Full},
    CommandRow{"Line_PERPENDICULAR", "作図", "垂直線", Behaviour::Plain, "LINE ASSIST PERPENDICULAR", "LINE PERPENDICULAR", Opening::Full},
    CommandRow{"Line_PARALLEL", "作図", "平行線", Behaviour::Plain, "LINE ASSIST PARALLEL", "LINE PARALLEL", Opening::Full},
    CommandRow{"Line_VERTICAL", "作図", "鉛直線", Behaviour::Plain, "LINE ASSIST VERTICAL", "LINE VERTICAL", Opening::Full},
    CommandRow{"Line_HORIZONTAL", "作図", "水平線", Behaviour::Plain, "LINE ASSIST HORIZONTAL", "LINE HORIZONTAL", Opening::Full},
    CommandRow{"Line_Poinr2", "作図", "2点間線", Behaviour::Plain, "LINE ASSIST TWO_PTS", "LINE TWO_PTS", Opening::Full},
    CommandRow{"AppSet", "", "設定", Behaviour::AppSet},
    CommandRow{"AngBisect", "下書き", "角度分割", Behaviour::Plain, "C_LINE ASSIST ANG_BISECT", "C_LINE ANG_BISECT", Opening::Full},
    CommandRow{"C_Circle_TAN_CENTER", "下書き", "接線&中心", Behaviour::Plain, "C_CIRCLE ASSIST TAN_CENTER", "C_CIRCLE TAN_CENTER", Opening::Full},
    CommandRow{"C_Circle_TAN3", "下書き", "3接線", Behaviour::Plain, "C_CIRCLE ASSIST TAN3", "C_CIRCLE TAN3", Opening::Full},
    CommandRow{"C_Circle_PT_PT", "下書き", "接線-2点or接線-1点と半径", Behaviour::Plain, "C_CIRCLE ASSIST TAN_PT_PT", "C_CIRCLE TAN_PT_PT", Opening::Full},
    CommandRow{"C_Circle_3Point", "下書き", "3点or2点と半径 (+shiftで進行方向の左に円) ", Behaviour::Plain, "C_CIRCLE ASSIST THREE_PTS", "C_CIRCLE THREE_PTS", Opening::Full},
    CommandRow{"C_Circle_Tan2_PT", "下書き", "2接線-位置or半径", Behaviour::Plain, "C_CIRCLE ASSIST TAN2_PT", "C_CIRCLE TAN2_PT", Opening::Full},
    CommandRow{"C_Circle_Parallel", "下書き", "同心円 位置or距離", Behaviour::Plain, "C_CIRCLE ASSIST PARALLEL", "C_CIRCLE PARALLEL", Opening::Full},
    CommandRow{"C_Circle_Diameter", "下書き", "直径", Behaviour::Plain, "C_CIRCLE ASSIST DIAMETER", "C_CIRCLE DIAMETER", Opening::Full},
    CommandRow{"C_Circle_Center", "下書き", "中心&半径or位置", Behaviour::Plain, "C_CIRCLE ASSIST CENTER", "C_CIRCLE CENTER", Opening::Full},
    CommandRow{"Bisect", "下書き", "2分割", Behaviour::Plain, "C_LINE ASSIST BISECT", "C_LINE BISECT", Opening::Full},
    CommandRow{"Tan2", "下書き", "2接線", Behaviour::Plain, "C_LINE ASSIST TAN2", "C_LINE TAN2", Opening::Full},
    CommandRow{"TanPt", "下書き", "接線", Behaviour::Plain, "C_LINE ASSIST TAN_PT", "C_LINE TAN_PT", Opening::Full},
    CommandRow{"PtAng", "下書き", "点&角度", Behaviour::Plain, "C_LINE ASSIST PT_ANG", "C_LINE PT_ANG", Opening::Full},
    CommandRow{"Perpendicular", "下書き", "垂直線", Behaviour::Plain, "C_LINE ASSIST PERPENDICULAR", "C_LINE PERPENDICULAR", Opening::Full},
    CommandRow{"Parallel", "下書き", "平行線", Behaviour::Plain, "C_LINE ASSIST PARALLEL", "C_LINE PARALLEL", Opening::Full},
    CommandRow{"Vertical", "下書き", "鉛直線", Behaviour::Plain, "C_LINE ASSIST VERTICAL", "C_LINE VERTICAL", Opening::Full},
    CommandRow{"Horizontal", "下書き", "水平線", Behaviour::Plain, "C_LINE ASSIST HORIZONTAL", "C_LINE HORIZONTAL", Opening::Full},
    CommandRow{"Point2", "下書き", "2点間線", Behaviour::Plain, "C_LINE ASSIST TWO_PTS", "C_LINE TWO_PTS", Opening::Full},
    CommandRow{"COPY", "その他", "コピー", Behaviour::Plain, "MODIFY COPY", "", Opening::Full},
    CommandRow{"MODIFY_180", "その他", "回転、+shiftで回転コピー", Behaviour::Plain, "MODIFY ASSIST ROTATE", "MODIFY ASSIST COPY ROTATE", Opening::Full},
    CommandRow{"LINE_solid", "その他", "実線", Behaviour::Plain, "CHANGE_LINETYPE LINEPATTERN SOLID", "", Opening::Full},
    CommandRow{"LINE_c_dash_d", "その他", "2鎖線 水色 (ヴェトラマクロ)", Behaviour::Plain, "vetra_line_change 'c_dash_d' 1", "", Opening::Full},
    CommandRow{"C_MAGENTA", "その他", "マゼンタ色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR MAGENTA", "CHANGE_DIM_TEXT_AND_LINE_COLOR MAGENTA", Opening::Full},
    CommandRow{"C_YELLOW", "その他", "黄色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR YELLOW", "CHANGE_DIM_TEXT_AND_LINE_COLOR YELLOW", Opening::Full},
    CommandRow{"DELETE", "その他", "削除", Behaviour::Plain, "DELETE", "", Opening::Full},
    CommandRow{"EDIT_PART", "その他", "指定したパーツをアクティブパーツにします。", Behaviour::Plain, "EDIT_PART", "", Opening::Full},
    CommandRow{"CM_END", "その他", "END", Behaviour::Plain, "END", "", Opening::Short},
    CommandRow{"TEXT_EDIT", "その他", "", Behaviour::Plain, "EDIT_TEXT INPLACE", "EDIT_TEXT", Opening::Full},
    CommandRow{"MOVE", "その他", "移動", Behaviour::Plain, "MODIFY ASSIST", "MODIFY", Opening::Full},
    CommandRow{"MODIFY_MIRROR", "その他", "水平 ミラー、+shiftでコピー", Behaviour::Plain, "MODIFY ASSIST MIRROR HORIZONTAL", "MODIFY ASSIST COPY MIRROR HORIZONTAL", Opening::Full},
    CommandRow{"LINE_dash", "その他", "破線 黄色 (ヴェトラマクロ)", Behaviour::Plain, "vetra_line_change 'dash' 1", "", Opening::Full},
    CommandRow{"LINE_dot_c", "その他", "1点鎖線 白色 中心線 (ヴェトラマクロ)", Behaviour::Plain, "vetra_line_change 'dot_c' 1", "", Opening::Full},
    CommandRow{"C_WHITE", "その他", "白色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR WHITE", "CHANGE_DIM_TEXT_AND_LINE_COLOR WHITE", Opening::Full},
    CommandRow{"C_GREEN", "その他", "緑色に変更。シフト時は寸法線色を変更。", Behaviour::Plain, "CHANGE_COLOR GREEN", "CHANGE_DIM_TEXT_AND_LINE_COLOR GREEN", Opening::Full},
    CommandRow{"REDO", "その他", "元に戻した操作のやり直し。", Behaviour::Plain, "M_REDO", "", Opening::Full},
    CommandRow{"UNDO", "その他", "元に戻します。", Behaviour::Plain, "M_UNDO", "", Opening::Full},
    CommandRow{"LEADER_ARROW", "その他", "引き出し線。開始点→中間→終点→ENDを押す。", Behaviour::Plain, "LEADER_LINE", "", Opening::Full},
    CommandRow{"TEXT_INPUT", "その他", "文字入力 終了は[Enter]または[Ctrl]+D", Behaviour::Sequence, "", "", Opening::Full, kTextInputSteps},
    CommandRow{"TEXT_SIZE_CHANGE", "その他", "文字サイズの変更", Behaviour::Plain, "CHANGE_TEXT_SIZE", "", Opening::Full},
    CommandRow{"TEXT_SIZE", "その他", "文字サイズの設定", Behaviour::Plain, "TEXT_SIZE", "", Opening::Full},
};

std::optional<std::size_t> FindCommand(std::string_view button);

// The steps a click types: for Plain rows the chosen line and Enter; for
// Sequence rows the row's steps. Empty for rows that do not type.
struct CommandPlan {
    Opening opening = Opening::Full;
    bool readsShift = false;
    std::array<Step, 8> steps{};
    std::size_t count = 0;
};
CommandPlan PlanCommand(const CommandRow& row, bool shiftHeld);

}  // namespace kelo
