#include "toolbar/RegistryStore_win.h"

#include <windows.h>

#include <stdexcept>

#include "text/WinText_win.h"
#include "ui/Retry.h"

namespace kelo {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\KeloMenu\\Settings";

}  // namespace

std::optional<std::string> RegistrySettingsStore::Read(std::string_view key) {
    const std::wstring name = Widen(key);
    DWORD bytes = 0;
    LSTATUS st = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (st == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (st != ERROR_SUCCESS) throw std::runtime_error("settings unreadable");
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    st = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
    if (st != ERROR_SUCCESS) throw std::runtime_error("settings unreadable");
    value.resize(wcsnlen(value.c_str(), value.size()));
    return Narrow(value);
}

void RegistrySettingsStore::Write(std::string_view key, std::string_view value) {
    const std::wstring name = Widen(key), w = Widen(value);
    auto write = [&] {
        HKEY hkey = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const LSTATUS st = RegSetValueExW(hkey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                                          static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(hkey);
        return st == ERROR_SUCCESS;
    };
    // The toolbar is closing (its window is being destroyed): nothing is left to keep
    // live, so a plain sleep paces the tries. Closing must never fail; a value that still
    // cannot be written keeps what the store held.
    RetryWhileBusy(write, [](std::chrono::milliseconds pause) { Sleep(static_cast<DWORD>(pause.count())); });
}

}  // namespace kelo
