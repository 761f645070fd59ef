#pragma once
#include "toolbar/Settings.h"

namespace kelo {

// HKCU\Software\VB and VBA Program Settings\KeloMenu\Settings: where the
// original platform's per-user settings calls keep "program, section, key",
// so settings a user already has are found. Values are REG_SZ.
class RegistrySettingsStore : public SettingsStore {
   public:
    std::optional<std::string> Read(std::string_view key) override;
    void Write(std::string_view key, std::string_view value) override;
};

}  // namespace kelo
