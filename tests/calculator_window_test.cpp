// The calculator window's portable side: its control table, what Enter leaves in the
// box, the history lines and the status line after a copy; and the version text the
// toolbar's caption and the resources share.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calculator/CalculatorForm.h"
#include "calculator/CalculatorModel.h"
#include "text/Texts.h"
#include "text/Version.h"

namespace kelo {
namespace {

TEST(CalculatorForm, ControlsLieInsideTheWindowWithoutOverlapAndTabThroughBoxButtonList) {
    const TwipRect client{0, 0, kCalcForm.clientWidth, kCalcForm.clientHeight};
    std::set<std::string_view> names;
    std::vector<std::string_view> tabOrder(3);
    for (const ControlRow& row : kCalcControls) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_GE(row.left, client.left + 120);
        EXPECT_GE(row.top, client.top + 120);
        EXPECT_LE(row.left + row.width, client.width - 120);
        EXPECT_LE(row.top + row.height, client.height - 120);
        if (row.tabIndex >= 0) {
            ASSERT_LT(row.tabIndex, 3);
            tabOrder[static_cast<std::size_t>(row.tabIndex)] = row.name;
        }
        for (const ControlRow& other : kCalcControls) {
            if (&other == &row) continue;
            const bool apart = row.left + row.width <= other.left || other.left + other.width <= row.left ||
                               row.top + row.height <= other.top || other.top + other.height <= row.top;
            EXPECT_TRUE(apart) << "overlaps " << other.name;
        }
    }
    EXPECT_EQ(tabOrder, (std::vector<std::string_view>{calc::kExpression, calc::kCopy, calc::kHistory}));
    for (std::string_view name : {calc::kExpression, calc::kResult, calc::kCopy, calc::kStatus, calc::kHistory})
        EXPECT_TRUE(FindControl(kCalcControls, name)) << name;
    EXPECT_EQ(kCalcControls[*FindControl(kCalcControls, calc::kCopy)].caption, "コピー");
    EXPECT_EQ(kCalcForm.caption, "Kelo電卓");
}

// Enter on a value empties the box for the next expression and keeps the value shown and
// copyable until the box changes; an error stays in the box; a blank Enter does nothing.
TEST(CalculatorModel, EnterEmptiesTheBoxAfterAValueAndKeepsAnErrorToCorrect) {
    const struct {
        const char* typed;  // nullptr: Enter on the box as the last step left it
        const char* boxAfterEnter;
        const char* shown;
        const char* copied;  // text or reason
        std::size_t historySize;
    } steps[] = {
        {"2*3", "", "6", "6", 1},
        {nullptr, "", "6", "6", 1},  // Enter again on the emptied box
        {" ", " ", "", "コピーする結果がありません。", 1},  // a keystroke shows the box's own result
        {"ans/4", "", "1.5", "1.5", 2},
        {"ans/0", "ans/0", "0で割ることはできません。", "コピーする結果がありません。", 3},
        {"ans/3", "", "0.5", "0.5", 4},
        {"sqrt(", "sqrt(", "6文字目: 数値または「(」が必要です。", "コピーする結果がありません。", 5},
    };
    CalculatorModel calc;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed ? s.typed : "(Enter again)");
        if (s.typed) calc.OnTextChanged(s.typed);
        calc.Evaluate();
        EXPECT_EQ(calc.Text(), s.boxAfterEnter);
        EXPECT_EQ(calc.ResultText(), s.shown);
        const CopyResult copy = calc.CopyText();
        EXPECT_EQ(copy.text.value_or(copy.reason), s.copied);
        EXPECT_EQ(calc.History().size(), s.historySize);
    }
    calc.OnTextChanged("");  // the next keystroke shows the box's own result again
    EXPECT_EQ(calc.ResultText(), "");
    EXPECT_EQ(calc.Ans(), 0.5);
}

TEST(CalculatorForm, HistoryLinesShowValueOrReasonNewestFirst) {
    CalculatorModel calc;
    for (const char* line : {"1+1", "1/0", "ans*3", "2+", "-0.5"}) {
        calc.OnTextChanged(line);
        calc.Evaluate();
    }
    EXPECT_EQ(HistoryLines(calc), (std::vector<std::string>{
                                      "-0.5 = -0.5",
                                      "2+ → 3文字目: 数値または「(」が必要です。",
                                      "ans*3 = 6",
                                      "1/0 → 0で割ることはできません。",
                                      "1+1 = 2",
                                  }));
    EXPECT_TRUE(HistoryLines(CalculatorModel()).empty());
}

TEST(CalculatorForm, CopyStatusSaysWhatWasCopiedOrWhyNothingWas) {
    const struct {
        CopyResult copy;
        bool clipboardTookIt;
        const char* status;
    } cases[] = {
        {{"12.3457", ""}, true, "コピーしました: 12.3457"},
        {{"12.3457", ""}, false, "クリップボードを開けませんでした。もう一度お試しください。"},
        {{std::nullopt, "コピーする結果がありません。"}, false, "コピーする結果がありません。"},
        {{std::nullopt, "絶対値が1E15以上の値はコピーできません。"}, false, "絶対値が1E15以上の値はコピーできません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(CopyStatus(c.copy, c.clipboardTookIt), c.status);
    }
}

// The caption is built from the version header and must stay as it always was.
TEST(Version, ToolbarCaptionCarriesTheOneVersionText) {
    EXPECT_STREQ(KELO_VERSION_TEXT, "1.32");
    EXPECT_EQ(texts::kMenuCaption,
              "Kelo Menu Ver.1.32     "
              "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000  "
              "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
              "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000  "
              "アイコンの説明を表示するには、ここをクリックした後にアイコンの上にマウスポインターを合わせてください。");
    EXPECT_TRUE(VersionTextIs("1.32", 1, 32));
    EXPECT_TRUE(VersionTextIs("10.0", 10, 0));
    EXPECT_FALSE(VersionTextIs("1.3", 1, 32));
    EXPECT_FALSE(VersionTextIs("1.320", 1, 32));
}

}  // namespace
}  // namespace kelo
