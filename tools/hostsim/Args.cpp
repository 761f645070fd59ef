#include "Args.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace kelo::hostsim {
namespace {

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

Options ParseArgs(const std::vector<std::string>& args) {
    Options options;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        const std::string& name = args[i];
        const std::string& value = args[i + 1];
        int* number = nullptr;
        if (name == "--title") {
            options.title = value;
        } else if (name == "--log") {
            options.logPath = value;
        } else if (name == "--x") {
            number = &options.x;
        } else if (name == "--y") {
            number = &options.y;
        } else if (name == "--w") {
            number = &options.width;
        } else if (name == "--h") {
            number = &options.height;
        } else if (name == "--hang-after") {
            number = &options.hangAfter;
        } else if (name == "--ime-open") {
            number = &options.imeOpen;
        } else if (name == "--steal-every") {
            number = &options.stealEvery;
        } else if (name == "--key-delay") {
            number = &options.keyDelay;
        } else {
            continue;  // not an option name: look at the next word
        }
        if (number) {
            if (auto parsed = ParseInt(value)) *number = *parsed;
        }
        ++i;  // the value is consumed
    }
    return options;
}

}  // namespace kelo::hostsim
