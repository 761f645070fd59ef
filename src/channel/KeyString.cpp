#include "channel/KeyString.h"

#include <array>
#include <optional>
#include <string>

namespace kelo {

namespace {

// A repeat count beyond this is a typing mistake, not a wish for a million keys.
constexpr unsigned kMaxRepeat = 10000;

struct NamedKey {
    std::u16string_view name;
    std::uint16_t vkey;
};

constexpr std::array kNamedKeys{
    NamedKey{u"ENTER", vk::kReturn},    NamedKey{u"TAB", vk::kTab},
    NamedKey{u"ESC", vk::kEscape},      NamedKey{u"ESCAPE", vk::kEscape},
    NamedKey{u"BACKSPACE", vk::kBack},  NamedKey{u"BS", vk::kBack},
    NamedKey{u"BKSP", vk::kBack},       NamedKey{u"BREAK", vk::kBreak},
    NamedKey{u"CAPSLOCK", vk::kCapital}, NamedKey{u"DELETE", vk::kDelete},
    NamedKey{u"DEL", vk::kDelete},      NamedKey{u"DOWN", vk::kDown},
    NamedKey{u"END", vk::kEnd},         NamedKey{u"HELP", vk::kHelp},
    NamedKey{u"HOME", vk::kHome},       NamedKey{u"INSERT", vk::kInsert},
    NamedKey{u"INS", vk::kInsert},      NamedKey{u"LEFT", vk::kLeft},
    NamedKey{u"NUMLOCK", vk::kNumLock}, NamedKey{u"PGDN", vk::kNext},
    NamedKey{u"PGUP", vk::kPrior},      NamedKey{u"PRTSC", vk::kSnapshot},
    NamedKey{u"RIGHT", vk::kRight},     NamedKey{u"SCROLLLOCK", vk::kScroll},
    NamedKey{u"UP", vk::kUp},           NamedKey{u"ADD", vk::kAdd},
    NamedKey{u"SUBTRACT", vk::kSubtract}, NamedKey{u"MULTIPLY", vk::kMultiply},
    NamedKey{u"DIVIDE", vk::kDivide},
};

char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c; }

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsSurrogatePair(std::u16string_view s) {
    return s.size() == 2 && s[0] >= 0xD800 && s[0] <= 0xDBFF && s[1] >= 0xDC00 && s[1] <= 0xDFFF;
}

std::optional<std::uint16_t> LookUpKeyName(std::u16string_view name) {
    for (const auto& key : kNamedKeys) {
        if (EqualsIgnoreCase(name, key.name)) return key.vkey;
    }
    // F1..F16
    if ((name.size() == 2 || name.size() == 3) && AsciiUpper(name[0]) == u'F' && IsDigit(name[1]) &&
        name[1] != u'0' && (name.size() == 2 || IsDigit(name[2]))) {
        unsigned number = name[1] - u'0';
        if (name.size() == 3) number = number * 10 + (name[2] - u'0');
        if (number >= 1 && number <= 16) return static_cast<std::uint16_t>(vk::kF1 + number - 1);
    }
    return std::nullopt;
}

class Parser {
   public:
    explicit Parser(std::u16string_view keys) : keys_(keys) {}

    std::vector<KeyStroke> Run() {
        while (pos_ < keys_.size()) {
            const char16_t c = keys_[pos_];
            switch (c) {
                case u'+': TakeModifier(kModShift); break;
                case u'^': TakeModifier(kModCtrl); break;
                case u'%': TakeModifier(kModAlt); break;
                case u'~':
                    ++pos_;
                    EmitKey(vk::kReturn, 1);
                    break;
                case u'{': ParseBraces(); break;
                case u'(': OpenGroup(); break;
                case u')': CloseGroup(); break;
                case u'}': throw KeyStringError("unmatched '}' in key string");
                case u'[':
                case u']': throw KeyStringError("square brackets are reserved in key strings");
                default: {
                    // A surrogate pair is one character: both halves share the modifiers.
                    const std::size_t length = IsSurrogatePair(keys_.substr(pos_, 2)) ? 2 : 1;
                    EmitChars(keys_.substr(pos_, length), 1);
                    pos_ += length;
                    break;
                }
            }
        }
        if (pending_ != 0) throw KeyStringError("modifier with no key after it");
        if (!groups_.empty()) throw KeyStringError("unclosed '(' in key string");
        return std::move(strokes_);
    }

   private:
    void TakeModifier(std::uint8_t bit) {
        pending_ |= bit;
        ++pos_;
    }

    // Modifiers written before "(" stay down for the whole group.
    void OpenGroup() {
        groups_.push_back(GroupMods() | pending_);
        pending_ = 0;
        ++pos_;
    }

    void CloseGroup() {
        if (groups_.empty()) throw KeyStringError("unmatched ')' in key string");
        if (pending_ != 0) throw KeyStringError("modifier with no key after it");
        groups_.pop_back();
        ++pos_;
    }

    std::uint8_t GroupMods() const { return groups_.empty() ? 0 : groups_.back(); }

    std::uint8_t TakeMods() {
        const std::uint8_t mods = GroupMods() | pending_;
        pending_ = 0;
        return mods;
    }

    void EmitKey(std::uint16_t vkey, unsigned count) {
        const std::uint8_t mods = TakeMods();
        for (unsigned i = 0; i < count; ++i) strokes_.push_back({KeyStroke::Kind::Key, 0, vkey, mods});
    }

    void EmitChars(std::u16string_view units, unsigned count) {
        const std::uint8_t mods = TakeMods();
        for (unsigned i = 0; i < count; ++i) {
            for (char16_t u : units) strokes_.push_back({KeyStroke::Kind::Char, u, 0, mods});
        }
    }

    // "{name}" or "{name count}". "{}}" names the closing brace itself.
    void ParseBraces() {
        const std::size_t start = pos_ + 1;
        const std::size_t searchFrom = (start < keys_.size() && keys_[start] == u'}') ? start + 1 : start;
        const std::size_t close = keys_.find(u'}', searchFrom);
        if (close == std::u16string_view::npos) throw KeyStringError("unclosed '{' in key string");
        std::u16string_view body = keys_.substr(start, close - start);
        pos_ = close + 1;
        if (body.empty()) throw KeyStringError("empty braces in key string");

        unsigned count = 1;
        const std::size_t space = body.rfind(u' ');
        if (space != std::u16string_view::npos && space > 0 && space + 1 < body.size()) {
            std::u16string_view digits = body.substr(space + 1);
            bool allDigits = true;
            for (char16_t d : digits) allDigits = allDigits && IsDigit(d);
            if (allDigits) {
                if (digits.size() > 5) throw KeyStringError("repeat count too large in key string");
                count = 0;
                for (char16_t d : digits) count = count * 10 + (d - u'0');
                if (count > kMaxRepeat) throw KeyStringError("repeat count too large in key string");
                body = body.substr(0, space);
            }
        }

        // Any single character in braces is itself, special or not.
        if (body.size() == 1 || IsSurrogatePair(body)) {
            EmitChars(body, count);
            return;
        }
        const auto vkey = LookUpKeyName(body);
        if (!vkey) throw KeyStringError("unknown key name in key string");
        EmitKey(*vkey, count);
    }

    std::u16string_view keys_;
    std::size_t pos_ = 0;
    std::uint8_t pending_ = 0;
    std::vector<std::uint8_t> groups_;  // modifiers in force inside each open group
    std::vector<KeyStroke> strokes_;
};

}  // namespace

std::vector<KeyStroke> ParseKeyString(std::u16string_view keys) { return Parser(keys).Run(); }

}  // namespace kelo
