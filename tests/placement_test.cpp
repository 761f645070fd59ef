// Where the contour preview stands beside a dialog.
#include <gtest/gtest.h>

#include "ui/Placement.h"

namespace kelo {
namespace {

TEST(Placement, BesideTheDialogClearOfItAndOfTheToolbar) {
    const PixelRect screen{0, 0, 1920, 1080};
    const PixelRect toolbar{380, 0, 1700, 144};
    const struct {
        const char* name;
        PixelRect dialog;
        std::optional<PixelRect> expected;
    } cases[] = {
        {"centred: to the right, top edges level", {760, 390, 1080, 690}, PixelRect{1088, 390, 1568, 710}},
        {"near the right edge: to the left", {1500, 390, 1820, 690}, PixelRect{1012, 390, 1492, 710}},
        {"high up: pushed below the toolbar", {760, 60, 1080, 360}, PixelRect{1088, 152, 1568, 472}},
        {"low down: pulled up into the screen", {760, 900, 1080, 1060}, PixelRect{1088, 760, 1568, 1080}},
        {"narrow room: as wide as the room", {200, 390, 1700, 690}, PixelRect{1708, 390, 1920, 710}},
        {"no room on either side", {100, 390, 1850, 690}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto placed = PlaceBeside(c.dialog, toolbar, screen, 480, 320, 8, 160);
        EXPECT_EQ(placed, c.expected);
        if (!placed) continue;
        EXPECT_FALSE(Overlap(*placed, c.dialog));
        EXPECT_FALSE(Overlap(*placed, toolbar));
        EXPECT_GE(placed->left, screen.left);
        EXPECT_LE(placed->right, screen.right);
        EXPECT_LE(placed->bottom, screen.bottom);
    }
}

TEST(Placement, AWindowOffTheScreenIsMovedBackWithItsSize) {
    const PixelRect screen{0, 0, 1280, 720};
    const struct {
        PixelRect window, expected;
    } cases[] = {
        {{100, 0, 1380, 110}, {0, 0, 1280, 110}},         // wider than the screen: its left edge shows
        {{1500, 0, 2780, 110}, {0, 0, 1280, 110}},        // on a monitor that is gone
        {{600, 0, 900, 110}, {600, 0, 900, 110}},         // inside already: not moved
        {{1100, -50, 1400, 60}, {980, 0, 1280, 110}},     // partly above and right
        {{-400, 700, -100, 810}, {0, 610, 300, 720}},     // below and left
    };
    for (const auto& c : cases) EXPECT_EQ(MoveInside(c.window, screen), c.expected);
}

}  // namespace
}  // namespace kelo
