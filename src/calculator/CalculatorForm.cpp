#include "calculator/CalculatorForm.h"

namespace kelo {

std::vector<std::string> HistoryLines(const CalculatorModel& model) {
    std::vector<std::string> lines;
    for (const HistoryEntry& entry : model.History()) {
        const std::string_view joint = entry.hasValue ? texts::kCalcHistoryValue : texts::kCalcHistoryError;
        lines.push_back(entry.expression + std::string(joint) + entry.result);
    }
    return lines;
}

std::string CopyStatus(const CopyResult& copy, bool clipboardTookIt) {
    if (!copy.text) return copy.reason;
    if (!clipboardTookIt) return std::string(texts::kCalcClipboardBusy);
    return std::string(texts::kCalcCopied) + *copy.text;
}

}  // namespace kelo
