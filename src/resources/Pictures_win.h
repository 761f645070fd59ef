#pragma once
// Win32 bitmaps and icons made from the picture maps.
#include <windows.h>

#include <functional>
#include <string_view>

namespace kelo {

// A top-down 32-bit DIB section of the picture `name` at sizePx x sizePx, transparent
// pixels filled with the button face colour `face`; nullptr when there is no such picture.
// The caller owns the bitmap (DeleteObject).
HBITMAP CreatePictureBitmap(std::string_view name, int sizePx, COLORREF face);

// The window icon at sizePx x sizePx, drawn from the nearest of the 32 and 48 pixel
// maps; transparent pixels stay transparent. The caller owns it (DestroyIcon).
HICON CreateAppIcon(int sizePx);

// An icon at sizePx x sizePx drawn from the picture `name`, transparent where the
// picture is; nullptr when there is no such picture. The caller owns it (DestroyIcon).
HICON CreatePictureIcon(std::string_view name, int sizePx);

// A window's pictures in its caption and on the taskbar, made at the window's DPI by
// `make` (a size in pixels to an icon) and destroyed with this object.
class WindowIcons {
   public:
    WindowIcons() = default;
    ~WindowIcons();
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;
    void Set(HWND window, const std::function<HICON(int sizePx)>& make);

   private:
    HICON big_ = nullptr;
    HICON small_ = nullptr;
};

}  // namespace kelo
