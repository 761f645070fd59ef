#pragma once
// Win32 bitmaps and icons made from the picture maps.
#include <windows.h>

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

}  // namespace kelo
