// The taper dialog: its live computations, the OK flow, checks and errors.
#include <gtest/gtest.h>

#include "ProfileRig.h"

namespace kelo {
namespace {

using testing::kTrap;
using testing::Rig;

TEST(TaperDialog, OpensWithOnlyTheStartPoint) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    for (int box = 3; box <= 6; ++box) EXPECT_EQ(rig.Box(box), "");
    EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
}

TEST(TaperDialog, LeavingEndXComputesEndZFromTheAngle) {
    const struct {
        const char *x, *z, *angle, *endX, *endZ;  // endZ: nullptr when nothing may change
    } cases[] = {
        {"60", "-25", "30", "80", "-7.6794"},
        {"60", "0", "45", "80", "10.0001"},  // the margin
        {"60", "0", "90", "80", "0.0001"},   // the converted 90 degrees has a finite tangent
        {"60", "0", "-45", "80", "-9.9999"},
        {"60", "0", "0", "80", nullptr},     // tangent zero
        {"60", "0", "abc", "80", nullptr},
        {"60", "0", " ", "80", nullptr},     // a blank reads as 0
        {"60", "0", "45", "", nullptr},
        {"", "0", "45", "80", nullptr},
        {"-1E308", "0", "45", "1E308", nullptr},  // overflow
        {"0", "0", "1E400", "10", nullptr},       // no finite angle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "|" + c.z + "|" + c.angle + "|" + c.endX);
        Rig rig;
        rig.Open(ProfileDialogKind::Taper);
        rig.Fill({c.x, c.z, c.angle, c.endX, nullptr, "keep"});
        rig.dialog->LostFocus(4);
        EXPECT_EQ(rig.Box(6), c.endZ ? c.endZ : "keep");
        EXPECT_EQ(rig.shown[6], rig.Box(6));
        EXPECT_EQ(rig.Box(5), "");  // the relative Z is not updated
        EXPECT_TRUE(rig.desktop.messages.empty());
    }
}

TEST(TaperDialog, LeavingEndZComputesTheAngleOrEndX) {
    const struct {
        const char *x, *z, *angle, *endX, *relative, *endZ;  // endZ nullptr: what relative Z gave
        const char *angleAfter, *endXAfter;
    } cases[] = {
        {"100", "0", "", "150", "-25", nullptr, "135.0001", "150"},
        {"100", "0", "", "50", "-25", nullptr, "-134.9999", "50"},
        {"100", "0", "", "100", "-25", nullptr, "0.0001", "100"},
        {"100", "0", "", "150", "25", nullptr, "45.0001", "150"},
        {"100", "0", "", "50", "25", nullptr, "-44.9999", "50"},
        {"60", "-25", "30", "", "17.3205", nullptr, "30", "80.0001"},
        {"60", "-25", "30", "99", "17.3205", nullptr, "30", "80.0001"},  // overwrites a typed end X
        {"60", "0", "30", "", "", "10", "30", ""},                       // end Z typed directly: nothing
        {"100", "0", "", "150", "0", nullptr, "", "150"},                // zero change of Z
        {"60", "0", "", "", "5", nullptr, "", ""},                       // neither angle nor end X
        {"60", "0", "45", "", "5", "1E308", "45", ""},                   // overflow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "|" + c.z + "|" + c.angle + "|" + c.endX + "|" + c.relative);
        Rig rig;
        rig.Open(ProfileDialogKind::Taper);
        rig.Fill({c.x, c.z, c.angle, c.endX, c.relative, c.endZ});
        rig.dialog->LostFocus(6);
        EXPECT_EQ(rig.Box(3), c.angleAfter);
        EXPECT_EQ(rig.Box(4), c.endXAfter);
        EXPECT_EQ(rig.shown[3], rig.Box(3));
        EXPECT_EQ(rig.shown[4], rig.Box(4));
    }
}

TEST(TaperDialog, RelativeZRefillsEndZ) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"60", "-25", nullptr, nullptr, "17.3205"});
    EXPECT_EQ(rig.Box(6), "-7.6795");
    rig.Type(2, "1000");
    rig.Type(5, "0.0001");
    EXPECT_EQ(rig.Box(6), "1000");
    rig.Edit(5, "");
    EXPECT_EQ(rig.Box(6), "1000");
}

TEST(TaperDialog, OkSendsTheComputedEndPoint) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"60", "-25", "30", "80"});
    rig.dialog->LostFocus(4);  // a click on OK leaves end X first
    rig.dialog->OkClick();
    EXPECT_EQ(rig.desktop.typed, "<^C>LINE TWO_PTS -25,30 -7.6794,40<Enter><^C>");
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.state.StartX, TextOrNumber("80"));
    EXPECT_EQ(rig.state.StartZ, TextOrNumber(-7.6794));
}

TEST(TaperDialog, OkReadsOnlyItsFourBoxes) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"10", "2", "abc", "20", nullptr, "7"});
    rig.Edit(5, "");
    rig.Type(6, "7");
    rig.dialog->OkClick();
    EXPECT_EQ(rig.desktop.typed, "<^C>LINE TWO_PTS 2,5 7,10<Enter><^C>");
}

TEST(TaperDialog, OkChecksAndErrors) {
    const struct {
        const char *x, *z, *endX, *endZ;
        std::string message, title, typed;
    } cases[] = {
        {"", "0", "1", "2", std::string(texts::kStartXMissing), "テーパー", ""},
        {"1", "", "1", "2", std::string(texts::kStartZMissing), "テーパー", ""},
        {"1", "0", "", "2", std::string(texts::kEndXMissing), "テーパー", ""},
        {"1", "0", "3", "", std::string(texts::kEndZMissing), "テーパー", ""},
        {"1", "0", "3", "z", kTrap, "Keloメニュー", ""},
        {"1", "0", "x", "2", kTrap, "Keloメニュー", "<^C>LINE TWO_PTS 0,0.5 2,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Rig rig;
        rig.Open(ProfileDialogKind::Taper);
        rig.Fill({c.x, c.z, nullptr, c.endX, nullptr, c.endZ});
        rig.Edit(6, c.endZ);
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, c.message);
        EXPECT_EQ(rig.desktop.messages[0].title, c.title);
        EXPECT_EQ(rig.desktop.typed, c.typed);
        EXPECT_FALSE(rig.closed);
    }
    // An empty end Z: the boxes checked before it are stored already.
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"1", "2", nullptr, "3"});
    rig.dialog->OkClick();
    EXPECT_EQ(rig.state.StartX, TextOrNumber("1"));
    EXPECT_EQ(rig.state.StartZ, TextOrNumber("2"));
    EXPECT_EQ(rig.state.EndX, TextOrNumber("3"));
}

}  // namespace
}  // namespace kelo
