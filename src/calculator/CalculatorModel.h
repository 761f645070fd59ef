#pragma once
// The calculator window's model: the expression box, its live result, the last
// value (`ans`), a short history and the text the copy button gives.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/Expression.h"

namespace kelo {

struct HistoryEntry {
    std::string expression;  // as typed
    std::string result;      // the result text, or the error line
    bool hasValue = false;   // false: `result` is the error line
};

// What the copy button (and Ctrl+C) gives: coordinate text, or the reason why
// nothing can be copied.
struct CopyResult {
    std::optional<std::string> text;
    std::string reason;  // one line; empty when there is a text
};

class CalculatorModel {
   public:
    static constexpr std::size_t kHistoryLength = 10;

    // The expression box changed: evaluate it again at once.
    void OnTextChanged(std::string_view text);

    // Enter: evaluate the box, put the line at the top of the history and keep a
    // value as `ans`. A value also empties the box for the next expression, while the
    // result stays shown and copyable until the box changes; a line with an error stays
    // in the box to be corrected. A blank box changes nothing.
    void Evaluate();

    const std::string& Text() const { return text_; }
    const EvalResult& Result() const { return result_; }
    double Ans() const { return ans_; }
    const std::deque<HistoryEntry>& History() const { return history_; }  // newest first

    // The value as shown (plain decimal, up to 15 significant digits, an
    // exponent from 1E15 on), or the error line; empty for a blank box.
    std::string ResultText() const;

    // The value as the toolbar's coordinate text (4 decimals, "." separator, no
    // exponent); magnitudes from 1E15 on, errors and a blank box give a reason.
    CopyResult CopyText() const;

   private:
    std::string text_;
    EvalResult result_;
    double ans_ = 0;
    std::deque<HistoryEntry> history_;
};

}  // namespace kelo
