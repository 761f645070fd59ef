#pragma once
// The calculator's expression language, read from UTF-8 text as the user types it:
// numbers, + - * / ^, parentheses, sin cos tan asin acos atan in degrees, sqrt, pi, ans.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelo {

// One evaluation: a finite value, or a one-line reason and where it lies. A blank
// text gives neither: there is nothing to show.
struct EvalResult {
    std::optional<double> value;
    std::string error;
    std::size_t position = 0;  // 1-based character index of the problem; 0 with a value or a blank text
};

// Parentheses, function calls and powers nested deeper than this are refused, so
// that pasted or runaway text cannot exhaust the stack.
inline constexpr int kMaxExpressionDepth = 100;

// Evaluates `text`; the name "ans" stands for `ans`. Never throws. Syntax errors
// come before arithmetic ones (a half-typed line says what is missing, not that
// its first part divides by zero); among each kind the leftmost wins.
EvalResult EvaluateExpression(std::string_view text, double ans);

}  // namespace kelo
