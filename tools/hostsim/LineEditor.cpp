#include "LineEditor.h"

namespace kelo::hostsim {
namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char16_t u = utf16[i];
        if (IsHigh(u) && i + 1 < utf16.size() && IsLow(utf16[i + 1])) {
            char32_t cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHigh(u) || IsLow(u)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

LineEditor::Result LineEditor::Feed(char16_t unit) {
    Result result;
    switch (unit) {
        case kEnter:
            result.outcome = Outcome::kLine;
            result.line = ToUtf8(current_);
            current_.clear();
            history_.push_back(result.line);
            if (history_.size() > kHistoryKept) history_.pop_front();
            break;
        case kCtrlC:
            result.outcome = Outcome::kCancel;
            current_.clear();
            break;
        case kBackspace:
            // One character, so a surrogate pair goes as a whole.
            if (!current_.empty()) {
                bool pair = current_.size() >= 2 && IsLow(current_.back()) &&
                            IsHigh(current_[current_.size() - 2]);
                current_.resize(current_.size() - (pair ? 2 : 1));
            }
            break;
        default:
            if (unit >= 0x20 && unit != 0x7F) current_ += unit;
            break;
    }
    return result;
}

}  // namespace kelo::hostsim
