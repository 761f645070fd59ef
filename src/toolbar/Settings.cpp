#include "toolbar/Settings.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "text/Texts.h"
#include "text/NumberRules.h"

namespace kelo {

namespace {

std::size_t KeyIndex(std::string_view key) {
    for (std::size_t i = 0; i < kSettingRows.size(); ++i)
        if (kSettingRows[i].key == key) return i;
    throw std::invalid_argument("unknown setting");
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string SecondsText(float seconds) { return SingleText(seconds); }

float ParseSeconds(std::string_view text) { return ToSingle(ParseNumber(text)); }

bool IsExtended(const std::variant<std::string, bool>& extend) {
    if (const bool* flag = std::get_if<bool>(&extend)) return *flag;
    return EqualsNoCase(std::get<std::string>(extend), "True");
}

const std::array<SettingRow, 6> kSettingRows{{
    {"AppName", texts::kDefaultHostTitle, false, [](Settings& s, const std::string& v) { s.channel.appName = v; },
     [](const Settings& s) { return s.channel.appName; }},
    // Act. Time stays the text it was: it is read as a number only when a wait uses it.
    {"DTime1", "0.1", false, [](Settings& s, const std::string& v) { s.channel.dTime1 = v; },
     [](const Settings& s) { return s.channel.dTime1; }},
    {"DTime2", "0.1", false, [](Settings& s, const std::string& v) { s.channel.dTime2 = ParseSeconds(v); },
     [](const Settings& s) { return SecondsText(s.channel.dTime2); }},
    // The text as read until the first toggle; stored as "True" or "False".
    {"EXTEND", "False", false, [](Settings& s, const std::string& v) { s.extend = v; },
     [](const Settings& s) { return std::string(IsExtended(s.extend) ? "True" : "False"); }},
    {"OpenPathName", "", true, [](Settings& s, const std::string& v) { s.openPathName = v; },
     [](const Settings& s) { return s.openPathName; }},
    {"PartPathName", "", true, [](Settings& s, const std::string& v) { s.partPathName = v; },
     [](const Settings& s) { return s.partPathName; }},
}};

Settings LoadSettings(SettingsStore& store, std::string_view exeFolder) {
    Settings s;
    for (const SettingRow& row : kSettingRows) {
        const auto stored = store.Read(row.key);
        row.read(s, stored ? *stored : std::string(row.fallbackIsExeFolder ? exeFolder : row.fallback));
    }
    return s;
}

void StoreSettings(SettingsStore& store, const Settings& s) {
    for (const SettingRow& row : kSettingRows) store.Write(row.key, row.write(s));
}

std::optional<std::string> MemorySettingsStore::Read(std::string_view key) { return values[KeyIndex(key)]; }

void MemorySettingsStore::Write(std::string_view key, std::string_view value) {
    values[KeyIndex(key)] = std::string(value);
    writeLog += std::string(key) + ";";
}

}  // namespace kelo
