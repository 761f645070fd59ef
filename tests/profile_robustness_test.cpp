// Odd input in every box of the line dialogs: no handler throws, no box ever
// shows a number that is not finite, and the start point stays readable.
#include <gtest/gtest.h>

#include "text/Texts.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <random>

#include "FakeDesktop.h"
#include "profiles/ProfileDialogs.h"
#include "profiles/ProfileLayout.h"

namespace kelo {
namespace {

class QuietView : public ProfileView {
   public:
    explicit QuietView(Desktop& desktop) : desktop_(desktop) {}
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return desktop_.ShowMessage(text, title, style);
    }
    void MoveFocus(std::string_view) override {}
    void Close() override { closed = true; }
    void ShowBoxText(int, std::string_view text) override { shown.emplace_back(text); }
    void ShowNote(std::string_view) override {}
    std::vector<std::string> shown;
    bool closed = false;

   private:
    Desktop& desktop_;
};

bool LooksNonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

const char* const kPieces[] = {
    "",      " ",       "0",      "-0",     "1e308", "-1e308", "9e999",  "1E-320", "&HFFFFFFFFFFFFFFFFFFFF",
    "&O777", "&H",      "abc",    "12.5mm", "1 2",   "\t-3\n",  "90",     "-90",    "180",
    "45",    "3.4E38",  "-3.4E39", "1e15",  ".",     "-",      "+",      "E5",     "0.0001",
    "1e-5",  "100",     "60",     "-25",    "ａ",    "１２",   "1,5",    "1.2.3",
};

TEST(ProfileRobustness, RandomBoxTextsNeverEscapeAHandlerOrShowANonFiniteNumber) {
    std::mt19937 random(20261206);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    for (ProfileDialogKind kind : {ProfileDialogKind::Face, ProfileDialogKind::Long, ProfileDialogKind::Taper,
                                   ProfileDialogKind::Arc1, ProfileDialogKind::Arc2}) {
        testing::FakeDesktop desktop;
        ChannelSettings settings{std::string(texts::kDefaultHostTitle), "0", 0.0f};
        HostChannel channel(desktop, settings);
        ProfileState state;
        InitProfileState(state);
        for (int round = 0; round < 300; ++round) {
            QuietView view(desktop);
            auto dialog = MakeProfileDialog(kind, state, channel, view);
            ASSERT_NO_THROW(dialog->FormLoad());
            const int boxes = BoxCount(dialog->form().controls);
            for (int step = 0; step < 12 && !view.closed; ++step) {
                const int box = 1 + static_cast<int>(pick(static_cast<std::size_t>(boxes)));
                std::string text = kPieces[pick(std::size(kPieces))];
                if (pick(3) == 0) text += kPieces[pick(std::size(kPieces))];
                switch (pick(4)) {
                    case 0: ASSERT_NO_THROW(dialog->LostFocus(box)); break;
                    case 1: ASSERT_NO_THROW(dialog->KeyPress(box, u'\r')); break;
                    case 2:
                        if (pick(4) == 0) {
                            ASSERT_NO_THROW(dialog->OkClick());
                        }
                        break;
                    default: ASSERT_NO_THROW(dialog->UserChangedText(box, text)); break;
                }
            }
            for (const std::string& text : view.shown) EXPECT_FALSE(LooksNonFinite(text)) << text;
            for (int box = 1; box <= boxes; ++box) EXPECT_FALSE(LooksNonFinite(dialog->BoxText(box)));
            EXPECT_FALSE(LooksNonFinite(state.StartX.AsText()));
            EXPECT_FALSE(LooksNonFinite(state.StartZ.AsText()));
            for (const TextOrNumber* field : {&state.EndX, &state.CenterX, &state.CenterZ, &state.Radius})
                EXPECT_FALSE(LooksNonFinite(field->AsText()));
            EXPECT_TRUE(std::isfinite(state.EndZ));
        }
    }
}

}  // namespace
}  // namespace kelo
