#pragma once
// Where a helper window stands beside another one: portable geometry in pixels.
#include <optional>

namespace kelo {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

bool Overlap(const PixelRect& a, const PixelRect& b);

// A window of about `width` x `height` beside `anchor` (to its right, else to its
// left, top edges level), inside `area`, `gap` pixels clear of `anchor` and of
// `avoid`, and no larger than the room there is. nullopt when there is no room
// of at least `minimum` pixels either way.
std::optional<PixelRect> PlaceBeside(const PixelRect& anchor, const PixelRect& avoid, const PixelRect& area, int width,
                                     int height, int gap, int minimum);

// `window` moved by as little as may be to lie inside `area`: its size kept, and its
// top left corner inside when it is larger than the area.
PixelRect MoveInside(const PixelRect& window, const PixelRect& area);

}  // namespace kelo
