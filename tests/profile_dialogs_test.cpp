// The five profile dialogs through their models: opening, the Enter chain, the live
// computations, the OK flows with their checks and errors, the contour they record, and
// bad input in every box.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Rig.h"
#include "text/NumberRules.h"

namespace kelo {
namespace {

using testing::kFailure;
using testing::Message;
using testing::LooksNonFinite;
using testing::Rig;
using enum ProfileDialogKind;

// Each dialog opens at the start point with the focus in Text3; Enter walks the boxes to
// OK without pressing it, and other keys are left to the box.
TEST(ProfileDialogs, OpenAtTheStartPointAndEnterWalksTheChainToOkWithoutPressingIt) {
    for (auto [kind, boxes] : {std::pair{Face, 3}, {Long, 4}, {Taper, 6}, {Arc1, 7}, {Arc2, 7}}) {
        Rig rig;
        rig.state.StartX = "60";
        rig.state.StartZ = -25.0;
        rig.Open(kind);
        SCOPED_TRACE(std::string(rig.dialog->form().name));
        EXPECT_EQ(rig.Boxes(), "60|-25" + std::string(boxes - 2, '|'));
        EXPECT_EQ(rig.shown.size(), static_cast<std::size_t>(boxes));  // every box shown as opened
        for (const auto& [box, text] : rig.shown) EXPECT_EQ(text, rig.Box(box));
        EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
        std::vector<std::string> chain;
        for (int box = 1; box <= boxes + 1; ++box) {  // and one box too many
            for (char16_t key : {u'a', u'\n', u'\r'}) rig.dialog->KeyPress(box, key);
            if (box <= boxes) chain.push_back(box < boxes ? "Text" + std::to_string(box + 1) : "OKButton");
        }
        EXPECT_EQ(std::vector(rig.focus.begin() + 1, rig.focus.end()), chain);
        EXPECT_EQ(rig.Typed(), "");
        EXPECT_FALSE(rig.closed);
    }
}

// Boxes typed in order (nullptr: as opened or computed), one box left, then what
// leaving it computed in every box ("Text1|Text2|..."); nothing is typed or shown.
TEST(ProfileDialogs, LiveComputations) {
    const struct {
        ProfileDialogKind kind;
        std::vector<const char*> boxes;
        int left;
        const char* after;
    } cases[] = {
        // Relative Z into end Z on every keystroke, in single precision; start Z alone changes nothing.
        {Long, {nullptr, "10", "-25"}, 0, "0|10|-25|-15"},
        {Long, {nullptr, "1000", "0.0001"}, 0, "0|1000|0.0001|1000"},
        {Long, {nullptr, "-25", "17.3205"}, 0, "0|-25|17.3205|-7.6795"},
        {Long, {nullptr, "abc", "5mm"}, 0, "0|abc|5mm|5"},
        {Long, {nullptr, "3", "1E39"}, 0, "0|3|1E39|1003"},  // beyond single precision: end Z kept
        {Long, {nullptr, "12.5"}, 0, "0|12.5||"},
        {Long, {nullptr, "0", "-25", "99"}, 0, "0|0|-25|99"},  // typed by hand
        {Taper, {"60", "-25", nullptr, nullptr, "17.3205"}, 0, "60|-25|||17.3205|-7.6795"},
        // Leaving end X: end Z from the angle, with the margin; only where every step is finite.
        {Taper, {"60", "-25", "30", "80", nullptr, "keep"}, 4, "60|-25|30|80||-7.6794"},
        {Taper, {"60", "0", "45", "80", nullptr, "keep"}, 4, "60|0|45|80||10.0001"},
        {Taper, {"60", "0", "90", "80", nullptr, "keep"}, 4, "60|0|90|80||0.0001"},  // 90 degrees converted: finite
        {Taper, {"60", "0", "-45", "80", nullptr, "keep"}, 4, "60|0|-45|80||-9.9999"},
        {Taper, {"60", "0", "0", "80", nullptr, "keep"}, 4, "60|0|0|80||keep"},  // tangent zero
        {Taper, {"60", "0", "abc", "80", nullptr, "keep"}, 4, "60|0|abc|80||keep"},
        {Taper, {"60", "0", " ", "80", nullptr, "keep"}, 4, "60|0| |80||keep"},  // a blank reads as 0
        {Taper, {"60", "0", "45", "", nullptr, "keep"}, 4, "60|0|45|||keep"},
        {Taper, {"", "0", "45", "80", nullptr, "keep"}, 4, "|0|45|80||keep"},
        {Taper, {"-1E308", "0", "45", "1E308", nullptr, "keep"}, 4, "-1E308|0|45|1E308||keep"},  // overflow
        {Taper, {"0", "0", "1E400", "10", nullptr, "keep"}, 4, "0|0|1E400|10||keep"},  // no finite angle
        {Taper, {"60", "-25", "30", "80", nullptr, "keep"}, 6, "60|-25|30|80||keep"},  // no relative Z: nothing
        // Leaving end Z: the angle from end X, else end X from the angle.
        {Taper, {"100", "0", "", "150", "-25"}, 6, "100|0|135.0001|150|-25|-25"},
        {Taper, {"100", "0", "", "50", "-25"}, 6, "100|0|-134.9999|50|-25|-25"},
        {Taper, {"100", "0", "", "100", "-25"}, 6, "100|0|0.0001|100|-25|-25"},
        {Taper, {"100", "0", "", "150", "25"}, 6, "100|0|45.0001|150|25|25"},
        {Taper, {"100", "0", "", "50", "25"}, 6, "100|0|-44.9999|50|25|25"},
        {Taper, {"60", "-25", "30", "", "17.3205"}, 6, "60|-25|30|80.0001|17.3205|-7.6795"},
        {Taper, {"60", "-25", "30", "99", "17.3205"}, 6, "60|-25|30|80.0001|17.3205|-7.6795"},
        {Taper, {"60", "0", "30", "", "", "10"}, 6, "60|0|30|||10"},  // end Z typed directly: the user's word
        {Taper, {"100", "0", "", "150", "0"}, 6, "100|0||150|0|0"},   // zero change of Z
        {Taper, {"60", "0", "", "", "5"}, 6, "60|0|||5|5"},           // neither angle nor end X
        {Taper, {"60", "0", "45", "", "5", "1E308"}, 6, "60|0|45||5|1E308"},  // overflow
        // Every arc box but centre X runs the solver.
        {Arc1, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 3, "20|0|5|26|-4|20|-8"},
        {Arc1, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 4, "20|0|5|||20|-8"},
        {Arc2, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 7, "20|0|5|14|-4|20|-8"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.Open(c.kind);
        rig.Fill(c.boxes);
        SCOPED_TRACE(rig.Boxes() + " leaving " + std::to_string(c.left));
        if (c.left) rig.dialog->LostFocus(c.left);
        EXPECT_EQ(rig.Boxes(), c.after);
        for (const auto& [box, text] : rig.shown) EXPECT_EQ(text, rig.Box(box));  // the view was told
        EXPECT_EQ(rig.Typed(), "");
    }
    for (int box : {1, 2, 5, 6}) {
        Rig rig;
        rig.Open(Arc2);
        rig.Fill({"20", "0", "5", nullptr, nullptr, "20", "-8"});
        rig.dialog->LostFocus(box);
        EXPECT_EQ(rig.Boxes(), "20|0|5|14|-4|20|-8") << box;
    }
    // An emptied relative Z gives the start Z again.
    for (auto [kind, relative, end] : {std::tuple{Long, 3, 4}, {Taper, 5, 6}}) {
        Rig rig;
        rig.Open(kind);
        rig.Type(2, "12.5");
        rig.Type(relative, "4");
        rig.Type(end, "99");
        rig.Edit(relative, "");
        EXPECT_EQ(rig.Box(end), "12.5");
    }
}

// Boxes typed, one left (a click on OK leaves the box first), then OK: what the host
// received and what was shown, whether the dialog closed, and the next start point.
TEST(ProfileDialogs, OkTypesTheSegmentOrSaysWhyNot) {
    const std::string line = "^CLINE TWO_PTS ", arc = "^CARC CEN_BEG_END ";
    const struct {
        ProfileDialogKind kind;
        std::vector<const char*> boxes;
        int left;
        std::string seen;
        bool closed;
        TextOrNumber startX, startZ;
        bool noHost = false;
    } cases[] = {
        // Start Z as typed, end Z as a number, X halved as a number; the end point goes on.
        {Face, {"100", "0", "60"}, 0, line + "0,50 0,30\r^C", true, "60", 0.0},
        {Face, {"100", "5.0", "60"}, 0, line + "5.0,50 5,30\r^C", true, "60", 5.0},
        {Face, {"25.5", "0", "0.3"}, 0, line + "0,12.75 0,0.15\r^C", true, "0.3", 0.0},
        {Face, {" 100 ", "-1E1", "60"}, 0, line + "-1E1,50 -10,30\r^C", true, "60", -10.0},
        // An empty required box says so, titled with the caption; the boxes before it are stored.
        {Face, {"", "", ""}, 0, Message(texts::kStartXMissing, "端面"), false, 0.0, 0.0},
        {Face, {"80", "", ""}, 0, Message(texts::kStartZMissing, "端面"), false, "80", 0.0},
        {Face, {"80", "3", ""}, 0, Message(texts::kEndXMissing, "端面"), false, "80", "3"},
        // The channel's one message where the error arises: start Z is read before end X is tested.
        {Face, {"100", "abc", ""}, 0, kFailure, false, "100", "abc", true},
        {Face, {"100", "abc", ""}, 0, kFailure, false, "100", "abc"},
        {Face, {"100", " ", "60"}, 0, kFailure, false, "100", " "},  // a blank passes the check, not the reading
        {Face, {"100", "0", "60"}, 0, kFailure, false, "100", "0", true},
        {Face, {"abc", "0", "60"}, 0, line + "0," + kFailure, false, "abc", "0"},
        {Face, {"100", "0", "6x"}, 0, line + "0,50 0," + kFailure, false, "100", "0"},
        {Long, {"60", "0", "-25"}, 0, line + "0,30 -25,30\r^C", true, "60", -25.0},
        {Long, {"60", "0", nullptr, "-25.50"}, 0, line + "0,30 -25.5,30\r^C", true, "60", -25.5},
        {Long, {"60", "abc", nullptr, "10"}, 0, line + "abc,30 10,30\r^C", true, "60", 10.0},
        {Long, {"", "0", nullptr, "5"}, 0, Message(texts::kStartXMissing, "長手"), false, 0.0, 0.0},
        {Long, {"60", "", nullptr, "5"}, 0, Message(texts::kStartZMissing, "長手"), false, "60", 0.0},
        {Long, {"60", "7", nullptr, ""}, 0, Message(texts::kEndZMissing, "長手"), false, "60", "7"},
        {Long, {"60", "7", nullptr, "abc"}, 0, kFailure, false, "60", "7"},
        {Long, {"6o", "7", nullptr, "5"}, 0, line + "7," + kFailure, false, "6o", "7"},
        // Whatever end point the boxes hold, typed or computed; the angle and relative Z are not read.
        {Taper, {"60", "-25", "30", "80"}, 4, line + "-25,30 -7.6794,40\r^C", true, "80", -7.6794},
        {Taper, {"10", "2", "abc", "20", nullptr, "7"}, 0, line + "2,5 7,10\r^C", true, "20", 7.0},
        {Taper, {"", "0", nullptr, "1", nullptr, "2"}, 0, Message(texts::kStartXMissing, "テーパー"), false, 0.0, 0.0},
        {Taper, {"1", "", nullptr, "1", nullptr, "2"}, 0, Message(texts::kStartZMissing, "テーパー"), false, "1", 0.0},
        {Taper, {"1", "0", nullptr, "", nullptr, "2"}, 0, Message(texts::kEndXMissing, "テーパー"), false, "1", "0"},
        {Taper, {"1", "2", nullptr, "3", nullptr, ""}, 0, Message(texts::kEndZMissing, "テーパー"), false, "1", "2"},
        {Taper, {"1", "0", nullptr, "3", nullptr, "z"}, 0, kFailure, false, "1", "0"},
        {Taper, {"1", "0", nullptr, "x", nullptr, "2"}, 0, line + "0,0.5 2," + kFailure, false, "1", "0"},
        // The centre, then the points in the order that makes the host draw the arc of the sense:
        // 0 > -8 puts the concave arc's end point first; at equal Z both type the start first.
        {Arc1, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 7, arc + "-4,13\r-8,10\r0,10\r^C", true, "20", -8.0},
        {Arc2, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, 7, arc + "-4,7\r0,10\r-8,10\r^C", true, "20", -8.0},
        {Arc1, {"20", "0", "5", nullptr, nullptr, "20", "8"}, 7, arc + "4,13\r0,10\r8,10\r^C", true, "20", 8.0},
        {Arc2, {"20", "0", "5", nullptr, nullptr, "20", "8"}, 7, arc + "4,7\r8,10\r0,10\r^C", true, "20", 8.0},
        {Arc1, {"20", "0", "5", nullptr, nullptr, "26", "0"}, 7, arc + "-4.7697,11.5\r0,10\r0,13\r^C", true, "26", 0.0},
        {Arc2, {"20", "0", "5", nullptr, nullptr, "26", "0"}, 7, arc + "-4.7697,11.5\r0,10\r0,13\r^C", true, "26", 0.0},
        {Arc1, {"25", "0.0", "", "0.5", "-4.0", "20.0", "-8.00"}, 7, arc + "-4.0,0.25\r-8,10\r0.0,12.5\r^C", true,
         "20.0", -8.0},
        // Nothing to draw without the centre and end point: OK only closes. Any later error is silent.
        {Arc1, {"30", "0", "", "", "-4", "20", "-8"}, 0, "", true, 0.0, 0.0},
        {Arc1, {"30", "0", "", "26", "-4", "20", "abc"}, 0, "", false, "30", "0"},
        {Arc1, {"30", "0", "", "26", "-4", "20", "-8"}, 0, "", false, "30", "0", true},
        {Arc1, {"30", "z", "", "26", "-4", "20", "-8"}, 0, arc + "-4,13\r", false, "30", "z"},
        {Arc1, {"x", "0", "", "26", "-4", "20", "-8"}, 0, arc + "-4,13\r-8,10\r0,", false, "x", "0"},
    };
    for (const auto& c : cases) {
        Rig rig;
        if (c.noHost) rig.desktop.windows.clear();
        rig.Open(c.kind);
        rig.Fill(c.boxes);
        SCOPED_TRACE(rig.Boxes() + (c.noHost ? " without a host" : ""));
        if (c.left) rig.dialog->LostFocus(c.left);
        rig.dialog->OkClick();
        EXPECT_EQ(rig.Typed(), c.seen);
        EXPECT_EQ(rig.closed, c.closed);
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);
    }
}

TEST(ArcDialog, NoteSaysWhyTheSolverGaveNoResultAndGoesWhenItDoes) {
    Rig rig;
    rig.Open(Arc2);
    rig.Fill({"20", "0", "5", nullptr, nullptr, "20", "-30"});  // the chord is longer than the diameter
    rig.dialog->LostFocus(7);
    EXPECT_EQ(rig.note, texts::kArcChordTooLong);
    EXPECT_EQ(rig.Box(4), "");
    rig.Type(7, "-8");
    rig.dialog->LostFocus(7);
    EXPECT_EQ(rig.note, "");
    EXPECT_EQ(rig.Box(4), "14");
}

// The solver sends the focus to Text1, then Text2; the focus those moves take from
// a box does not run it again, so it comes to rest.
TEST(ArcDialog, EmptyStartBoxesTakeTheFocusOnceWithoutEnd) {
    Rig rig;
    rig.Open(Arc1);
    rig.followFocus = true;
    rig.focused = "Text3";
    rig.Fill({"", "", "5"});
    rig.focus.clear();
    rig.Leave(3, "Text4");
    EXPECT_EQ(rig.focus, (std::vector<std::string>{"Text1", "Text2"}));
    EXPECT_EQ(rig.focused, "Text2");
    EXPECT_EQ(rig.state.StartX, TextOrNumber(0.0));  // the start point keeps the value it had
}

// The preview's chain holds what was typed completely: not a command cut off by an
// error, not a cancelled dialog. Cancel keeps only what was stored before it.
TEST(ProfileDialogs, ChainRecordsOnlyWhatWasTypedCompletely) {
    Rig rig;
    rig.Open(Face);
    rig.Fill({"100", "0", "60"});
    rig.dialog->OkClick();
    rig.Open(Long);
    rig.Fill({"1", "2", "-25"});
    rig.dialog->CancelClick();
    rig.Open(Arc2);
    rig.Type(1, "60.0");
    rig.dialog->LostFocus(1);  // the solver stores the start point
    rig.dialog->CancelClick();
    EXPECT_TRUE(rig.closed);
    rig.Open(Long);
    EXPECT_EQ(rig.Boxes(), "60.0|0||");
    rig.desktop.windows.clear();
    rig.Type(3, "-25");
    rig.dialog->OkClick();
    rig.desktop.windows = {testing::kHost};
    rig.Open(Arc2);
    rig.Fill({nullptr, nullptr, "5", nullptr, nullptr, "50", "-5"});
    rig.dialog->LostFocus(7);
    rig.dialog->OkClick();
    ASSERT_EQ(rig.chain.Size(), 2u);
    const auto& face = rig.chain.Segments()[0];
    EXPECT_EQ(face.shape, SegmentShape(LineShape{{0, 50}, {0, 30}}));
    EXPECT_EQ(face.end.xText, "60");
    // Start Z 0 is not below end Z -5: the host's first point is the start.
    const auto& arc = rig.chain.Segments()[1];
    ASSERT_TRUE(std::holds_alternative<ArcShape>(arc.shape));
    EXPECT_EQ(std::get<ArcShape>(arc.shape).first, (ContourPoint{0, 30}));
    EXPECT_EQ(std::get<ArcShape>(arc.shape).second, (ContourPoint{-5, 25}));
    EXPECT_EQ(arc.end.zText, "-5");
    EXPECT_EQ(rig.Typed(), "^CLINE TWO_PTS 0,50 0,30\r^C" + kFailure + "^CARC CEN_BEG_END 0,25\r0,30\r-5,25\r^C");
}

void ExpectNothingNonFinite(Rig& rig) {
    for (int box = 1; box <= BoxCount(rig.dialog->form().controls); ++box) EXPECT_FALSE(LooksNonFinite(rig.Box(box)));
    for (const std::string& text : rig.written) EXPECT_FALSE(LooksNonFinite(text));
    EXPECT_FALSE(LooksNonFinite(rig.Typed()));
    const ProfileState& s = rig.state;
    for (const TextOrNumber* field : {&s.StartX, &s.StartZ, &s.EndX, &s.CenterX, &s.CenterZ, &s.Radius})
        EXPECT_FALSE(LooksNonFinite(field->AsText()));
    EXPECT_TRUE(std::isfinite(s.EndZ));
}

// Each bad text typed into each box of a good segment (a long one pasted), the box left for
// the next one, then OK: nothing throws, nothing shown, stored or typed is a non-finite
// number, only the dialog's own messages show, and an OK that fails never advances the start.
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
