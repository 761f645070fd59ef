#include "View.h"

#include <algorithm>
#include <cmath>

namespace kelo::hostsim {
namespace {

// An empty drawing still shows a sensible stretch of axis.
constexpr double kSmallestSpan = 10;
// GDI takes 32-bit coordinates; nothing visible lies beyond this.
constexpr double kPixelLimit = 1e6;

int Clamp(double v) { return static_cast<int>(std::lround(std::clamp(v, -kPixelLimit, kPixelLimit))); }

}  // namespace

View::View(const Box& box, int left, int top, int width, int height, int margin) {
    double spanZ = std::max(box.zMax - box.zMin, kSmallestSpan);
    double spanR = std::max(box.rMax - box.rMin, kSmallestSpan);
    double usableW = std::max(1, width - 2 * margin);
    double usableH = std::max(1, height - 2 * margin);
    scale_ = std::min(usableW / spanZ, usableH / spanR);
    centreZ_ = (box.zMin + box.zMax) / 2;
    centreR_ = (box.rMin + box.rMax) / 2;
    centreX_ = left + width / 2.0;
    centreY_ = top + height / 2.0;
}

Pixel View::ToPixel(Point p) const {
    return {Clamp(centreX_ + (p.z - centreZ_) * scale_), Clamp(centreY_ - (p.r - centreR_) * scale_)};
}

}  // namespace kelo::hostsim
