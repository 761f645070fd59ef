// Bad input in every box of every profile dialog: nothing throws, no box, field or
// typed line ever holds a non-finite number, only the dialog's own messages show,
// and an OK that fails never advances the start point.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Rig.h"
#include "text/NumberRules.h"

namespace kelo {
namespace {

using testing::kFailure;
using testing::LooksNonFinite;
using testing::Rig;
using enum ProfileDialogKind;

void ExpectNothingNonFinite(Rig& rig) {
    for (int box = 1; box <= BoxCount(rig.dialog->form().controls); ++box) EXPECT_FALSE(LooksNonFinite(rig.Box(box)));
    for (const std::string& text : rig.written) EXPECT_FALSE(LooksNonFinite(text));
    EXPECT_FALSE(LooksNonFinite(rig.Typed()));
    const ProfileState& s = rig.state;
    for (const TextOrNumber* field : {&s.StartX, &s.StartZ, &s.EndX, &s.CenterX, &s.CenterZ, &s.Radius})
        EXPECT_FALSE(LooksNonFinite(field->AsText()));
    EXPECT_TRUE(std::isfinite(s.EndZ));
}

// Each bad text typed into each box of a good segment (a long one pasted), the box
// left for the next one, then OK.
TEST(BadInput, EveryBoxOfEveryProfileDialog) {
    const std::string bad[] = {"",     " ",    "abc",    "-",    ".",    "1e400", "-1e400", "-0",
                               "1,5",  "12.5mm", "&H10", "1 2", std::string(10000, '7'), "１２", "あ"};
    const struct {
        ProfileDialogKind kind;
        std::vector<const char*> good;
        int endX;
        std::vector<std::string_view> checks;  // the messages of its empty boxes
    } dialogs[] = {
        {Face, {"100", "0", "60"}, 3, {texts::kStartXMissing, texts::kStartZMissing, texts::kEndXMissing}},
        {Long, {"60", "0", "-25", nullptr}, 1, {texts::kStartXMissing, texts::kStartZMissing, texts::kEndZMissing}},
        {Taper, {"60", "-25", "30", "80", nullptr, "-7.6794"}, 4,
         {texts::kStartXMissing, texts::kStartZMissing, texts::kEndXMissing, texts::kEndZMissing}},
        {Arc1, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 6, {}},
        {Arc2, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 6, {}},
    };
    int typed = 0, refused = 0;
    for (const auto& d : dialogs) {
        const int boxes = static_cast<int>(d.good.size());
        const auto leave = [&](Rig& rig, int box, const std::string& text) {
            text.size() > 100 ? rig.Edit(box, text) : rig.Type(box, text);
            rig.Leave(box, layout::kBoxNames[box % boxes]);
        };
        for (int box = 1; box <= boxes; ++box) {
            for (const std::string& text : bad) {
                Rig rig;
                rig.followFocus = true;
                rig.Open(d.kind);
                rig.focused = "Text3";
                for (int b = 1; b <= boxes; ++b)
                    if (d.good[b - 1]) leave(rig, b, d.good[b - 1]);
                leave(rig, box, text);
                SCOPED_TRACE(std::string(rig.dialog->form().caption) + " Text" + std::to_string(box) + " " +
                             text.substr(0, 20));
                EXPECT_EQ(rig.Typed(), "") << "leaving a box types and shows nothing";
                const ProfileState before = rig.state;
                const std::string endX = rig.Box(d.endX);
                rig.dialog->OkClick();
                ExpectNothingNonFinite(rig);
                const std::string seen = rig.Typed();
                const std::size_t message = seen.find("[message");
                if (rig.closed && !seen.empty()) {  // typed whole: the end point goes on
                    EXPECT_EQ(seen.substr(0, 2) + seen.substr(seen.size() - 3), "^C\r^C");
                    EXPECT_EQ(rig.state.StartX, TextOrNumber(endX));
                    ++typed;
                    continue;
                }
                ++refused;
                EXPECT_EQ(seen.find("\r^C"), std::string::npos) << "no command was ended";
                EXPECT_TRUE(rig.state.StartX == before.StartX || rig.state.StartX == TextOrNumber(rig.Box(1)));
                EXPECT_TRUE(rig.state.StartZ == before.StartZ || rig.state.StartZ == TextOrNumber(rig.Box(2)));
                if (d.checks.empty()) {  // the arcs show no message box; OK closes when there is nothing to draw
                    EXPECT_EQ(message, std::string::npos);
                    continue;
                }
                ASSERT_NE(message, std::string::npos);
                bool known = seen.substr(message) == kFailure;
                for (std::string_view check : d.checks)
                    known = known || seen == testing::Message(check, rig.dialog->form().caption);
                EXPECT_TRUE(known) << seen;
                EXPECT_FALSE(rig.closed);
            }
        }
    }
    EXPECT_GT(typed, 50);
    EXPECT_GT(refused, 200);
}

// Random edits, Enters, leaves and OKs over odd texts, round after round.
TEST(BadInput, RandomEditsInEveryProfileDialog) {
    const char* const pieces[] = {
        "",     " ",     "0",     "-0",   "1e308", "-1e308", "9e999", "1E-320", "&HFFFFFFFFFFFFFFFFFFFF", "&O777",
        "&H",   "abc",   "12.5mm", "1 2", "\t-3\n", "90",    "-90",   "180",    "45",     "3.4E38",  "-3.4E39",
        "1e15", ".",     "-",     "+",    "E5",    "0.0001", "1e-5", "100",    "60",     "-25",     "ａ",
        "１２", "1,5",   "1.2.3",
    };
    std::mt19937 random(20261206);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (ProfileDialogKind kind : {Face, Long, Taper, Arc1, Arc2}) {
        Rig rig;
        for (int round = 0; round < 300; ++round) {
            rig.Open(kind);
            const int boxes = BoxCount(rig.dialog->form().controls);
            for (int step = 0; step < 12 && !rig.closed; ++step) {
                const int box = 1 + static_cast<int>(pick(static_cast<std::size_t>(boxes)));
                std::string text = pieces[pick(std::size(pieces))];
                if (pick(3) == 0) text += pieces[pick(std::size(pieces))];
                switch (pick(4)) {
                    case 0: rig.dialog->LostFocus(box); break;
                    case 1: rig.dialog->KeyPress(box, u'\r'); break;
                    case 2: if (pick(4) == 0) rig.dialog->OkClick(); break;
                    default: rig.dialog->UserChangedText(box, text);
                }
            }
            ExpectNothingNonFinite(rig);
            rig.desktop.transcript.clear();
            rig.written.clear();
        }
    }
}

// A number that only just fits the double range, carried into the next dialog,
// still reads as a number there.
TEST(BadInput, LargestEndZCarriesIntoTheNextDialog) {
    Rig rig;
    rig.Open(Long);
    rig.Fill({"60", "0", nullptr, "-1.7976931348623157E308"});
    rig.dialog->OkClick();
    rig.Open(Face);
    rig.desktop.transcript.clear();
    rig.Type(3, "40");
    rig.dialog->OkClick();
    EXPECT_EQ(rig.Typed(), "^CLINE TWO_PTS -1.79769313486231E308,30 -1.79769313486231E308,20\r^C");
}

}  // namespace
}  // namespace kelo
