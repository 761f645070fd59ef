#pragma once
// The calculator window as designed: its control table, in twips, and the texts its
// list and status line show.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/CalculatorModel.h"
#include "text/Texts.h"
#include "ui/FormTable.h"

namespace kelo {

namespace calc {
inline constexpr std::string_view kExpression = "Expression";
inline constexpr std::string_view kResult = "Result";
inline constexpr std::string_view kCopy = "Copy";
inline constexpr std::string_view kStatus = "Status";
inline constexpr std::string_view kHistory = "History";
}  // namespace calc

// One column of labels at the left, one of controls beside it; the list is tall enough
// for the ten history lines at every scale.
inline constexpr std::array kCalcControls{
    ControlRow{"ExpressionLabel", ControlKind::Label, 120, 165, 600, 255, texts::kCalcExpressionLabel},
    ControlRow{calc::kExpression, ControlKind::Text, 840, 120, 5640, 345, {}, 0},
    ControlRow{"ResultLabel", ControlKind::Label, 120, 585, 600, 255, texts::kCalcResultLabel},
    ControlRow{calc::kResult, ControlKind::Readout, 840, 540, 5640, 345},
    ControlRow{calc::kCopy, ControlKind::Button, 840, 1005, 1095, 375, texts::kCalcCopyButton, 1},
    ControlRow{calc::kStatus, ControlKind::Label, 2055, 1065, 4425, 255},
    ControlRow{"HistoryLabel", ControlKind::Label, 120, 1560, 600, 255, texts::kCalcHistoryLabel},
    ControlRow{calc::kHistory, ControlKind::List, 840, 1500, 5640, 2760, {}, 2},
};
inline constexpr FormSpec kCalcForm{"KeloCalculator", texts::kCalcCaption, 6600, 4380, kCalcControls};

// The list's lines, newest first: "expression = value", or "expression → reason".
std::vector<std::string> HistoryLines(const CalculatorModel& model);

// The status line after the copy button or Ctrl+C: what was copied, or why nothing was.
std::string CopyStatus(const CopyResult& copy, bool clipboardTookIt);

}  // namespace kelo
