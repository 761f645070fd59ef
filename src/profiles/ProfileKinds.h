#pragma once
// The five profile dialogs by kind, and the arc dialogs' sense: what the
// dialogs, the arc solver and the contour preview all name the same way.
#include <cstdint>

#include "geometry/Geometry.h"

namespace kelo {

enum class ProfileDialogKind : std::uint8_t { Face, Long, Taper, Arc1, Arc2 };

constexpr ArcSense SenseOf(ProfileDialogKind kind) {
    return kind == ProfileDialogKind::Arc2 ? ArcSense::Convex : ArcSense::Concave;
}

}  // namespace kelo
