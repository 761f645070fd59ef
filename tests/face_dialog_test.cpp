// The face dialog: its opening, OK flow, checks and errors.
#include <gtest/gtest.h>

#include "ProfileRig.h"

namespace kelo {
namespace {

using testing::kTrap;
using testing::Rig;

TEST(FaceDialog, OpensAtTheCurrentStartPointWithEndXFocused) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    EXPECT_EQ(rig.Box(1), "0");
    EXPECT_EQ(rig.Box(2), "0");
    EXPECT_EQ(rig.Box(3), "");
    EXPECT_EQ(rig.shown, (std::map<int, std::string>{{1, "0"}, {2, "0"}, {3, ""}}));
    EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
}

TEST(FaceDialog, OkTypesTheLineAndChainsTheEndPoint) {
    const struct {
        const char *x, *z, *endX, *line;
    } cases[] = {
        {"100", "0", "60", "<^C>LINE TWO_PTS 0,50 0,30<Enter><^C>"},
        {"100", "5.0", "60", "<^C>LINE TWO_PTS 5.0,50 5,30<Enter><^C>"},  // start Z as typed, end Z as a number
        {"25.5", "0", "0.3", "<^C>LINE TWO_PTS 0,12.75 0,0.15<Enter><^C>"},
        {" 100 ", "-1E1", "60", "<^C>LINE TWO_PTS -1E1,50 -10,30<Enter><^C>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Rig rig;
        rig.Open(ProfileDialogKind::Face);
        rig.Fill({c.x, c.z, c.endX});
        rig.dialog->OkClick();
        EXPECT_EQ(rig.desktop.typed, c.line);
        EXPECT_TRUE(rig.desktop.messages.empty());
        EXPECT_TRUE(rig.closed);
        EXPECT_EQ(rig.state.StartX, TextOrNumber(c.endX));
        EXPECT_EQ(rig.state.StartZ, TextOrNumber(ParseNumber(c.z)));
    }
}

TEST(FaceDialog, NextDialogStartsWhereTheLastEnded) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    rig.Fill({"100", "0", "60"});
    rig.dialog->OkClick();
    for (auto kind : {ProfileDialogKind::Face, ProfileDialogKind::Long, ProfileDialogKind::Taper}) {
        rig.Open(kind);
        EXPECT_EQ(rig.Box(1), "60");
        EXPECT_EQ(rig.Box(2), "0");
    }
}

// Each required box is checked in order; the boxes before it are stored already.
TEST(FaceDialog, EmptyRequiredBoxShowsItsMessageAndKeepsTheDialog) {
    const struct {
        const char *x, *z, *endX;
        std::string_view message;
        TextOrNumber startX, startZ;
    } cases[] = {
        {"", "", "", texts::kStartXMissing, 0.0, 0.0},
        {"80", "", "", texts::kStartZMissing, "80", 0.0},
        {"80", "3", "", texts::kEndXMissing, "80", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message));
        Rig rig;
        rig.Open(ProfileDialogKind::Face);
        rig.Type(1, c.x);
        rig.Type(2, c.z);
        rig.Type(3, c.endX);
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, c.message);
        EXPECT_EQ(rig.desktop.messages[0].title, "端面");
        EXPECT_EQ(rig.desktop.messages[0].style, MessageStyle::Exclamation);
        EXPECT_EQ(rig.desktop.typed, "");
        EXPECT_FALSE(rig.closed);
        EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});  // only the opening moved it
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);

        rig.dialog->CancelClick();  // keeps what the check stored
        EXPECT_TRUE(rig.closed);
        rig.Open(ProfileDialogKind::Face);
        EXPECT_EQ(rig.Box(1), c.startX.AsText());
    }
}

// The trap's message, and how much of the line was typed before the error.
TEST(FaceDialog, ErrorsShowTheChannelMessageWhereTheyArise) {
    const struct {
        const char *x, *z, *endX;
        bool hostOpen;
        const char* typedBefore;
    } cases[] = {
        {"100", "abc", "", false, ""},  // the start Z is read before the end X is tested
        {"100", "abc", "", true, ""},
        {"100", " ", "60", true, ""},  // a blank passes the check, not the reading
        {"100", "0", "60", false, ""},
        {"abc", "0", "60", true, "<^C>LINE TWO_PTS 0,"},
        {"100", "0", "6x", true, "<^C>LINE TWO_PTS 0,50 0,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "|" + c.z + "|" + c.endX);
        Rig rig;
        rig.desktop.hostOpen = c.hostOpen;
        rig.Open(ProfileDialogKind::Face);
        rig.Fill({c.x, c.z, c.endX});
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, kTrap);
        EXPECT_EQ(rig.desktop.messages[0].title, "Keloメニュー");
        EXPECT_EQ(rig.desktop.messages[0].style, MessageStyle::Exclamation);
        EXPECT_EQ(rig.desktop.typed, c.typedBefore);
        EXPECT_FALSE(rig.closed);
    }
}

TEST(FaceDialog, CancelLeavesTheStateAlone) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    rig.Fill({"5", "6", "7"});
    rig.dialog->CancelClick();
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.desktop.typed, "");
    rig.Open(ProfileDialogKind::Face);
    EXPECT_EQ(rig.Box(1), "0");
    EXPECT_EQ(rig.Box(2), "0");
}

}  // namespace
}  // namespace kelo
