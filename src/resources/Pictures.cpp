#include "resources/Pictures.h"

#include <array>

namespace kelo {

namespace {

constexpr std::array<std::uint32_t, 16> kPalette{
    0xFF000000u, 0xFF800000u, 0xFF008000u, 0xFF808000u,  // k m g o
    0xFF000080u, 0xFF800080u, 0xFF008080u, 0xFFC0C0C0u,  // n p t s
    0xFF808080u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFFFF00u,  // d r l y
    0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu, 0xFFFFFFFFu,  // b f c w
};

std::vector<Picture> Gather() {
    std::vector<Picture> all;
    for (auto table : {DimensionPictures(), DatumPictures(), LinePictures(), CornerPictures(), CirclePictures(),
                       ConstructionPictures(), ConstructionCirclePictures(), EditPictures(),
                       SwatchPictures(), FilePictures(), ViewPictures(), LathePictures()})
        all.insert(all.end(), table.begin(), table.end());
    return all;
}

}  // namespace

std::optional<std::uint32_t> KeyColour(char key) {
    const auto at = kPictureKey.find(key);
    if (at == std::string_view::npos || at == 0) return std::nullopt;
    return kPalette[at - 1];
}

int PictureSizeFor(int dpi) {
    const int need = (24 * dpi + 48) / 96;  // 24 px scaled, to the nearest pixel
    if (need <= 24) return 24;
    if (need <= 36) return 36;
    return 48;
}

std::span<const Picture> AllPictures() {
    static const std::vector<Picture> all = Gather();
    return all;
}

const Picture* FindPicture(std::string_view name) {
    for (const Picture& p : AllPictures())
        if (p.name == name) return &p;
    return nullptr;
}

std::vector<std::uint32_t> RenderPicture(const Picture& picture, int sizePx,
                                         std::uint32_t backgroundArgb) {
    if (sizePx <= 0 || picture.size <= 0) return {};
    std::vector<std::uint32_t> out(static_cast<std::size_t>(sizePx) * sizePx, backgroundArgb);
    const bool complete =
        picture.pixels.size() == static_cast<std::size_t>(picture.size) * picture.size;
    if (!complete) return out;
    // Nearest neighbour with the source index rounded down: for 24 -> 36 this maps
    // 0,0,1,2,2,3,... so even rows and columns are doubled and odd ones kept.
    for (int y = 0; y < sizePx; ++y) {
        const int sy = y * picture.size / sizePx;
        for (int x = 0; x < sizePx; ++x) {
            const int sx = x * picture.size / sizePx;
            if (auto argb = KeyColour(picture.pixels[static_cast<std::size_t>(sy) * picture.size + sx]))
                out[static_cast<std::size_t>(y) * sizePx + x] = *argb;
        }
    }
    return out;
}

}  // namespace kelo
