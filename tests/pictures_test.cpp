#include "resources/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "toolbar/Layout.h"

namespace kelo {
namespace {

char At(const Picture& p, int x, int y) {
    return p.pixels[static_cast<std::size_t>(y) * p.size + x];
}

TEST(Pictures, EveryMapIsSquareOfKeyCharacters) {
    ASSERT_FALSE(AllPictures().empty());
    std::set<std::string_view> names;
    for (const Picture& p : AllPictures()) {
        SCOPED_TRACE(std::string(p.name));
        EXPECT_TRUE(names.insert(p.name).second) << "name used twice";
        const int expected = p.name == "Icon32" ? 32 : p.name == "Icon48" ? 48 : kPictureSize;
        EXPECT_EQ(p.size, expected);
        ASSERT_EQ(p.pixels.size(), static_cast<std::size_t>(p.size) * p.size);
        for (char ch : p.pixels) ASSERT_NE(kPictureKey.find(ch), std::string_view::npos) << ch;
    }
}

TEST(Pictures, NoMapIsBlankOrOneFlatColour) {
    for (const Picture& p : AllPictures()) {
        SCOPED_TRACE(std::string(p.name));
        std::set<char> used(p.pixels.begin(), p.pixels.end());
        used.erase('.');
        EXPECT_FALSE(used.empty());
        const auto opaque = std::count_if(p.pixels.begin(), p.pixels.end(),
                                          [](char c) { return c != '.'; });
        EXPECT_GE(opaque, 20) << "too little drawn to recognise";
    }
}

// Each picture belongs to a button of the window (as its picture or its second
// picture) or is one of the two icons; each button that shows pictures has them.
TEST(Pictures, MatchTheButtonsOfTheLayout) {
    std::set<std::string> wanted{"Icon32", "Icon48"};
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(std::string(row.name));
        const std::string second = std::string(row.name) + "#2";
        EXPECT_EQ(FindPicture(row.name) != nullptr, (row.pictures & kFirstPicture) != 0);
        EXPECT_EQ(FindPicture(second) != nullptr, (row.pictures & kSecondPicture) != 0);
        if ((row.pictures & kFirstPicture) != 0) wanted.insert(std::string(row.name));
        if ((row.pictures & kSecondPicture) != 0) wanted.insert(second);
    }
    for (const Picture& p : AllPictures())
        EXPECT_TRUE(wanted.count(std::string(p.name))) << p.name << " belongs to no button";
    EXPECT_EQ(AllPictures().size(), wanted.size());
}

TEST(Pictures, SecondPictureDiffersFromTheFirst) {
    for (const ControlRow& row : kLayout) {
        if (!(row.pictures & kFirstPicture) || !(row.pictures & kSecondPicture)) continue;
        SCOPED_TRACE(std::string(row.name));
        const Picture* second = FindPicture(std::string(row.name) + "#2");
        ASSERT_NE(second, nullptr);
        EXPECT_NE(FindPicture(row.name)->pixels, second->pixels);
    }
}

// Short buttons clip the centred picture: nothing may be drawn where the button's
// borders (2 px each side at 96 dpi) or its outside would hide it.
TEST(Pictures, DrawingsFitInsideSmallButtons) {
    for (const ControlRow& row : kLayout) {
        const Picture* p = FindPicture(row.name);
        if (p == nullptr) continue;
        SCOPED_TRACE(std::string(row.name));
        const int visibleW = std::min(kPictureSize, TwipsToPixels(row.width, 96) - 4);
        const int visibleH = std::min(kPictureSize, TwipsToPixels(row.height, 96) - 4);
        const int x0 = (kPictureSize - visibleW) / 2, y0 = (kPictureSize - visibleH) / 2;
        for (int y = 0; y < kPictureSize; ++y)
            for (int x = 0; x < kPictureSize; ++x)
                if (At(*p, x, y) != '.') {
                    EXPECT_TRUE(x >= x0 && x < x0 + visibleW && y >= y0 && y < y0 + visibleH)
                        << "pixel " << x << "," << y << " is clipped";
                }
    }
}

TEST(Pictures, ColourButtonsShowTheirColourInTheMiddle) {
    const struct {
        const char* name;
        char key;
    } cases[] = {{"C_Black", 'k'},  {"C_RED", 'r'},    {"C_Cyan", 'c'},  {"C_BULE", 'b'},
                 {"C_MAGENTA", 'f'}, {"C_YELLOW", 'y'}, {"C_WHITE", 'w'}, {"C_GREEN", 'l'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture* p = FindPicture(c.name);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(At(*p, 11, 11), c.key);
        EXPECT_EQ(At(*p, 12, 12), c.key);
    }
}

TEST(Pictures, KeyColoursAreTheVgaPalette) {
    const struct {
        char key;
        std::optional<std::uint32_t> argb;
    } cases[] = {{'.', std::nullopt}, {'k', 0xFF000000u}, {'s', 0xFFC0C0C0u},
                 {'d', 0xFF808080u},  {'b', 0xFF0000FFu}, {'f', 0xFFFF00FFu},
                 {'w', 0xFFFFFFFFu},  {'m', 0xFF800000u}, {'x', std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.key));
        EXPECT_EQ(KeyColour(c.key), c.argb);
    }
}

constexpr std::uint32_t kFace = 0xFFD4D0C8u;

TEST(RenderPicture, KeepsSizeAndColoursAtEveryScale) {
    for (int size : {24, 36, 48}) {
        for (const Picture& p : AllPictures()) {
            if (p.size != kPictureSize) continue;
            SCOPED_TRACE(std::string(p.name) + " at " + std::to_string(size));
            const auto out = RenderPicture(p, size, kFace);
            ASSERT_EQ(out.size(), static_cast<std::size_t>(size) * size);
            std::set<std::uint32_t> want, got(out.begin(), out.end());
            for (char ch : p.pixels) want.insert(KeyColour(ch).value_or(kFace));
            EXPECT_EQ(got, want);
        }
    }
}

TEST(RenderPicture, DoublingRepeatsEachPixelAsASquare) {
    const Picture* p = FindPicture("Line_Poinr2");
    ASSERT_NE(p, nullptr);
    const auto one = RenderPicture(*p, 24, kFace);
    const auto two = RenderPicture(*p, 48, kFace);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(two[y * 48 + x], one[(y / 2) * 24 + x / 2]) << x << "," << y;
}

// At 150 % a one-pixel line must come out with the same width all along: one or two
// whole rows (or columns), never a line that thins and thickens.
TEST(RenderPicture, OneAndAHalfKeepsThinLinesEven) {
    std::string pixels(24 * 24, '.');
    for (int i = 0; i < 24; ++i) {
        pixels[7 * 24 + i] = 'k';   // horizontal line, row 7
        pixels[i * 24 + 10] = 'r';  // vertical line, column 10
    }
    const Picture grid{"grid", 24, pixels};
    const auto out = RenderPicture(grid, 36, kFace);
    int blackRows = 0, redCols = 0;
    for (int y = 0; y < 36; ++y) {
        const auto n = std::count(out.begin() + y * 36, out.begin() + y * 36 + 36, 0xFF000000u);
        EXPECT_TRUE(n == 0 || n >= 34) << "row " << y;
        blackRows += n > 0;
    }
    for (int x = 0; x < 36; ++x) {
        int n = 0;
        for (int y = 0; y < 36; ++y) n += out[y * 36 + x] == 0xFFFF0000u;
        EXPECT_TRUE(n == 0 || n >= 34) << "column " << x;
        redCols += n > 0;
    }
    EXPECT_GE(blackRows, 1);
    EXPECT_LE(blackRows, 2);
    EXPECT_GE(redCols, 1);
    EXPECT_LE(redCols, 2);
}

TEST(RenderPicture, TransparentPixelsTakeTheBackground) {
    const Picture* icon = FindPicture("Icon32");
    ASSERT_NE(icon, nullptr);
    const auto out = RenderPicture(*icon, 32, 0x00000000u);
    std::size_t clear = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool transparent = icon->pixels[i] == '.';
        EXPECT_EQ(out[i] >> 24, transparent ? 0u : 0xFFu) << i;
        clear += transparent;
    }
    EXPECT_GT(clear, 0u);
    EXPECT_EQ(RenderPicture(*icon, 48, 0).size(), 48u * 48u);
}

TEST(RenderPicture, RejectsMalformedInput) {
    const Picture shortMap{"short", 24, "kk"};
    EXPECT_TRUE(RenderPicture(shortMap, 0, kFace).empty());
    const auto out = RenderPicture(shortMap, 24, kFace);
    ASSERT_EQ(out.size(), 24u * 24u);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::uint32_t c) { return c == kFace; }));
}

}  // namespace
}  // namespace kelo

namespace kelo {
namespace {

TEST(PictureSize, NearestRenderingAtOrAboveTheScaledSize) {
    // 100 dpi asks for 25 px: the 36 px rendering, not a squeezed 24.
    const std::pair<int, int> cases[] = {{96, 24}, {72, 24}, {100, 36}, {120, 36}, {144, 36},
                                         {168, 48}, {192, 48}, {288, 48}};
    for (auto [dpi, size] : cases) EXPECT_EQ(PictureSizeFor(dpi), size) << dpi << " dpi";
}

}  // namespace
}  // namespace kelo
