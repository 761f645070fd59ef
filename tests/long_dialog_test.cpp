// The longitudinal dialog: relative Z as it is typed, the OK flow, checks and errors.
#include <gtest/gtest.h>

#include "ProfileRig.h"

namespace kelo {
namespace {

using testing::kTrap;
using testing::Rig;

TEST(LongDialog, OpensWithEmptyRelativeAndEndZ) {
    Rig rig;
    rig.Open(ProfileDialogKind::Long);
    EXPECT_EQ(rig.Box(1), "0");
    EXPECT_EQ(rig.Box(2), "0");
    EXPECT_EQ(rig.Box(3), "");
    EXPECT_EQ(rig.Box(4), "");
    EXPECT_EQ(rig.shown[4], "");
    EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
}

TEST(LongDialog, RelativeZRefillsEndZOnEveryKeystroke) {
    const struct {
        const char* startZ;
        const char* relative;
        std::vector<std::string> endZ;  // after each keystroke
    } cases[] = {
        {"0", "-25", {"0", "-2", "-25"}},
        {"10", "-25", {"10", "8", "-15"}},
        {"1000", "0.0001", {"1000", "1000", "1000", "1000", "1000", "1000"}},
        {"-25", "17.3205", {"-24", "-8", "-8", "-7.7", "-7.68", "-7.68", "-7.6795"}},
        {"abc", "5mm", {"5", "5", "5"}},
        {"3", "1E39", {"4", "4", "1003", "1003"}},  // beyond single precision: end Z kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.startZ) + " + " + c.relative);
        Rig rig;
        rig.Open(ProfileDialogKind::Long);
        rig.Type(2, c.startZ);
        std::vector<std::string> seen;
        const std::string relative = c.relative;
        for (std::size_t n = 1; n <= relative.size(); ++n) {
            rig.Edit(3, relative.substr(0, n));
            seen.push_back(rig.Box(4));
            EXPECT_EQ(rig.shown[4], rig.Box(4));
        }
        EXPECT_EQ(seen, c.endZ);
    }
}

TEST(LongDialog, EmptiedRelativeZGivesStartZAndStartZAloneChangesNothing) {
    Rig rig;
    rig.Open(ProfileDialogKind::Long);
    rig.Type(2, "12.5");
    EXPECT_EQ(rig.Box(4), "");  // a change of start Z does not update end Z
    rig.Type(3, "4");
    EXPECT_EQ(rig.Box(4), "16.5");
    rig.Type(4, "99");  // typed by hand, then overwritten by the next relative change
    rig.Edit(3, "");
    EXPECT_EQ(rig.Box(4), "12.5");
}

TEST(LongDialog, OkTypesTheLine) {
    const struct {
        const char *x, *z, *relative, *endZ, *line;
        TextOrNumber startX, startZ;
    } cases[] = {
        {"60", "0", "-25", nullptr, "<^C>LINE TWO_PTS 0,30 -25,30<Enter><^C>", "60", -25.0},
        {"60", "0", nullptr, "-25.50", "<^C>LINE TWO_PTS 0,30 -25.5,30<Enter><^C>", "60", -25.5},
        {"60", "abc", nullptr, "10", "<^C>LINE TWO_PTS abc,30 10,30<Enter><^C>", "60", 10.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Rig rig;
        rig.Open(ProfileDialogKind::Long);
        rig.Fill({c.x, c.z, c.relative, c.endZ});
        rig.dialog->OkClick();
        EXPECT_EQ(rig.desktop.typed, c.line);
        EXPECT_TRUE(rig.desktop.messages.empty());
        EXPECT_TRUE(rig.closed);
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);
    }
}

TEST(LongDialog, OkChecksAndErrors) {
    const struct {
        const char *x, *z, *endZ;
        std::string message, title, typed;
        TextOrNumber startX, startZ;
    } cases[] = {
        {"", "0", "5", std::string(texts::kStartXMissing), "長手", "", 0.0, 0.0},
        {"60", "", "5", std::string(texts::kStartZMissing), "長手", "", "60", 0.0},
        {"60", "7", "", std::string(texts::kEndZMissing), "長手", "", "60", "7"},
        {"60", "7", "abc", kTrap, "Keloメニュー", "", "60", "7"},
        {"6o", "7", "5", kTrap, "Keloメニュー", "<^C>LINE TWO_PTS 7,", "6o", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Rig rig;
        rig.Open(ProfileDialogKind::Long);
        rig.Type(1, c.x);
        rig.Type(2, c.z);
        rig.Type(4, c.endZ);
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, c.message);
        EXPECT_EQ(rig.desktop.messages[0].title, c.title);
        EXPECT_EQ(rig.desktop.typed, c.typed);
        EXPECT_FALSE(rig.closed);
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);
    }
}

}  // namespace
}  // namespace kelo
