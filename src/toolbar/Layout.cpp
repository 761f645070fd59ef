#include "toolbar/Layout.h"

#include <cmath>

namespace kelo {

namespace {

std::string_view FrameName(Container c) {
    switch (c) {
        case Container::Frame3: return "Frame3";
        case Container::Frame2: return "Frame2";
        case Container::Frame1: return "Frame1";
        case Container::Frame4: return "Frame4";
        case Container::Form: break;
    }
    return {};
}

}  // namespace

std::optional<std::size_t> FindLayoutRow(std::string_view name) {
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        if (kLayout[i].name == name) return i;
    return std::nullopt;
}

TwipRect ClientRectTwips(const LayoutRow& row) {
    TwipRect r{row.left, row.top, row.width, row.height};
    if (row.container != Container::Form) {
        const LayoutRow& frame = kLayout[*FindLayoutRow(FrameName(row.container))];
        r.left += frame.left;
        r.top += frame.top;
    }
    return r;
}

int TwipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

}  // namespace kelo
