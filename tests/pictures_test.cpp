// The button pictures and icons: their maps against the toolbar's layout, and their
// rendering at 100, 150 and 200 %.
#include "resources/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "toolbar/Layout.h"

namespace kelo {
namespace {

constexpr std::uint32_t kFace = 0xFFD4D0C8u;

char At(const Picture& p, int x, int y) { return p.pixels[static_cast<std::size_t>(y) * p.size + x]; }

// Each picture is a square map of key characters with something drawn, and belongs to a
// button of the layout (its picture, or its second one, which differs) or is an icon.
TEST(Pictures, EveryMapIsADrawingOfAButtonOrAnIcon) {
    std::set<std::string> wanted{"Icon32", "Icon48"};
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(std::string(row.name));
        const Picture *first = FindPicture(row.name), *second = FindPicture(std::string(row.name) + "#2");
        EXPECT_EQ(first != nullptr, (row.pictures & kFirstPicture) != 0);
        EXPECT_EQ(second != nullptr, (row.pictures & kSecondPicture) != 0);
        if (first) wanted.insert(std::string(row.name));
        if (second) wanted.insert(std::string(row.name) + "#2");
        EXPECT_FALSE(first && second && first->pixels == second->pixels);
        if (!first) continue;
        // Nothing drawn where a short button's borders (2 px a side at 96 dpi) would hide it.
        const int w = std::min(kPictureSize, TwipsToPixels(row.width, 96) - 4);
        const int h = std::min(kPictureSize, TwipsToPixels(row.height, 96) - 4);
        const int x0 = (kPictureSize - w) / 2, y0 = (kPictureSize - h) / 2;
        for (int y = 0; y < kPictureSize; ++y)
            for (int x = 0; x < kPictureSize; ++x)
                ASSERT_TRUE(At(*first, x, y) == '.' || (x >= x0 && x < x0 + w && y >= y0 && y < y0 + h)) << x << "," << y;
    }
    std::set<std::string_view> names;
    for (const Picture& p : AllPictures()) {
        SCOPED_TRACE(std::string(p.name));
        EXPECT_TRUE(names.insert(p.name).second) << "name used twice";
        EXPECT_TRUE(wanted.count(std::string(p.name))) << "belongs to no button";
        EXPECT_EQ(p.size, p.name == "Icon32" ? 32 : p.name == "Icon48" ? 48 : kPictureSize);
        ASSERT_EQ(p.pixels.size(), static_cast<std::size_t>(p.size) * p.size);
        for (char ch : p.pixels) ASSERT_NE(kPictureKey.find(ch), std::string_view::npos) << ch;
        EXPECT_GE(std::count_if(p.pixels.begin(), p.pixels.end(), [](char c) { return c != '.'; }), 20);
    }
    EXPECT_EQ(names.size(), wanted.size());
}

TEST(Pictures, ColourButtonsShowTheirColourAndTransparencyHasNone) {
    for (auto [name, key] : {std::pair{"C_Black", 'k'}, {"C_RED", 'r'}, {"C_Cyan", 'c'}, {"C_BULE", 'b'},
                             {"C_MAGENTA", 'f'}, {"C_YELLOW", 'y'}, {"C_WHITE", 'w'}, {"C_GREEN", 'l'}}) {
        const Picture* p = FindPicture(name);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_EQ(std::string() + At(*p, 11, 11) + At(*p, 12, 12), std::string(2, key)) << name;
    }
    EXPECT_EQ(std::vector({KeyColour('.'), KeyColour('x'), KeyColour('k'), KeyColour('w')}),
              std::vector<std::optional<std::uint32_t>>({std::nullopt, std::nullopt, 0xFF000000u, 0xFFFFFFFFu}));
}

// 100 dpi asks for 25 px: the 36 px rendering, not a squeezed 24.
TEST(RenderPicture, SizesAtOrAboveTheScaledSizeKeepTheColours) {
    const std::pair<int, int> sizes[] = {{96, 24}, {72, 24}, {100, 36}, {144, 36}, {168, 48}, {192, 48}, {288, 48}};
    for (auto [dpi, size] : sizes) EXPECT_EQ(PictureSizeFor(dpi), size) << dpi << " dpi";
    for (int size : {24, 36, 48}) {
        for (const Picture& p : AllPictures()) {
            if (p.size != kPictureSize) continue;
            const auto out = RenderPicture(p, size, kFace);
            ASSERT_EQ(out.size(), static_cast<std::size_t>(size) * size);
            std::set<std::uint32_t> want, got(out.begin(), out.end());
            for (char ch : p.pixels) want.insert(KeyColour(ch).value_or(kFace));
            EXPECT_EQ(got, want) << p.name << " at " << size;
        }
    }
    // Doubling repeats each pixel as a square.
    const Picture& p = *FindPicture("Line_Poinr2");
    const auto one = RenderPicture(p, 24, kFace), two = RenderPicture(p, 48, kFace);
    for (int i = 0; i < 48 * 48; ++i) ASSERT_EQ(two[i], one[(i / 48 / 2) * 24 + i % 48 / 2]) << i;
}

// At 150 % a one-pixel line comes out one or two whole rows (or columns) wide, never thinning.
TEST(RenderPicture, OneAndAHalfKeepsThinLinesEven) {
    std::string pixels(24 * 24, '.');
    for (int i = 0; i < 24; ++i) {
        pixels[7 * 24 + i] = 'k';   // row 7
        pixels[i * 24 + 10] = 'r';  // column 10
    }
    const auto out = RenderPicture(Picture{"grid", 24, pixels}, 36, kFace);
    int blackRows = 0, redColumns = 0;
    for (int i = 0; i < 36; ++i) {
        int black = 0, red = 0;
        for (int j = 0; j < 36; ++j) {
            black += out[i * 36 + j] == 0xFF000000u;
            red += out[j * 36 + i] == 0xFFFF0000u;
        }
        EXPECT_TRUE(black == 0 || black >= 34) << "row " << i;
        EXPECT_TRUE(red == 0 || red >= 34) << "column " << i;
        blackRows += black > 0;
        redColumns += red > 0;
    }
    EXPECT_TRUE(blackRows >= 1 && blackRows <= 2 && redColumns >= 1 && redColumns <= 2);
}

TEST(RenderPicture, TransparentPixelsTakeTheBackgroundAndBadMapsGiveIt) {
    const Picture& icon = *FindPicture("Icon32");
    const auto out = RenderPicture(icon, 32, 0);
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i] >> 24, icon.pixels[i] == '.' ? 0u : 0xFFu) << i;
    EXPECT_NE(icon.pixels.find('.'), std::string_view::npos);
    EXPECT_EQ(RenderPicture(*FindPicture("Icon48"), 48, 0).size(), 48u * 48u);
    const Picture shortMap{"short", 24, "kk"};
    EXPECT_TRUE(RenderPicture(shortMap, 0, kFace).empty());
    EXPECT_EQ(RenderPicture(shortMap, 24, kFace), std::vector<std::uint32_t>(24 * 24, kFace));
}

}  // namespace
}  // namespace kelo
