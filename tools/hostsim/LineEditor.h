#pragma once
// The host's command line: characters typed since the last Enter or cancel, and the
// history of completed lines.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace kelo::hostsim {

std::string ToUtf8(std::u16string_view utf16);  // lone surrogates become U+FFFD

class LineEditor {
public:
    enum class Outcome { kNone, kLine, kCancel };
    struct Result {
        Outcome outcome = Outcome::kNone;
        std::string line;  // UTF-8, for kLine
    };

    static constexpr char16_t kEnter = 13;
    static constexpr char16_t kBackspace = 8;
    static constexpr char16_t kCtrlC = 3;

    // Takes one WM_CHAR unit. Other control characters are dropped, as the host's
    // command line would not show them.
    Result Feed(char16_t unit);

    const std::u16string& Current() const { return current_; }
    const std::deque<std::string>& History() const { return history_; }

private:
    static constexpr std::size_t kHistoryKept = 200;

    std::u16string current_;
    std::deque<std::string> history_;
};

}  // namespace kelo::hostsim
