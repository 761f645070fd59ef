// The calculator on any text (after 8 bytes of `ans`): nothing throws; a result is a finite
// value or a one-line error at a character inside the text or just after it; a copy is
// coordinate text.
#include "FuzzCheck.h"
#include "calculator/CalculatorModel.h"
#include "calculator/Expression.h"
#include "text/Utf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelo::fuzz::Require;
    if (size < sizeof(double)) return 0;
    double ans = kelo::fuzz::ReadNumber<double>(data, sizeof ans);
    if (!std::isfinite(ans)) ans = 0;
    const std::string text(reinterpret_cast<const char*>(data + sizeof ans), size - sizeof ans);
    const std::string where = "\"" + text + "\"";
    const kelo::EvalResult result = kelo::EvaluateExpression(text, ans);
    if (result.value) {
        Require(std::isfinite(*result.value), where + " gives " + kelo::fuzz::Show(*result.value));
        Require(result.error.empty() && result.position == 0, where + ": a value and an error");
    } else if (!result.error.empty()) {
        Require(result.error.find_first_of("\r\n") == std::string::npos, where + ": error on two lines");
        // Positions count characters, not bytes: at most one past the last one.
        Require(result.position >= 1 && result.position <= kelo::Utf8ToUtf16(text).size() + 1,
                where + ": error at " + std::to_string(result.position));
    }
    kelo::CalculatorModel model;
    model.OnTextChanged(text);
    model.Evaluate();
    model.OnTextChanged(text);  // once more, with the first result as ans
    Require(std::isfinite(model.Ans()), where + ": ans " + kelo::fuzz::Show(model.Ans()));
    Require(model.ResultText().find_first_of("\r\n") == std::string::npos, where + ": result on two lines");
    const kelo::CopyResult copy = model.CopyText();
    Require(copy.text ? kelo::fuzz::IsPlainDecimal(*copy.text, 4) : !copy.reason.empty(),
            where + ": copy text \"" + copy.text.value_or("") + "\" or no reason");
    return 0;
}
