#pragma once
// Every Japanese text the user sees, in one place (UTF-8).
#include <string>
#include <string_view>

#include "text/Version.h"

namespace kelo {

// `pattern` with its first "{}" replaced by `arg`.
inline std::string Fill(std::string_view pattern, std::string_view arg) {
    std::string out(pattern);
    if (const auto at = out.find("{}"); at != std::string::npos) out.replace(at, 2, arg);
    return out;
}

}  // namespace kelo

namespace kelo::texts {

inline constexpr std::string_view kProgramTitle = "KeloMenu";
inline constexpr std::string_view kDefaultHostTitle = "Creo Elements/Direct Drafting 20.3";

// The one failure message of every host command.
inline constexpr std::string_view kStartHostFirst = "始めにアプリの設定または起動してください。";
inline constexpr std::string_view kMenuMessageTitle = "Keloメニュー";
// When the host's Japanese input would convert the typed letters and cannot be switched off.
inline constexpr std::string_view kHostImeOpen =
    "アプリの日本語入力がオンのため、コマンドを送れませんでした。日本語入力をオフにしてから、もう一度操作してください。";
// A command cancelled because another window came to the front while it typed, or kept
// the host from coming forward.
inline constexpr std::string_view kHostForegroundTaken =
    "ほかのウィンドウが前面に出たため、コマンドを中止しました。そのウィンドウを閉じるか最小化してから、もう一度実行してください。";
// A command stopped by a fault of the program's own.
inline constexpr std::string_view kInternalError = "内部エラーのため、コマンドを中止しました。";

inline constexpr std::string_view kStartupCommand = "DIM_CATCH_ANGLE 1";

// Toolbar caption: title, 5 blanks, 10 ideographic blanks, 2 blanks, 24 ideographic blanks, 2 blanks, hint.
inline constexpr std::string_view kMenuCaption =
    "Kelo Menu Ver." KELO_VERSION_TEXT
    "     "
    "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
    "  "
    "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
    "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
    "  "
    "アイコンの説明を表示するには、ここをクリックした後にアイコンの上にマウスポインターを合わせてください。";

inline constexpr std::string_view kExpandCaption = "▼";
inline constexpr std::string_view kExpandTip = "アイコンを拡張します。";
inline constexpr std::string_view kCollapseCaption = "▲";
inline constexpr std::string_view kCollapseTip = "アイコンを縮小します。";

// Settings dialog.
inline constexpr std::string_view kAppSetCaption = "AppSet";
inline constexpr std::string_view kAppSetPrompt = "アプリのタイトル名を入力してください。";

// Profile dialogs.
inline constexpr std::string_view kFaceCaption = "端面";
inline constexpr std::string_view kLongCaption = "長手";
inline constexpr std::string_view kTaperCaption = "テーパー";
inline constexpr std::string_view kArc1Caption = "円弧凹";
inline constexpr std::string_view kArc2Caption = "円弧凸";
inline constexpr std::string_view kStartXMissing = "始点Xが未設定です。";
inline constexpr std::string_view kStartZMissing = "始点Zが未設定です。";
inline constexpr std::string_view kEndXMissing = "終点Xが未設定です。";
inline constexpr std::string_view kEndZMissing = "終点Zが未設定です。";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kCancel = "ｷｬﾝｾﾙ";
inline constexpr std::string_view kDialogFont = "ＭＳ ゴシック";
// The contour preview beside the profile dialogs.
inline constexpr std::string_view kPreviewCaption = "輪郭";

}  // namespace kelo::texts

namespace kelo::texts {
// Settings dialog: an Enter Time that is not a number is refused, nothing is lost.
inline constexpr std::string_view kEnterTimeNotNumber = "Enter Time には数値を入力してください。";
}  // namespace kelo::texts

namespace kelo::texts {
// Arc dialogs: why the solver could not complete the arc from the boxes as they stand.
inline constexpr std::string_view kArcStartXNotNumber = "始点 X が数値ではありません。";
inline constexpr std::string_view kArcStartZNotNumber = "始点 Z が数値ではありません。";
inline constexpr std::string_view kArcRadiusNotNumber = "半径 R が数値ではありません。";
inline constexpr std::string_view kArcCenterXNotNumber = "中心 X が数値ではありません。";
inline constexpr std::string_view kArcCenterZNotNumber = "中心 Z が数値ではありません。";
inline constexpr std::string_view kArcEndXNotNumber = "終点 X が数値ではありません。";
inline constexpr std::string_view kArcEndZNotNumber = "終点 Z が数値ではありません。";
inline constexpr std::string_view kArcStartIsEnd = "始点と終点が同じです。";
inline constexpr std::string_view kArcZeroRadius = "半径が0です。";
inline constexpr std::string_view kArcChordTooLong = "始点と終点の距離が直径以上です。半径を大きくしてください。";
inline constexpr std::string_view kArcEndOutOfReach = "この半径では終点に届きません。";
inline constexpr std::string_view kArcOutOfRange = "数値が範囲外のため計算できません。値を確かめてください。";
}  // namespace kelo::texts

namespace kelo::texts {
// File commands: the host's quotes cannot hold a single quote, so such a path is refused.
inline constexpr std::string_view kQuoteInPath =
    "ファイル名またはフォルダー名に ' (シングルクォート) が含まれているため、アプリに渡せません。"
    "' を含まない名前のファイルを選んでください。";

// Toggle tooltips: each names what the next click does.
inline constexpr std::string_view kDotGridSwitchOnTip = "ドット グリッド ON";
inline constexpr std::string_view kDotGridSwitchOffTip = "ドット グリッド OFF";
inline constexpr std::string_view kSpotlightSwitchOnTip = "スポットライト ON";
inline constexpr std::string_view kSpotlightSwitchOffTip = "スポットライト OFF";

// The question before the host's drawing is reset.
inline constexpr std::string_view kNewFileQuestion = "データが全部削除されます。新規にしますか?";
inline constexpr std::string_view kNewFileTitle = "新規";

// Files beside the program, each named with its leading separator.
inline constexpr std::string_view kManualFileName = "\\Keloメニュー マニュアル.pdf";
inline constexpr std::string_view kCalculatorFileName = "\\KeloCalculator.EXE";
// Followed by a line break and the calculator's full path.
inline constexpr std::string_view kCalculatorNotStarted =
    "電卓を起動できませんでした。次のファイルがあるか確認してください。";
}  // namespace kelo::texts

namespace kelo::texts {
// Calculator window: caption and labels.
inline constexpr std::string_view kCalcCaption = "Kelo電卓";
inline constexpr std::string_view kCalcExpressionLabel = "式";
inline constexpr std::string_view kCalcResultLabel = "結果";
inline constexpr std::string_view kCalcHistoryLabel = "履歴";
inline constexpr std::string_view kCalcCopyButton = "コピー";
// Calculator input errors: "{}文字目: " and the reason ("{}" takes a position, a name or a character).
inline constexpr std::string_view kCalcAtPosition = "{}文字目: {}";
inline constexpr std::string_view kCalcOperandExpected = "数値または「(」が必要です。";
inline constexpr std::string_view kCalcCloseExpected = "「)」が必要です。";
inline constexpr std::string_view kCalcOpenExpected = "「(」が必要です。";
inline constexpr std::string_view kCalcOperatorExpected = "演算子が必要です。";
inline constexpr std::string_view kCalcOperatorOrCloseExpected = "演算子または「)」が必要です。";
inline constexpr std::string_view kCalcExtraClose = "対応する「(」のない「)」です。";
inline constexpr std::string_view kCalcUnknownName = "知らない名前「{}」です。";
inline constexpr std::string_view kCalcBadCharacter = "使えない文字「{}」です。";
inline constexpr std::string_view kCalcSecondPoint = "小数点が2つあります。";
inline constexpr std::string_view kCalcExponentDigits = "指数の数字が必要です。";
inline constexpr std::string_view kCalcNumberTooLarge = "数値が大きすぎます。";
inline constexpr std::string_view kCalcTooDeep = "入れ子が深すぎます。";
// Calculator arithmetic errors.
inline constexpr std::string_view kCalcDivideByZero = "0で割ることはできません。";
inline constexpr std::string_view kCalcSqrtNegative = "sqrt: 負の数の平方根は計算できません。";
inline constexpr std::string_view kCalcOutsideUnit = "{}: -1から1までの値が必要です。";
inline constexpr std::string_view kCalcTanUndefined = "tan: 90°+180°×nでは値がありません。";
inline constexpr std::string_view kCalcNegativePower = "^: 負の数の累乗には整数の指数が必要です。";
inline constexpr std::string_view kCalcTooLarge = "結果が大きすぎます。";
// Calculator copy button.
inline constexpr std::string_view kCalcCopyTooLarge = "絶対値が1E15以上の値はコピーできません。";
inline constexpr std::string_view kCalcNothingToCopy = "コピーする結果がありません。";
// Calculator status line after a copy: what went to the clipboard, or why nothing did.
inline constexpr std::string_view kCalcCopied = "コピーしました: ";
inline constexpr std::string_view kCalcClipboardBusy = "クリップボードを開けませんでした。もう一度お試しください。";
// History lines: the expression, then its value or the reason it has none.
inline constexpr std::string_view kCalcHistoryValue = " = ";
inline constexpr std::string_view kCalcHistoryError = " → ";
}  // namespace kelo::texts


namespace kelo::texts {
// Contour table files: why a file could not be read, after "{}行目: " where a line is to blame.
inline constexpr std::string_view kCsvAtLine = "{}行目: {}";
inline constexpr std::string_view kCsvEncoding = "文字コードを読み取れません。UTF-8 または Shift-JIS で保存してください。";
inline constexpr std::string_view kCsvTooManyCells = "列が多すぎます。X, Z, 角, 次の要素 の4列までです。";
inline constexpr std::string_view kCsvOpenQuote = "引用符 (\") が閉じていません。";
inline constexpr std::string_view kCsvNoRows = "点の行がありません。";
inline constexpr std::string_view kCsvTooManyRows = "行が多すぎます。1000行までです。";
inline constexpr std::string_view kCsvCannotOpen = "ファイルを開けませんでした。";
inline constexpr std::string_view kCsvCannotSave = "ファイルを保存できませんでした。";
}  // namespace kelo::texts

namespace kelo::texts {
// The contour table: its window, its buttons and why a row cannot be built.
inline constexpr std::string_view kTableCaption = "輪郭表";
inline constexpr std::string_view kTableMenuItem = "輪郭表(&T)...";
inline constexpr std::string_view kTablePreviewButton = "輪郭表...";
inline constexpr std::string_view kTableRowProblem = "{}行目: {}";
inline constexpr std::string_view kTableMoreProblems = " (ほかに{}行)";
inline constexpr std::string_view kTableNeedTwoPoints = "点を2行以上入力してください。";
inline constexpr std::string_view kTableXNotNumber = "X が数値ではありません。";
inline constexpr std::string_view kTableZNotNumber = "Z が数値ではありません。";
inline constexpr std::string_view kTableFirstRowNumbers = "最初の行は X と Z を数値で入力してください。";
inline constexpr std::string_view kTableTooLarge = "数値が大きすぎます。";
inline constexpr std::string_view kTableCornerUnreadable =
    "角は C または R と大きさ (例: C1, R0.5)、または逃げ溝 (E0.6x0.3、F、DIN76 P1.5) で入力してください。";
inline constexpr std::string_view kTableElementUnreadable =
    "次の要素は 凹R・凸R と半径 (接円弧は 凸R5接)、または A と角度 (A150) で入力してください。直線なら空欄です。";
inline constexpr std::string_view kTableSizeNotPositive = "角や半径の大きさは0より大きくしてください。";
inline constexpr std::string_view kTableCornerAtEnd = "最初と最後の点には角を付けられません。";
inline constexpr std::string_view kTableElementAtLast = "最後の点の次の要素は描けません (次の点がありません)。";
inline constexpr std::string_view kTableSamePoint = "前の行と同じ点です。";
inline constexpr std::string_view kTableCornerOnStraight = "一直線上の点には角を付けられません。";
inline constexpr std::string_view kTableCornerNextToArc = "円弧の隣の点には角を付けられません。";
inline constexpr std::string_view kTableCornerTooLarge = "角が線の長さに収まりません。";
inline constexpr std::string_view kTableChordTooLong = "始点と終点の距離が直径より長いです。半径を大きくしてください。";
// Undercuts at a shoulder: why one cannot be cut, and a bad row of the user's norm file.
inline constexpr std::string_view kUndercutNotCylinderAndFace = "逃げ溝は円筒と端面の角にだけ付けられます。";
inline constexpr std::string_view kUndercutOutsideCorner = "逃げ溝は端面が円筒から立ち上がる内側の角にだけ付けられます。";
inline constexpr std::string_view kUndercutCylinderShort = "円筒が逃げ溝より短いです。";
inline constexpr std::string_view kUndercutFaceShort = "端面が逃げ溝より低いです。";
inline constexpr std::string_view kUndercutNoDiameter = "この直径に合う逃げ溝 (DIN 509) が表にありません。";
inline constexpr std::string_view kUndercutNoDesignation = "この呼び (r×t1) の逃げ溝 (DIN 509) が表にありません。";
inline constexpr std::string_view kUndercutNoPitch = "このピッチのねじ逃げ溝 (DIN 76) が表にありません。";
inline constexpr std::string_view kUndercutBadShape = "表の寸法では逃げ溝の形が作れません。";
inline constexpr std::string_view kNormBadRow = "逃げ溝の表の{}行目を読めません ({}): {}";
// The user's own norm file, in the same folder as the kept table.
inline constexpr std::string_view kNormUserFile = "逃げ溝.csv";
// Open points: why one cannot be worked out.
inline constexpr std::string_view kTableUndetermined =
    "点が決まりません。X と Z を入力するか、角度 (A) や接円弧で決まるようにしてください。";
inline constexpr std::string_view kTableOffAngleLine = "点が角度 (A) の線の上にありません (0.001 以内)。";
inline constexpr std::string_view kTableBehindAngle = "点が角度 (A) の向きと逆の側にあります。";
inline constexpr std::string_view kTableParallelAngles = "前後の角度 (A) の線が平行で、交点がありません。";
inline constexpr std::string_view kTableOffTangentArc = "点が接円弧の上にありません (0.001 以内)。";
inline constexpr std::string_view kTableTangentNeverReaches = "接円弧がこの点の X または Z に届きません。";
inline constexpr std::string_view kTableTangentAtFirst = "接円弧の前に要素がありません (最初の行には付けられません)。";
inline constexpr std::string_view kTableHint =
    "X: 直径、U-4 (前の行からの増分)、空欄 (計算)。Z: 値、W-25 または @-25 (前の行からの長さ)、空欄 (計算)。"
    "角: C1、R0.5、逃げ溝 E・F・E0.6x0.3・DIN76 P1.5。次の要素: 空欄 (直線)、A150 (角度)、凹R5、凸R10、凸R10接 (接円弧)。";
// The read-only column of points worked out: "X 34  Z -7.4641", "?" for what is still open.
inline constexpr std::string_view kTableWorkedPoint = "X {}  Z {}";
inline constexpr std::string_view kTableWorkedOpen = "?";
// Column heads.
inline constexpr std::string_view kTableColumnX = "X";
inline constexpr std::string_view kTableColumnZ = "Z";
inline constexpr std::string_view kTableColumnCorner = "角";
inline constexpr std::string_view kTableColumnElement = "次の要素";
inline constexpr std::string_view kTableColumnWorked = "計算値";
// Buttons.
inline constexpr std::string_view kTableAddRow = "行追加";
inline constexpr std::string_view kTableInsertRow = "行挿入";
inline constexpr std::string_view kTableDeleteRow = "行削除";
inline constexpr std::string_view kTableOpen = "開く...";
inline constexpr std::string_view kTableSave = "保存...";
inline constexpr std::string_view kTableDraw = "作図";
inline constexpr std::string_view kTableNew = "新規";
// The file the table is kept in, in the user's application-data folder.
inline constexpr std::string_view kTableKeptFile = "輪郭表.csv";
inline constexpr std::string_view kTableCopy = "コピー";
// The open and save dialogs' filter.
inline constexpr std::string_view kTableFilterCsv = "輪郭表 (*.csv)";
inline constexpr std::string_view kTableFilterAll = "All Files (*.*)";
}  // namespace kelo::texts
