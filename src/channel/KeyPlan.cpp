#include "channel/KeyPlan.h"

#include <array>

namespace kelo {

namespace {

// Bits of the layout's modifier byte that no injected key can reproduce
// (Hankaku and the reserved ones): such a character goes as Unicode.
constexpr std::uint8_t kLayoutUntypeable = 0x38;
constexpr std::uint8_t kLayoutModifiers = kModShift | kModCtrl | kModAlt;

struct HeldKey {
    std::uint8_t bit;
    std::uint16_t vkey;
};

constexpr std::array kHeldShiftCtrl{HeldKey{kHeldLShift, vk::kLShift}, HeldKey{kHeldRShift, vk::kRShift},
                                    HeldKey{kHeldLCtrl, vk::kLControl}, HeldKey{kHeldRCtrl, vk::kRControl}};
constexpr std::array kHeldAltWin{HeldKey{kHeldLAlt, vk::kLMenu}, HeldKey{kHeldRAlt, vk::kRMenu},
                                 HeldKey{kHeldLWin, vk::kLWin}, HeldKey{kHeldRWin, vk::kRWin}};

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c; }
char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c; }

class Planner {
   public:
    explicit Planner(const Layout& layout) : layout_(layout) {}

    // Lets go of what the user holds, so that the target sees only our modifiers.
    // Alt or Win released on its own would open the menu bar or the Start menu;
    // a Ctrl press around the release turns it into a chord that does nothing.
    void ReleaseHeld(std::uint8_t held) {
        for (const auto& key : kHeldShiftCtrl) {
            if (held & key.bit) Push(key.vkey, true);
        }
        if (held & (kHeldLAlt | kHeldRAlt | kHeldLWin | kHeldRWin)) {
            Push(vk::kControl, false);
            for (const auto& key : kHeldAltWin) {
                if (held & key.bit) Push(key.vkey, true);
            }
            Push(vk::kControl, true);
        }
    }

    // Puts the keys back the way the user holds them, so that the system's key
    // state again matches the keyboard; their ups come from the user's fingers.
    void RestoreHeld(std::uint8_t held) {
        SetModifiers(0);
        for (const auto& key : kHeldShiftCtrl) {
            if (held & key.bit) Push(key.vkey, false);
        }
        for (const auto& key : kHeldAltWin) {
            if (held & key.bit) Push(key.vkey, false);
        }
    }

    void Type(const KeyStroke& stroke) {
        if (stroke.kind == KeyStroke::Kind::Key) {
            TypeKey(stroke.vkey, stroke.mods);
        } else {
            TypeChar(stroke.ch, stroke.mods);
        }
    }

    std::vector<KeyEvent> Take() { return std::move(events_); }

   private:
    void TypeChar(char16_t ch, std::uint8_t mods) {
        switch (ch) {
            case u'\r':
            case u'\n': TypeKey(vk::kReturn, mods); return;
            case u'\t': TypeKey(vk::kTab, mods); return;
            case u'\b': TypeKey(vk::kBack, mods); return;
            default: break;
        }
        // With Ctrl or Alt a letter names its key, whatever its case: "^C" is Ctrl+C.
        if ((mods & (kModCtrl | kModAlt)) && IsAsciiLetter(ch)) {
            TypeKey(LetterKey(ch), mods);
            return;
        }
        if (const auto key = Typeable(ch)) {
            TypeKey(key->vkey, mods | (key->mods & kLayoutModifiers));
            return;
        }
        if (mods != 0 && (IsAsciiLetter(ch) || IsAsciiDigit(ch))) {
            TypeKey(AsciiUpper(ch), mods);
            return;
        }
        TypeUnicode(ch);
    }

    std::optional<LayoutKey> Typeable(char16_t ch) const {
        auto key = layout_ ? layout_(ch) : std::nullopt;
        if (!key || key->vkey == 0 || key->vkey == 0xFF || (key->mods & kLayoutUntypeable)) return std::nullopt;
        return key;
    }

    std::uint16_t LetterKey(char16_t ch) const {
        const auto key = Typeable(AsciiLower(ch));
        if (key && (key->mods & kLayoutModifiers) == 0) return key->vkey;
        return AsciiUpper(ch);
    }

    // Shift and Ctrl may stay down into the next key; Alt goes up at once so
    // that nothing typed later can turn into a menu accelerator.
    void TypeKey(std::uint16_t vkey, std::uint8_t mods) {
        SetModifiers(mods);
        Push(vkey, false);
        Push(vkey, true);
        if (down_ & kModAlt) SetModifiers(0);
    }

    void TypeUnicode(char16_t unit) {
        SetModifiers(0);
        events_.push_back({0, unit, false, true});
        events_.push_back({0, unit, true, true});
    }

    void SetModifiers(std::uint8_t want) {
        static constexpr std::array<std::pair<std::uint8_t, std::uint16_t>, 3> kOrder{
            {{kModShift, vk::kShift}, {kModCtrl, vk::kControl}, {kModAlt, vk::kMenu}}};
        for (auto it = kOrder.rbegin(); it != kOrder.rend(); ++it) {
            if ((down_ & it->first) && !(want & it->first)) Push(it->second, true);
        }
        for (const auto& [bit, vkey] : kOrder) {
            if (!(down_ & bit) && (want & bit)) Push(vkey, false);
        }
        down_ = want & kLayoutModifiers;
    }

    void Push(std::uint16_t vkey, bool up) { events_.push_back({vkey, 0, up, false}); }

    const Layout& layout_;
    std::vector<KeyEvent> events_;
    std::uint8_t down_ = 0;  // generic modifiers we hold now
};

}  // namespace

std::vector<KeyEvent> PlanKeys(const std::vector<KeyStroke>& strokes, std::uint8_t held, const Layout& layout) {
    Planner planner(layout);
    planner.ReleaseHeld(held);
    for (const auto& stroke : strokes) planner.Type(stroke);
    planner.RestoreHeld(held);
    return planner.Take();
}

}  // namespace kelo
