#pragma once
// The six values kept between runs, and how they are read and written.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "channel/HostChannel.h"
#include "text/Paths.h"

namespace kelo {

// A per-user store of text values under the program's name and one section.
// Read gives nullopt for a missing key and throws when the store cannot be read.
class SettingsStore {
   public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Read(std::string_view key) = 0;
    virtual void Write(std::string_view key, std::string_view value) = 0;
};

struct Settings {
    ChannelSettings channel;                   // AppName, DTime1, DTime2
    std::variant<std::string, bool> extend = std::string("False");  // text as read, a flag once toggled
    std::string openPathName;
    std::string partPathName;
};

// One stored setting: its key, the text that stands for it when the key is
// missing (the program's folder for the two folders), and how it goes between
// the store's text and memory. Reading throws where the text cannot be taken
// (a DTime2 that is not a number).
struct SettingRow {
    std::string_view key;
    std::string_view fallback;
    bool fallbackIsExeFolder;
    void (*read)(Settings&, const std::string&);
    std::string (*write)(const Settings&);
};

// The six settings, in the order they are read at start and written at close.
extern const std::array<SettingRow, 6> kSettingRows;

// Reads all six in order, with defaults for missing keys (the folders default
// to `exeFolder`). Throws when the store fails or DTime2 is not a number.
Settings LoadSettings(SettingsStore& store, std::string_view exeFolder);

// Writes all six in order.
void StoreSettings(SettingsStore& store, const Settings& settings);

// "True" (any case) counts as expanded; any other text as collapsed.
bool IsExtended(const std::variant<std::string, bool>& extend);


// DTime2's stored text, and its reading back.
std::string SecondsText(float seconds);
float ParseSeconds(std::string_view text);  // throws NumberError

// In-memory store for tests and for a run without a registry.
class MemorySettingsStore : public SettingsStore {
   public:
    std::optional<std::string> Read(std::string_view key) override;
    void Write(std::string_view key, std::string_view value) override;
    std::array<std::optional<std::string>, 6> values;  // in the order of kSettingRows
    std::string writeLog;  // keys in the order written, ";"-separated
};

}  // namespace kelo
