#pragma once
// The SendKeys notation, parsed into keystrokes. Portable: the key codes are
// the Windows virtual-key numbers, but nothing here needs <windows.h>.
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace kelo {

// Modifiers as a bit set (the same bits VkKeyScanExW uses in its high byte).
enum ModifierBits : std::uint8_t { kModShift = 1, kModCtrl = 2, kModAlt = 4 };

// Virtual-key codes the notation can name.
namespace vk {
inline constexpr std::uint16_t kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11,
                               kMenu = 0x12, kPause = 0x13, kCapital = 0x14, kEscape = 0x1B, kPrior = 0x21,
                               kNext = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27,
                               kDown = 0x28, kSnapshot = 0x2C, kInsert = 0x2D, kDelete = 0x2E, kHelp = 0x2F,
                               kLWin = 0x5B, kRWin = 0x5C, kF1 = 0x70, kNumLock = 0x90, kScroll = 0x91,
                               kLShift = 0xA0, kRShift = 0xA1, kLControl = 0xA2, kRControl = 0xA3,
                               kLMenu = 0xA4, kRMenu = 0xA5, kAdd = 0x6B, kSubtract = 0x6D, kMultiply = 0x6A,
                               kDivide = 0x6F, kBreak = 0x03;
}  // namespace vk

// One key press of a key string: either a character (typed as the key the
// target's layout has for it) or a named key, with the modifiers the notation
// holds down for it.
struct KeyStroke {
    enum class Kind : std::uint8_t { Char, Key };
    Kind kind = Kind::Char;
    char16_t ch = 0;         // Kind::Char: one UTF-16 unit (a surrogate pair is two strokes)
    std::uint16_t vkey = 0;  // Kind::Key: virtual-key code
    std::uint8_t mods = 0;   // ModifierBits held by "+", "^", "%"
    bool operator==(const KeyStroke&) const = default;
};

// Raised for text the notation rejects (an unclosed brace, an unknown key
// name, square brackets, a modifier with nothing after it ...).
class KeyStringError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

// Parses a whole key string. "~" is Enter; "{ENTER}", "{TAB}", "{F1}".."{F16}",
// literal "{+}" "{^}" "{%}" "{~}" "{(}" "{)}" "{{}" "{}}" "{[}" "{]}";
// "+(ab)" holds Shift over a group; "{x 3}" / "{ENTER 3}" repeat.
std::vector<KeyStroke> ParseKeyString(std::u16string_view keys);

}  // namespace kelo
