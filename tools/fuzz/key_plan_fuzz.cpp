// The key-string parser and the key planner together. Any text either parses or
// raises KeyStringError. A parsed string, planned on a fake or a captured layout
// with any set of held modifiers, replays to exactly the parsed keystrokes: each
// plain character reads as itself, each modifier the notation holds is down for
// its key, a Unicode event goes only where the layout has no key and never under
// a modifier; every down has its up, and the held keys are let go first and
// pressed again last.
//
// Input: byte 0 the held keys (HeldBits), byte 1 the layout (low 3 bits) and
// the text's form (bit 7: raw UTF-16 units, else UTF-8), then the key string.
#include <cstdint>
#include <string>
#include <vector>

#include "FakeLayout.h"
#include "FuzzCheck.h"
#include "channel/KeyPlan.h"
#include "channel/KeyString.h"
#include "text/Utf.h"

namespace {

using kelo::KeyEvent;
using kelo::KeyStroke;
using kelo::fuzz::Require;
using kelo::testing::FakeLayout;
using kelo::testing::Replay;

const FakeLayout& LayoutNumber(unsigned n) {
    static const FakeLayout captured[] = {
        FakeLayout::Captured(kelo::testing::ReadLayoutTable(KELO_SOURCE_DIR "/tests/layouts/us.txt")),
        FakeLayout::Captured(kelo::testing::ReadLayoutTable(KELO_SOURCE_DIR "/tests/layouts/jis.txt")),
        FakeLayout::Captured(kelo::testing::ReadLayoutTable(KELO_SOURCE_DIR "/tests/layouts/de.txt")),
        FakeLayout::Captured(kelo::testing::ReadLayoutTable(KELO_SOURCE_DIR "/tests/layouts/fr.txt")),
    };
    switch (n % 6) {
        case 0: return kelo::testing::UsLayout();
        case 1: return kelo::testing::JisLayout();
        default: return captured[n % 6 - 2];
    }
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c; }
char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c; }
bool IsLetter(char16_t c) { return Lower(c) >= u'a' && Lower(c) <= u'z'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The layout's usable key for `ch`, as the planner may use it (not a key behind Hankaku or a reserved bit).
std::optional<kelo::LayoutKey> UsableKey(const FakeLayout& layout, char16_t ch) {
    auto key = layout.KeyOf(ch);
    if (!key || key->vkey == 0 || key->vkey == 0xFF || (key->mods & 0x38)) return std::nullopt;
    return key;
}

void CheckPress(const KeyStroke& stroke, const Replay::Press& press, const FakeLayout& layout,
                const std::string& where) {
    if (stroke.kind == KeyStroke::Kind::Key) {
        Require(!press.unicode && press.vkey == stroke.vkey && press.mods == stroke.mods, where + ": named key");
        return;
    }
    const char16_t ch = stroke.ch;
    if (ch == u'\r' || ch == u'\n' || ch == u'\t' || ch == u'\b') {
        const std::uint16_t vkey = ch == u'\t' ? kelo::vk::kTab : ch == u'\b' ? kelo::vk::kBack : kelo::vk::kReturn;
        Require(!press.unicode && press.vkey == vkey && press.mods == stroke.mods, where + ": control character");
        return;
    }
    if (press.unicode) {
        Require(press.ch == ch && press.mods == 0, where + ": Unicode event");
        Require(!UsableKey(layout, ch) && !((stroke.mods & (kelo::kModCtrl | kelo::kModAlt)) && IsLetter(ch)),
                where + ": Unicode event for a character the layout has a key for");
        return;
    }
    if ((stroke.mods & (kelo::kModCtrl | kelo::kModAlt)) && IsLetter(ch)) {
        // Ctrl or Alt with a letter names the letter's key, whatever the case.
        const auto key = UsableKey(layout, Lower(ch));
        const std::uint16_t vkey = key && (key->mods & 7) == 0 ? key->vkey : Upper(ch);
        Require(press.vkey == vkey && press.mods == stroke.mods, where + ": Ctrl/Alt with a letter");
        return;
    }
    if (stroke.mods == 0) {
        Require(press.ch == ch, where + ": reads as another character");
        return;
    }
    // The notation's modifiers are down, plus what the layout needs for the character.
    Require((press.mods & stroke.mods) == stroke.mods, where + ": a modifier of the notation is not down");
    if (const auto key = UsableKey(layout, ch)) {
        Require(press.vkey == key->vkey && press.mods == (stroke.mods | (key->mods & 7)), where + ": layout key");
        return;
    }
    Require((IsLetter(ch) || IsDigit(ch)) && press.vkey == Upper(ch) && press.mods == stroke.mods,
            where + ": a key for a character the layout cannot type");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t held = data[0];
    const FakeLayout& layout = LayoutNumber(data[1] & 7);
    std::u16string keys;
    if (data[1] & 0x80) {
        for (std::size_t i = 2; i + 1 < size; i += 2) keys += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    } else {
        keys = kelo::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));
    }
    const std::string where = "\"" + kelo::Utf16ToUtf8(keys) + "\" held " + std::to_string(held) + " layout " +
                              std::to_string(data[1] & 7);

    std::vector<KeyStroke> strokes;
    try {
        strokes = kelo::ParseKeyString(keys);
    } catch (const kelo::KeyStringError&) {
        return 0;
    }
    const std::vector<KeyEvent> events = kelo::PlanKeys(strokes, held, layout.AsLayout());

    // Every down has its up; before the restore nothing is down, after it exactly the held keys.
    auto down = kelo::testing::HeldKeys(held);
    const std::size_t restoreCount = down.size();
    Require(events.size() >= restoreCount, where + ": too few events");
    for (std::size_t i = 0; i < events.size(); ++i) {
        const KeyEvent& e = events[i];
        const std::uint32_t id = e.unicode ? 0x10000 + e.scan : e.vkey;
        if (e.up) {
            Require(down.erase(id) == 1, where + ": up without down at event " + std::to_string(i));
        } else {
            Require(down.insert(id).second, where + ": down twice at event " + std::to_string(i));
        }
        if (i + 1 == events.size() - restoreCount) Require(down.empty(), where + ": keys down before the restore");
    }
    Require(down == kelo::testing::HeldKeys(held), where + ": held keys not restored");
    for (std::size_t i = events.size() - restoreCount; i < events.size(); ++i) {
        Require(!events[i].up && kelo::testing::HeldKeys(held).count(events[i].vkey), where + ": restore order");
    }

    const Replay replay(events, layout, held);
    Require(!replay.unicodeUnderModifier, where + ": Unicode event under a modifier");
    Require(replay.presses.size() == strokes.size(), where + ": " + std::to_string(replay.presses.size()) +
                                                         " presses for " + std::to_string(strokes.size()) +
                                                         " strokes");
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        CheckPress(strokes[i], replay.presses[i], layout, where + " stroke " + std::to_string(i));
    }
    return 0;
}
