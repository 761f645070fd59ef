#pragma once
// The five profile dialogs by kind, and the arc dialogs' sense: what the
// dialogs, the arc solver and the contour preview all name the same way.
#include <cstdint>

namespace kelo {

enum class ProfileDialogKind : std::uint8_t { Face, Long, Taper, Arc1, Arc2 };

// frm_ARC1 draws concave arcs, frm_ARC2 convex ones.
enum class ArcSense : std::uint8_t { Concave, Convex };

constexpr ArcSense SenseOf(ProfileDialogKind kind) {
    return kind == ProfileDialogKind::Arc2 ? ArcSense::Convex : ArcSense::Concave;
}

// Which point an arc dialog's OK types first: concave the one with the smaller
// Z, convex the one with the larger Z, the start point at equal Z. Typing them
// in this order selects the arc the host draws counterclockwise between them.
enum class ArcOrder : std::uint8_t { StartFirst, EndFirst };

constexpr ArcOrder TypedOrder(ArcSense sense, double startZ, double endZ) {
    const bool endFirst = sense == ArcSense::Concave ? startZ > endZ : startZ < endZ;
    return endFirst ? ArcOrder::EndFirst : ArcOrder::StartFirst;
}

}  // namespace kelo
