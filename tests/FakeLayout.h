#pragma once
// Keyboard layouts for planning tests and fuzzing: the character -> key table
// that VkKeyScanExW gives, and a replay that turns planned key events back into
// the characters a target with that layout would read.
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "channel/KeyPlan.h"
#include "channel/KeyString.h"

namespace kelo::testing {

// Entries are in the order the system searches, so the first entry for a
// character is the one the layout function returns; later entries only teach
// the replay what a second key types.
struct LayoutEntry {
    char16_t ch;
    std::uint8_t vkey;
    std::uint8_t mods;
};

// What a replayed key down gives when the layout types nothing with it.
inline constexpr char16_t kNoCharacter = 0xFFFD;

class FakeLayout {
   public:
    // A US-like base (letters, digits, blank, the control keys) plus `symbols`.
    explicit FakeLayout(const std::vector<LayoutEntry>& symbols) {
        for (char c = 'a'; c <= 'z'; ++c) Add(c, static_cast<std::uint8_t>(c - 0x20), 0);
        for (char c = 'A'; c <= 'Z'; ++c) Add(c, static_cast<std::uint8_t>(c), kModShift);
        for (char c = '0'; c <= '9'; ++c) Add(c, static_cast<std::uint8_t>(c), 0);
        Add(' ', 0x20, 0);
        AddControlKeys();
        for (const auto& e : symbols) Add(e.ch, e.vkey, e.mods);
    }

    // Exactly the captured entries, then the keys every Windows layout has for
    // the control characters (Enter, Tab, Backspace, Ctrl+letter).
    static FakeLayout Captured(const std::vector<LayoutEntry>& entries) {
        FakeLayout layout;
        for (const auto& e : entries) layout.Add(e.ch, e.vkey, e.mods);
        layout.AddControlKeys();
        return layout;
    }

    Layout AsLayout() const {
        return [this](char16_t ch) { return KeyOf(ch); };
    }
    std::optional<LayoutKey> KeyOf(char16_t ch) const {
        const auto it = byChar_.find(ch);
        return it == byChar_.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<char16_t> CharOf(std::uint8_t vkey, std::uint8_t mods) const {
        const auto it = byKey_.find({vkey, mods});
        return it == byKey_.end() ? std::nullopt : std::optional(it->second);
    }

   private:
    FakeLayout() = default;

    void AddControlKeys() {
        Add('\r', vk::kReturn, 0);
        Add('\t', vk::kTab, 0);
        Add('\b', vk::kBack, 0);
        Add('\n', vk::kReturn, kModCtrl);
        for (char c = 1; c <= 26; ++c) {
            const auto letter = KeyOf(static_cast<char16_t>('a' + c - 1));
            Add(c, letter ? letter->vkey : static_cast<std::uint8_t>('A' + c - 1), kModCtrl);
        }
    }
    void Add(char16_t ch, std::uint8_t vkey, std::uint8_t mods) {
        if (vkey == 0xFF) return;  // VkKeyScanExW has no key for the character
        byChar_.try_emplace(ch, LayoutKey{vkey, mods});
        byKey_.try_emplace({vkey, mods}, ch);
    }
    std::map<char16_t, LayoutKey> byChar_;
    std::map<std::pair<std::uint8_t, std::uint8_t>, char16_t> byKey_;
};

inline constexpr std::uint8_t kS = kModShift;

// United States (0409), as written by hand from the keyboard.
inline const FakeLayout& UsLayout() {
    static const FakeLayout layout({
        {')', '0', kS}, {'!', '1', kS}, {'@', '2', kS}, {'#', '3', kS}, {'$', '4', kS}, {'%', '5', kS},
        {'^', '6', kS}, {'&', '7', kS}, {'*', '8', kS}, {'(', '9', kS},
        {';', 0xBA, 0}, {':', 0xBA, kS}, {'=', 0xBB, 0}, {'+', 0xBB, kS}, {',', 0xBC, 0}, {'<', 0xBC, kS},
        {'-', 0xBD, 0}, {'_', 0xBD, kS}, {'.', 0xBE, 0}, {'>', 0xBE, kS}, {'/', 0xBF, 0}, {'?', 0xBF, kS},
        {'`', 0xC0, 0}, {'~', 0xC0, kS}, {'[', 0xDB, 0}, {'{', 0xDB, kS}, {'\\', 0xDC, 0}, {'|', 0xDC, kS},
        {']', 0xDD, 0}, {'}', 0xDD, kS}, {'\'', 0xDE, 0}, {'"', 0xDE, kS},
        {0x1B, 0xDB, kModCtrl}, {0x1C, 0xDC, kModCtrl}, {0x1D, 0xDD, kModCtrl},
    });
    return layout;
}

// Japanese JIS (0411), without the IME: kana and kanji are not on any key.
inline const FakeLayout& JisLayout() {
    static const FakeLayout layout({
        {'!', '1', kS}, {'"', '2', kS}, {'#', '3', kS}, {'$', '4', kS}, {'%', '5', kS}, {'&', '6', kS},
        {'\'', '7', kS}, {'(', '8', kS}, {')', '9', kS},
        {'-', 0xBD, 0}, {'=', 0xBD, kS}, {'^', 0xDE, 0}, {'~', 0xDE, kS}, {'\\', 0xDC, 0}, {'|', 0xDC, kS},
        {'@', 0xC0, 0}, {'`', 0xC0, kS}, {'[', 0xDB, 0}, {'{', 0xDB, kS}, {';', 0xBB, 0}, {'+', 0xBB, kS},
        {':', 0xBA, 0}, {'*', 0xBA, kS}, {']', 0xDD, 0}, {'}', 0xDD, kS}, {',', 0xBC, 0}, {'<', 0xBC, kS},
        {'.', 0xBE, 0}, {'>', 0xBE, kS}, {'/', 0xBF, 0}, {'?', 0xBF, kS},
        {'\\', 0xE2, 0}, {'_', 0xE2, kS},  // the "ro" key: its '\\' is the second one
        {0x1B, 0xDB, kModCtrl}, {0x1C, 0xDC, kModCtrl}, {0x1D, 0xDD, kModCtrl},
    });
    return layout;
}

// A table captured from Wine by tests/layouts/capture.py: "code vkey mods dead"
// in hex, one character a line, "#" comments. A dead key (it types nothing
// alone) counts as no key: planning through it would change the next character.
inline std::vector<LayoutEntry> ReadLayoutTable(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<LayoutEntry> entries;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        unsigned code = 0, vkey = 0, mods = 0, dead = 0;
        if (!(fields >> std::hex >> code >> vkey >> mods >> dead)) throw std::runtime_error("bad line in " + path);
        if (dead != 0) vkey = mods = 0xFF;
        entries.push_back({static_cast<char16_t>(code), static_cast<std::uint8_t>(vkey), static_cast<std::uint8_t>(mods)});
    }
    return entries;
}

// The virtual keys of the held modifiers.
inline std::set<std::uint32_t> HeldKeys(std::uint8_t held) {
    const std::uint16_t keys[] = {vk::kLShift, vk::kRShift, vk::kLControl, vk::kRControl,
                                  vk::kLMenu,  vk::kRMenu,  vk::kLWin,     vk::kRWin};  // in HeldBits order
    std::set<std::uint32_t> down;
    for (int bit = 0; bit < 8; ++bit)
        if (held & (1 << bit)) down.insert(keys[bit]);
    return down;
}

// Plays the events into a target with the given layout, the way its message
// loop would turn key downs into characters. Starts with the held keys down.
// A key the layout does not type with the modifiers down gives kNoCharacter.
struct Replay {
    // One non-modifier key down or Unicode event, as the target saw it.
    struct Press {
        bool unicode = false;
        std::uint16_t vkey = 0;  // the key, or the UTF-16 unit of a Unicode event
        std::uint8_t mods = 0;   // ModifierBits down at that moment
        char16_t ch = 0;         // what the target reads
    };

    std::u16string typed;
    std::vector<Press> presses;
    std::set<std::uint32_t> down;
    bool unicodeUnderModifier = false;

    Replay(const std::vector<KeyEvent>& events, const FakeLayout& layout, std::uint8_t held) : down(HeldKeys(held)) {
        for (const auto& e : events) {
            const std::uint32_t id = e.unicode ? 0x10000 + e.scan : e.vkey;
            if (e.up) {
                down.erase(id);
                continue;
            }
            down.insert(id);
            const std::uint8_t mods = (Has({vk::kShift, vk::kLShift, vk::kRShift}) ? kModShift : 0) |
                                      (Has({vk::kControl, vk::kLControl, vk::kRControl}) ? kModCtrl : 0) |
                                      (Has({vk::kMenu, vk::kLMenu, vk::kRMenu}) ? kModAlt : 0);
            if (e.unicode) {
                unicodeUnderModifier = unicodeUnderModifier || mods != 0 || Has({vk::kLWin, vk::kRWin});
                typed += static_cast<char16_t>(e.scan);
                presses.push_back({true, e.scan, mods, static_cast<char16_t>(e.scan)});
            } else if (HeldKeys(0xFF).count(e.vkey) == 0 && e.vkey != vk::kShift && e.vkey != vk::kControl &&
                       e.vkey != vk::kMenu) {
                const char16_t ch = Has({vk::kLWin, vk::kRWin})
                                        ? kNoCharacter
                                        : layout.CharOf(static_cast<std::uint8_t>(e.vkey), mods).value_or(kNoCharacter);
                typed += ch;
                presses.push_back({false, e.vkey, mods, ch});
            }
        }
    }

    bool Has(std::initializer_list<std::uint16_t> keys) const {
        for (auto k : keys)
            if (down.count(k)) return true;
        return false;
    }
};

}  // namespace kelo::testing
