#include "toolbar/Settings.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "channel/Texts.h"
#include "profiles/NumberRules.h"

namespace kelo {

namespace {

std::size_t KeyIndex(std::string_view key) {
    auto it = std::find(kSettingKeys.begin(), kSettingKeys.end(), key);
    if (it == kSettingKeys.end()) throw std::invalid_argument("unknown setting");
    return static_cast<std::size_t>(it - kSettingKeys.begin());
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string FolderOf(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) return {};
    std::string folder(path.substr(0, slash));
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

std::string SecondsText(float seconds) { return SingleText(seconds); }

float ParseSeconds(std::string_view text) { return ToSingle(ParseNumber(text)); }

bool IsExtended(const std::variant<std::string, bool>& extend) {
    if (const bool* flag = std::get_if<bool>(&extend)) return *flag;
    return EqualsNoCase(std::get<std::string>(extend), "True");
}

Settings LoadSettings(SettingsStore& store, std::string_view exeFolder) {
    auto read = [&](std::string_view key, std::string_view fallback) {
        auto v = store.Read(key);
        return v ? *v : std::string(fallback);
    };
    Settings s;
    s.channel.appName = read("AppName", texts::kDefaultHostTitle);
    s.channel.dTime1 = read("DTime1", "0.1");
    s.channel.dTime2 = ParseSeconds(read("DTime2", "0.1"));
    s.extend = read("EXTEND", "False");
    s.openPathName = read("OpenPathName", exeFolder);
    s.partPathName = read("PartPathName", exeFolder);
    return s;
}

void StoreSettings(SettingsStore& store, const Settings& s) {
    store.Write("AppName", s.channel.appName);
    store.Write("DTime1", s.channel.dTime1);
    store.Write("DTime2", SecondsText(s.channel.dTime2));
    store.Write("EXTEND", IsExtended(s.extend) ? "True" : "False");
    store.Write("OpenPathName", s.openPathName);
    store.Write("PartPathName", s.partPathName);
}

std::optional<std::string> MemorySettingsStore::Read(std::string_view key) { return values[KeyIndex(key)]; }

void MemorySettingsStore::Write(std::string_view key, std::string_view value) {
    values[KeyIndex(key)] = std::string(value);
    writeLog += std::string(key) + ";";
}

}  // namespace kelo
