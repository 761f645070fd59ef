#include "resources/Pictures_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "resources/Pictures.h"

namespace kelo {

namespace {

HBITMAP CreateTopDownDib(const std::vector<std::uint32_t>& argb, int sizePx) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = sizePx;
    info.bmiHeader.biHeight = -sizePx;  // negative: first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return bitmap;
    // 0xAARRGGBB little-endian is B, G, R, A in memory: the DIB's own layout.
    std::memcpy(bits, argb.data(), argb.size() * sizeof(std::uint32_t));
    GdiFlush();
    return bitmap;
}

std::uint32_t OpaqueArgb(COLORREF c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace

HBITMAP CreatePictureBitmap(std::string_view name, int sizePx, COLORREF face) {
    const Picture* picture = FindPicture(name);
    if (picture == nullptr || sizePx <= 0) return nullptr;
    return CreateTopDownDib(RenderPicture(*picture, sizePx, OpaqueArgb(face)), sizePx);
}

HICON CreateAppIcon(int sizePx) { return CreatePictureIcon(sizePx <= 40 ? "Icon32" : "Icon48", sizePx); }

HICON CreatePictureIcon(std::string_view name, int sizePx) {
    if (sizePx <= 0) return nullptr;
    const Picture* picture = FindPicture(name);
    if (picture == nullptr) return nullptr;
    const auto argb = RenderPicture(*picture, sizePx, 0x00000000u);
    HBITMAP colour = CreateTopDownDib(argb, sizePx);
    // The mask is used only where alpha is not understood: set (1) = transparent.
    const int stride = ((sizePx + 15) / 16) * 2;
    std::vector<BYTE> maskBits(static_cast<std::size_t>(stride) * sizePx, 0);
    for (int y = 0; y < sizePx; ++y)
        for (int x = 0; x < sizePx; ++x)
            if ((argb[static_cast<std::size_t>(y) * sizePx + x] >> 24) == 0)
                maskBits[static_cast<std::size_t>(y) * stride + x / 8] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(sizePx, sizePx, 1, 1, maskBits.data());
    HICON icon = nullptr;
    if (colour != nullptr && mask != nullptr) {
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmMask = mask;
        info.hbmColor = colour;
        icon = CreateIconIndirect(&info);
    }
    if (colour != nullptr) DeleteObject(colour);
    if (mask != nullptr) DeleteObject(mask);
    return icon;
}

WindowIcons::~WindowIcons() {
    if (big_ != nullptr) DestroyIcon(big_);
    if (small_ != nullptr) DestroyIcon(small_);
}

void WindowIcons::Set(HWND window, const std::function<HICON(int)>& make) {
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    big_ = make(MulDiv(32, dpi, 96));
    small_ = make(MulDiv(16, dpi, 96));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_));
}

}  // namespace kelo
