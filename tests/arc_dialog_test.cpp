// The concave and convex arc dialogs: opening, the solver as boxes are left, and
// the OK flow with its point order, texts, silent errors and chaining.
#include <gtest/gtest.h>

#include "ProfileRig.h"

namespace kelo {
namespace {

using testing::Rig;

constexpr ProfileDialogKind kArcs[] = {ProfileDialogKind::Arc1, ProfileDialogKind::Arc2};

TEST(ArcDialog, OpensAtTheStartPointWithTheRadiusFocused) {
    for (ProfileDialogKind kind : kArcs) {
        Rig rig;
        rig.Open(kind);
        SCOPED_TRACE(std::string(rig.dialog->form().caption));
        EXPECT_EQ(rig.shown, (std::map<int, std::string>{{1, "0"}, {2, "0"}, {3, ""}, {4, ""}, {5, ""}, {6, ""},
                                                          {7, ""}}));
        EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
    }
}

// Boxes 1..7 as typed, the box left last, then OK: the centre the solver wrote and
// exactly what the host received.
TEST(ArcDialog, OkTypesTheCentreThenThePointsInTheOrderOfTheSense) {
    const struct {
        ProfileDialogKind kind;
        std::vector<const char*> boxes;
        const char *centreX, *centreZ, *typed;
    } cases[] = {
        // The end point first: 0 > -8 selects the concave arc from the smaller Z.
        {ProfileDialogKind::Arc1, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, "26", "-4",
         "<^C>ARC CEN_BEG_END -4,13<Enter>-8,10<Enter>0,10<Enter><^C>"},
        {ProfileDialogKind::Arc2, {"20", "0", "5", nullptr, nullptr, "20", "-8"}, "14", "-4",
         "<^C>ARC CEN_BEG_END -4,7<Enter>0,10<Enter>-8,10<Enter><^C>"},
        {ProfileDialogKind::Arc1, {"20", "0", "5", nullptr, nullptr, "20", "8"}, "26", "4",
         "<^C>ARC CEN_BEG_END 4,13<Enter>0,10<Enter>8,10<Enter><^C>"},
        {ProfileDialogKind::Arc2, {"20", "0", "5", nullptr, nullptr, "20", "8"}, "14", "4",
         "<^C>ARC CEN_BEG_END 4,7<Enter>8,10<Enter>0,10<Enter><^C>"},
        // Equal Z: both type the start point first.
        {ProfileDialogKind::Arc1, {"20", "0", "5", nullptr, nullptr, "26", "0"}, "23", "-4.7697",
         "<^C>ARC CEN_BEG_END -4.7697,11.5<Enter>0,10<Enter>0,13<Enter><^C>"},
        {ProfileDialogKind::Arc2, {"20", "0", "5", nullptr, nullptr, "26", "0"}, "23", "-4.7697",
         "<^C>ARC CEN_BEG_END -4.7697,11.5<Enter>0,10<Enter>0,13<Enter><^C>"},
        // Centre and start Z as typed, end Z as a number, every X halved as a number.
        {ProfileDialogKind::Arc1, {"25", "0.0", "", "0.5", "-4.0", "20.0", "-8.00"}, "0.5", "-4.0",
         "<^C>ARC CEN_BEG_END -4.0,0.25<Enter>-8,10<Enter>0.0,12.5<Enter><^C>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Rig rig;
        rig.Open(c.kind);
        for (int box = 1; box <= 7; ++box)
            if (c.boxes[box - 1] != nullptr) rig.Type(box, c.boxes[box - 1]);
        rig.dialog->LostFocus(7);  // a click on OK takes the focus out of the box first
        EXPECT_EQ(rig.Box(4), c.centreX);
        EXPECT_EQ(rig.Box(5), c.centreZ);
        rig.dialog->OkClick();
        EXPECT_EQ(rig.desktop.typed, c.typed);
        EXPECT_TRUE(rig.closed);
        EXPECT_TRUE(rig.desktop.messages.empty());
        // The end point is the next start: its X as typed, its Z as a number.
        const std::string endX = c.boxes[5];
        EXPECT_EQ(rig.state.StartX, TextOrNumber(endX));
        EXPECT_EQ(rig.state.StartZ, TextOrNumber(ParseNumber(c.boxes[6])));
        rig.Open(ProfileDialogKind::Face);
        EXPECT_EQ(rig.Box(1), endX);
    }
}

// Without the centre and the end point there is nothing to draw: OK only closes.
// Any error after that is silent and keeps the dialog with what was stored.
TEST(ArcDialog, OkThatCannotDrawClosesOrStaysOpenSilently) {
    const struct {
        const char* name;
        std::vector<const char*> boxes;
        bool hostOpen;
        bool closed;
        const char* typed;
        const char* centreX;  // CenterX afterwards, as text
    } cases[] = {
        {"centre X empty", {"30", "0", "", "", "-4", "20", "-8"}, true, true, "", "0"},
        {"end Z not a number", {"30", "0", "", "26", "-4", "20", "abc"}, true, false, "", "26"},
        {"no host", {"30", "0", "", "26", "-4", "20", "-8"}, false, false, "", "26"},
        {"start Z not a number", {"30", "z", "", "26", "-4", "20", "-8"}, true, false, "<^C>ARC CEN_BEG_END -4,13<Enter>",
         "26"},
        {"start X not a number", {"x", "0", "", "26", "-4", "20", "-8"}, true, false,
         "<^C>ARC CEN_BEG_END -4,13<Enter>-8,10<Enter>0,", "26"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.desktop.hostOpen = c.hostOpen;
        rig.Open(ProfileDialogKind::Arc1);
        for (int box = 1; box <= 7; ++box) rig.Type(box, c.boxes[box - 1]);
        rig.dialog->OkClick();
        EXPECT_EQ(rig.closed, c.closed);
        EXPECT_EQ(rig.desktop.typed, c.typed);
        EXPECT_TRUE(rig.desktop.messages.empty());
        EXPECT_EQ(rig.state.CenterX.AsText(), c.centreX);
        if (c.closed) {
            // Not advanced to the end point: the start point is as the boxes had it.
            EXPECT_EQ(rig.state.StartX, TextOrNumber(0.0));
        } else {
            EXPECT_EQ(rig.state.StartX, TextOrNumber(c.boxes[0]));
            EXPECT_EQ(rig.state.EndX, TextOrNumber("20"));
        }
    }
}

TEST(ArcDialog, StartPointEditedAndLeftSurvivesCancel) {
    Rig rig;
    rig.Open(ProfileDialogKind::Arc2);
    rig.Type(1, "30");
    rig.dialog->LostFocus(1);
    rig.dialog->CancelClick();
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.desktop.typed, "");
    rig.Open(ProfileDialogKind::Long);
    EXPECT_EQ(rig.Box(1), "30");
}

TEST(ArcDialog, OnlyBoxesOtherThanCentreXRunTheSolver) {
    for (int box = 1; box <= 7; ++box) {
        SCOPED_TRACE(box);
        Rig rig;
        rig.Open(ProfileDialogKind::Arc1);
        rig.Fill({"20", "0", "5", nullptr, nullptr, "20", "-8"});
        rig.dialog->LostFocus(box);
        EXPECT_EQ(rig.Box(4), box == 4 ? "" : "26");
    }
}

// Two empty start boxes: the solver sends the focus to Text1 and then to Text2;
// the focus those moves take from a box does not run it again, so it comes to rest.
TEST(ArcDialog, EmptyStartBoxesTakeTheFocusOnceWithoutEnd) {
    Rig rig;
    rig.Open(ProfileDialogKind::Arc1);
    rig.followFocus = true;
    rig.focused = "Text3";
    rig.Fill({"", "", "5"});
    rig.focus.clear();
    rig.Leave(3, "Text4");
    EXPECT_EQ(rig.focus, (std::vector<std::string>{"Text1", "Text2"}));
    EXPECT_EQ(rig.focused, "Text2");
    // The start point keeps the value it had, which the rules go on to use.
    EXPECT_EQ(rig.state.StartX, TextOrNumber(0.0));
}

TEST(ArcDialog, NoteSaysWhyTheSolverGaveNoResultAndClearsWhenItDoes) {
    Rig rig;
    rig.Open(ProfileDialogKind::Arc2);
    rig.Fill({"20", "0", "5", nullptr, nullptr, "20", "-30"});  // the chord is longer than the diameter
    rig.dialog->LostFocus(7);
    EXPECT_EQ(rig.note, texts::kArcChordTooLong);
    EXPECT_EQ(rig.Box(4), "");
    rig.Type(7, "-8");
    rig.dialog->LostFocus(7);
    EXPECT_EQ(rig.note, "");
    EXPECT_EQ(rig.Box(4), "14");
}

}  // namespace
}  // namespace kelo
