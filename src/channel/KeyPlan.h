#pragma once
// Turns keystrokes into the exact key events to inject, given the target's
// keyboard layout and the modifiers the user is physically holding.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "channel/KeyString.h"

namespace kelo {

struct KeyEvent {
    std::uint16_t vkey = 0;  // 0 for a Unicode event
    std::uint16_t scan = 0;  // for a Unicode event: the UTF-16 unit
    bool up = false;
    bool unicode = false;
    bool operator==(const KeyEvent&) const = default;
};

// What the layout says of a character (VkKeyScanExW): the key and the
// modifiers (ModifierBits) it needs. nullopt: the layout cannot type it.
struct LayoutKey {
    std::uint8_t vkey = 0;
    std::uint8_t mods = 0;
};
using Layout = std::function<std::optional<LayoutKey>(char16_t)>;

// Left/right modifier keys the user holds, as found before typing.
enum HeldBits : std::uint8_t {
    kHeldLShift = 1, kHeldRShift = 2, kHeldLCtrl = 4, kHeldRCtrl = 8,
    kHeldLAlt = 16, kHeldRAlt = 32, kHeldLWin = 64, kHeldRWin = 128,
};

// Contract: the result releases every held modifier first, types each stroke
// with exactly the modifiers it needs (characters the layout cannot produce go
// as Unicode events, with no modifier down), and ends by pressing again the
// modifiers that were held, so the system's key state matches the keyboard.
// Every down has its up.
std::vector<KeyEvent> PlanKeys(const std::vector<KeyStroke>& strokes, std::uint8_t held, const Layout& layout);

}  // namespace kelo
