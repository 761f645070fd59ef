#include "calculator/CalculatorModel.h"

#include <cmath>
#include <string>
#include <utility>

#include "text/FormatCoord.h"
#include "text/Texts.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

// Coordinate text has no exponent; from here on it would need one.
constexpr double kFirstUncopyable = 1e15;

}  // namespace

void CalculatorModel::OnTextChanged(std::string_view text) {
    text_ = text;
    result_ = EvaluateExpression(text_, ans_);
}

void CalculatorModel::Evaluate() {
    EvalResult result = EvaluateExpression(text_, ans_);
    if (!result.value && result.error.empty()) return;  // the last result stays shown
    result_ = std::move(result);
    history_.push_front({text_, ResultText(), result_.value.has_value()});
    if (history_.size() > kHistoryLength) history_.pop_back();
    if (result_.value) {
        ans_ = *result_.value;
        text_.clear();
    }
}

std::string CalculatorModel::ResultText() const { return result_.value ? NumberText(*result_.value) : result_.error; }

CopyResult CalculatorModel::CopyText() const {
    if (!result_.value) return {std::nullopt, std::string(texts::kCalcNothingToCopy)};
    double value = *result_.value;
    if (!(std::fabs(value) < kFirstUncopyable)) return {std::nullopt, std::string(texts::kCalcCopyTooLarge)};
    return {FormatCoord(value), ""};
}

}  // namespace kelo
