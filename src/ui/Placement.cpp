#include "ui/Placement.h"

#include <algorithm>

namespace kelo {

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

namespace {

// The band of `area` between `left` and `right` (x) left free by `avoid` where a
// window of `height` can stand with its top as near `top` as may be.
std::optional<PixelRect> FitInBand(int left, int right, int top, int height, const PixelRect& avoid,
                                   const PixelRect& area, int gap, int minimum) {
    if (right - left < minimum) return std::nullopt;
    int ceiling = area.top;
    int floor = area.bottom;
    // `avoid` (the toolbar) across this band: stand below it, or above it if it is lower.
    if (avoid.left < right && left < avoid.right) {
        if (avoid.bottom + gap <= area.bottom && avoid.top - area.top <= area.bottom - avoid.bottom) {
            ceiling = std::max(ceiling, avoid.bottom + gap);
        } else {
            floor = std::min(floor, avoid.top - gap);
        }
    }
    if (floor - ceiling < minimum) return std::nullopt;
    const int h = std::min(height, floor - ceiling);
    const int y = std::clamp(top, ceiling, floor - h);
    return PixelRect{left, y, right, y + h};
}

}  // namespace

std::optional<PixelRect> PlaceBeside(const PixelRect& anchor, const PixelRect& avoid, const PixelRect& area, int width,
                                     int height, int gap, int minimum) {
    const int rightRoom = area.right - (anchor.right + gap);
    const int leftRoom = (anchor.left - gap) - area.left;
    const bool rightFirst = rightRoom >= width || rightRoom >= leftRoom;
    for (bool right : {rightFirst, !rightFirst}) {
        const int room = right ? rightRoom : leftRoom;
        const int w = std::min(width, room);
        const int left = right ? anchor.right + gap : anchor.left - gap - w;
        if (auto placed = FitInBand(left, left + w, anchor.top, height, avoid, area, gap, minimum)) return placed;
    }
    return std::nullopt;
}

PixelRect MoveInside(const PixelRect& window, const PixelRect& area) {
    const int left = std::max(area.left, std::min(window.left, area.right - window.Width()));
    const int top = std::max(area.top, std::min(window.top, area.bottom - window.Height()));
    return PixelRect{left, top, left + window.Width(), top + window.Height()};
}

}  // namespace kelo
