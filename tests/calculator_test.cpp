// The calculator: its evaluator and its model (ans, history, what Enter leaves in the box,
// the copy text and the status line); random input is left to tools/fuzz/calculator_fuzz.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calculator/CalculatorForm.h"
#include "calculator/CalculatorModel.h"
#include "calculator/Expression.h"

namespace kelo {
namespace {

struct ValueCase {
    const char* text;
    double expected;  // bit for bit
};

void ExpectValues(std::span<const ValueCase> cases, double ans = 0) {
    for (const ValueCase& c : cases) {
        const EvalResult r = EvaluateExpression(c.text, ans);
        ASSERT_TRUE(r.value.has_value()) << c.text << ": " << r.error;
        EXPECT_EQ(*r.value, c.expected) << c.text;
        EXPECT_FALSE(std::signbit(*r.value) && *r.value == 0) << c.text;  // never "-0"
    }
}

TEST(Expression, FollowsPrecedenceAssociativityAndNumberForms) {
    const ValueCase cases[] = {
        {"1+2*3", 7},     {"(1+2)*3", 9},  {"2*3^2", 18},    {"2^3^2", 512},   {"(2^3)^2", 64},  {"-2^2", -4},
        {"(-2)^2", 4},    {"2^-1", 0.5},   {"-2^-2", -0.25}, {"--3", 3},       {"-+-3", 3},      {"2*-3", -6},
        {"8/4/2", 1},     {"2-3-4", -5},   {"12.5", 12.5},   {".5", 0.5},      {"5.", 5},        {"1e3", 1000},
        {"2.5E-2", 0.025}, {"1E+2", 100},  {"1e-400", 0},    {"0^0", 1},       {"-0", 0},        {"Sqrt(16)", 4},
        {" 1 +\t2 ", 3},  {"ans*2", 42},   {"ANS", 21},      {"PI", std::numbers::pi},
        // What a Japanese keyboard types.
        {"\u3000１＋２\u3000", 3}, {"１２．５×２", 25}, {"９÷３", 3}, {"（１＋２）＊３", 9}, {"２＾３", 8},
        {"－３－－３", 0},         {"ｓｉｎ（３０）", 0.5}, {"１ｅ３／４", 250}, {"3\u22122", 1},
    };
    ExpectValues(cases, 21);
}

TEST(Expression, GivesExactValuesAtTheAnglesOfADrawing) {
    const double s45 = std::sqrt(0.5), s60 = std::sqrt(3.0) / 2;
    const ValueCase cases[] = {
        {"sin(30)", 0.5},      {"cos(60)", 0.5},     {"sin(180)", 0},       {"cos(90)", 0},       {"tan(45)", 1},
        {"tan(135)", -1},      {"sin(-30)", -0.5},   {"sin(150)", 0.5},     {"sin(210)", -0.5},   {"sin(390)", 0.5},
        {"cos(120)", -0.5},    {"sin(270)", -1},     {"cos(180)", -1},      {"sin(360)", 0},      {"tan(180)", 0},
        {"tan(225)", 1},       {"tan(315)", -1},     {"sin(45)", s45},      {"cos(135)", -s45},   {"sin(60)", s60},
        {"cos(30)", s60},      {"tan(60)", std::sqrt(3.0)},                 {"sin(360000030)", 0.5},
        {"asin(0.5)", 30},     {"acos(0.5)", 60},    {"acos(-0.5)", 120},   {"asin(1)", 90},      {"asin(-1)", -90},
        {"acos(1)", 0},        {"acos(-1)", 180},    {"acos(0)", 90},       {"atan(1)", 45},      {"atan(-1)", -45},
        {"asin(sin(45))", 45}, {"asin(sin(60))", 60}, {"acos(cos(30))", 30}, {"acos(cos(150))", 150},
        {"atan(tan(30))", 30}, {"atan(tan(60))", 60}, {"sqrt(0)", 0},        {"sqrt(-0)", 0},
    };
    ExpectValues(cases);
    // Elsewhere the ordinary functions, in degrees; near 90° tan is large but finite.
    EXPECT_NEAR(EvaluateExpression("sin(1)", 0).value.value_or(0), 0.017452406437283512, 1e-17);
    EXPECT_NEAR(EvaluateExpression("atan(1e308)", 0).value.value_or(0), 90, 1e-13);
    EXPECT_GT(EvaluateExpression("tan(89.999999)", 0).value.value_or(0), 5e7);
    EXPECT_LT(EvaluateExpression("tan(90.000001)", 0).value.value_or(0), -5e7);
}

// Syntax errors say where (in characters) and what was expected; arithmetic errors give
// the reason alone, the place in `position`, instead of a value that is not finite.
TEST(Expression, ErrorsSayWhereAndWhy) {
    const char *kOperand = "数値または「(」が必要です。", *kClose = "「)」が必要です。", *kOpen = "「(」が必要です。";
    const char *kZero = "0で割ることはできません。", *kTan = "tan: 90°+180°×nでは値がありません。";
    const char *kLarge = "結果が大きすぎます。", *kSqrt = "sqrt: 負の数の平方根は計算できません。";
    const struct {
        const char* text;
        std::size_t position;
        const char* reason;
        bool syntax = true;  // the reason follows "N文字目: "
    } cases[] = {
        {"2+", 3, kOperand},    {"(1+2", 5, kClose},  {"2**3", 3, kOperand},  {"sin30", 4, kOpen},
        {"sin()", 5, kOperand}, {"sin(30", 7, kClose}, {".", 1, kOperand},    {"2 3", 3, "演算子が必要です。"},
        {"pi(2)", 3, "演算子が必要です。"},  {"（１＋２", 5, kClose}, {"ｓｉｎ３０", 4, kOpen}, {"1/0+", 5, kOperand},
        {"1..2", 3, "小数点が2つあります。"},          {"1e+", 4, "指数の数字が必要です。"},
        {"(2 3)", 4, "演算子または「)」が必要です。"}, {"1+2)", 4, "対応する「(」のない「)」です。"},
        {"2*1e400", 3, "数値が大きすぎます。"},        {"abc", 1, "知らない名前「abc」です。"},
        {"2*Foo(3)", 3, "知らない名前「Foo」です。"},  {"ｆｏｏ＋1", 1, "知らない名前「ｆｏｏ」です。"},
        {"abcdefghijklmnopqrstuvwxyz", 1, "知らない名前「abcdefghijklmnopqrst…」です。"},
        {"2 # 3", 3, "使えない文字「#」です。"},       {"2,5", 2, "使えない文字「,」です。"},
        {"2\a", 2, "使えない文字「U+0007」です。"},    {"１＋\xff", 3, "使えない文字「\uFFFD」です。"},
        {"\U0001F600+1", 1, "使えない文字「\U0001F600」です。"},
        {"1/0", 2, kZero, false},   {"0^-1", 2, kZero, false},     {"tan(90)", 1, kTan, false},
        {"tan(450)", 1, kTan, false}, {"10^400", 3, kLarge, false}, {"1e308*10", 6, kLarge, false},
        {"-1e308-1e308", 7, kLarge, false}, {"sqrt(-0.0001)", 1, kSqrt, false}, {"1+sqrt(-1)/0", 3, kSqrt, false},
        {"asin(1.0000001)", 1, "asin: -1から1までの値が必要です。", false},
        {"acos(-1.0000001)", 1, "acos: -1から1までの値が必要です。", false},
        {"(-8)^(1/3)", 5, "^: 負の数の累乗には整数の指数が必要です。", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const EvalResult r = EvaluateExpression(c.text, 0);
        EXPECT_FALSE(r.value.has_value());
        EXPECT_EQ(r.error, (c.syntax ? std::to_string(c.position) + "文字目: " : "") + c.reason);
        EXPECT_EQ(r.position, c.position);
    }
    for (const char* blank : {"", " ", "\t", "\u3000\u3000 "}) {  // nothing to say
        EXPECT_EQ(EvaluateExpression(blank, 5).error, "");
        EXPECT_FALSE(EvaluateExpression(blank, 5).value);
    }
}

TEST(Expression, RefusesDeepNestingWithoutExhaustingTheStack) {
    const auto repeat = [](const char* s, int n) {
        std::string out;
        while (n-- > 0) out += s;
        return out;
    };
    const int limit = kMaxExpressionDepth;
    const std::pair<std::string, std::size_t> cases[] = {  // 0: the value ±1
        {repeat("(", 10000) + "1", limit + 1},          {repeat("sin(", 10000), 4 * (limit + 1)},
        {repeat("2^", 10000) + "1", 2 * (limit + 1)},   {repeat("(", limit) + "1" + repeat(")", limit), 0},
        {repeat("-", 10001) + "1", 0},
    };
    for (const auto& [text, position] : cases) {
        const EvalResult r = EvaluateExpression(text, 0);
        EXPECT_EQ(r.position, position) << text.substr(0, 12);
        EXPECT_EQ(r.error, position ? std::to_string(position) + "文字目: 入れ子が深すぎます。" : "");
        EXPECT_EQ(std::fabs(r.value.value_or(1)), 1);
    }
}

// Each step types a line (nullptr: Enter again on the box as it is) and presses Enter: a
// value empties the box and stays shown, copyable and `ans`; an error stays in the box;
// every line goes to the top of the history, which keeps ten.
TEST(CalculatorModel, EnterKeepsValuesAsAnsAndPutsEveryLineInTheHistory) {
    const char* kNothing = "コピーする結果がありません。";
    const struct {
        const char* typed;
        const char *shown, *box, *copied;  // after Enter; copied: the text or the reason there is none
        double ans;
        std::size_t history;
    } steps[] = {
        {"ans", "0", "", "0", 0, 1},         {"2*3", "6", "", "6", 6, 2},          {nullptr, "6", "", "6", 6, 2},
        {" ", "", " ", kNothing, 6, 2},      {"ans+1", "7", "", "7", 7, 3},        {"ans+1", "8", "", "8", 8, 4},
        {"1/0", "0で割ることはできません。", "1/0", kNothing, 8, 5},
        {"2+", "3文字目: 数値または「(」が必要です。", "2+", kNothing, 8, 6},
        {"ans/3", "2.66666666666667", "", "2.6667", 8.0 / 3, 7},  {"-ans*3", "-8", "", "-8", -8, 8},
    };
    CalculatorModel calc;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed ? s.typed : "(Enter again)");
        if (s.typed) {
            calc.OnTextChanged(s.typed);
            EXPECT_EQ(calc.ResultText(), s.shown);  // live, before Enter
        }
        calc.Evaluate();
        EXPECT_EQ(calc.ResultText(), s.shown);
        EXPECT_EQ(calc.Text(), s.box);
        EXPECT_EQ(calc.CopyText().text.value_or(calc.CopyText().reason), s.copied);
        EXPECT_EQ(calc.Ans(), s.ans);
        EXPECT_EQ(calc.History().size(), s.history);
    }
    calc.OnTextChanged("");  // the next keystroke shows the box's own result
    EXPECT_EQ(calc.ResultText(), "");
    EXPECT_EQ(HistoryLines(calc), (std::vector<std::string>{"-ans*3 = -8", "ans/3 = 2.66666666666667",
                                                            "2+ → 3文字目: 数値または「(」が必要です。",
                                                            "1/0 → 0で割ることはできません。", "ans+1 = 8",
                                                            "ans+1 = 7", "2*3 = 6", "ans = 0"}));
    for (int i = 1; i <= 13; ++i) {
        calc.OnTextChanged("1+" + std::to_string(i));
        calc.Evaluate();
    }
    ASSERT_EQ(calc.History().size(), CalculatorModel::kHistoryLength);
    EXPECT_EQ(calc.History().front().result, "14");
    EXPECT_EQ(calc.History().back().expression, "1+4");
    EXPECT_TRUE(HistoryLines(CalculatorModel()).empty());
}

// What the result line shows and the copy puts on the clipboard: the coordinate text.
TEST(CalculatorModel, ShowsAndCopiesResults) {
    const char *kNothing = "コピーする結果がありません。", *kTooLarge = "絶対値が1E15以上の値はコピーできません。";
    const struct {
        const char *text, *shown, *copied;  // the copy text, or the reason there is none
    } cases[] = {
        {"12.34567", "12.34567", "12.3457"},     {"0.12345", "0.12345", "0.1234"},   {"0.12355", "0.12355", "0.1236"},
        {"-0.00004", "-0.00004", "0"},           {"0.00005", "0.00005", "0"},        {"-12.5", "-12.5", "-12.5"},
        {"0.99996", "0.99996", "1"},             {"-0.99996", "-0.99996", "-1"},     {"1/3", "0.333333333333333", "0.3333"},
        {"sqrt(2)", "1.4142135623731", "1.4142"}, {"0.1+0.2", "0.3", "0.3"},        {"1e-20", "0.00000000000000000001", "0"},
        {"999999999999999", "999999999999999", "999999999999999"}, {"999999999999999.9", "1E15", "1000000000000000"},
        {"1e15", "1E15", kTooLarge}, {"-1e300", "-1E300", kTooLarge}, {"2+", "3文字目: 数値または「(」が必要です。", kNothing},
        {"", "", kNothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CalculatorModel calc;
        calc.OnTextChanged(c.text);
        EXPECT_EQ(calc.ResultText(), c.shown);
        const CopyResult copy = calc.CopyText();
        EXPECT_EQ(copy.text.value_or(copy.reason), c.copied);
        EXPECT_EQ(copy.text.has_value(), copy.reason.empty());
        EXPECT_EQ(CopyStatus(copy, true), copy.text ? "コピーしました: " + *copy.text : copy.reason);
    }
    EXPECT_EQ(CopyStatus({"1", ""}, false), "クリップボードを開けませんでした。もう一度お試しください。");
}

}  // namespace
}  // namespace kelo
