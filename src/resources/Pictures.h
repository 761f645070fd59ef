#pragma once
// The button pictures and window icons, drawn as character maps so that they can be
// reviewed and changed in a text editor.
//
// One character per pixel, from this key (the standard 16-colour VGA palette):
//   '.' transparent (the button face shows through)
//   'k' black      'm' dark red    'g' dark green  'o' olive
//   'n' navy       'p' purple      't' teal        's' silver
//   'd' grey       'r' red         'l' lime        'y' yellow
//   'b' blue       'f' fuchsia     'c' aqua        'w' white
//
// A button's picture is named after its control ("Line_Poinr2", "C_BULE"); the second
// picture of a button (shown while it is pressed) is "<control>#2". Button pictures are
// 24 x 24; the window icons "Icon32" and "Icon48" are 32 x 32 and 48 x 48.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kelo {

struct Picture {
    std::string_view name;
    int size;                 // width and height in pixels
    std::string_view pixels;  // size * size key characters, top row first
};

inline constexpr int kPictureSize = 24;
inline constexpr std::string_view kPictureKey = ".kmgonptsdrlybfcw";

// 0xAARRGGBB of a key character; nullopt for '.' and for characters outside the key.
std::optional<std::uint32_t> KeyColour(char key);

// The picture named `name`, or nullptr.
const Picture* FindPicture(std::string_view name);

// Every picture, button pictures and icons alike.
std::span<const Picture> AllPictures();

// Pictures come in 24, 36 and 48 pixels: the nearest at or above 24 px
// scaled to `dpi`, so they stay crisp at 100, 150 and 200 %.
int PictureSizeFor(int dpi);

// Scales `picture` to sizePx x sizePx and returns 32-bit pixels (0xAARRGGBB, so
// B, G, R, A in memory), top row first. Transparent pixels take `backgroundArgb`.
// Pixels are repeated, never blended: at 1.5x every other row and column is doubled, so
// a one-pixel line stays one crisp line of even width along its length.
std::vector<std::uint32_t> RenderPicture(const Picture& picture, int sizePx,
                                         std::uint32_t backgroundArgb);

// The tables, one per group of buttons.
std::span<const Picture> DimensionPictures();
std::span<const Picture> DatumPictures();
std::span<const Picture> LinePictures();
std::span<const Picture> CornerPictures();
std::span<const Picture> CirclePictures();
std::span<const Picture> ConstructionPictures();
std::span<const Picture> ConstructionCirclePictures();
std::span<const Picture> EditPictures();
std::span<const Picture> SwatchPictures();
std::span<const Picture> FilePictures();
std::span<const Picture> ViewPictures();
std::span<const Picture> LathePictures();

}  // namespace kelo
