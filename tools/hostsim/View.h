#pragma once
// Maps the host plane onto the canvas so that everything drawn fits.
#include "Sketch.h"

namespace kelo::hostsim {

struct Pixel {
    int x = 0;
    int y = 0;
};

class View {
public:
    // Fits `box` into the rectangle with `margin` pixels on each side, the same
    // scale on both axes, radius growing upwards.
    View(const Box& box, int left, int top, int width, int height, int margin);

    Pixel ToPixel(Point p) const;
    double Scale() const { return scale_; }

private:
    double scale_ = 1;
    double centreZ_ = 0, centreR_ = 0;
    double centreX_ = 0, centreY_ = 0;
};

}  // namespace kelo::hostsim
