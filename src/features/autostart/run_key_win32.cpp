#include "features/autostart/run_key_win32.h"

#include <windows.h>

#include <vector>

#include "support/handles_win32.h"

namespace dock {
namespace {

constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

UniqueRegistryKey openRunKey(REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, access, &key) != ERROR_SUCCESS)
        return {};
    return UniqueRegistryKey(key);
}

}  // namespace

std::optional<std::string> Win32RunKey::RunValue(const std::string& name) {
    const UniqueRegistryKey key = openRunKey(KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::vector<char> data(size + 1);
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The stored text need not end in a null; it ends at the first one.
    data[size] = '\0';
    return std::string(data.data());
}

void Win32RunKey::SetRunValue(const std::string& name, const std::string& text) {
    HKEY created = nullptr;
    // A fresh profile may not have the key yet.
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &created, nullptr) != ERROR_SUCCESS)
        return;
    const UniqueRegistryKey key(created);
    ::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
}

void Win32RunKey::DeleteRunValue(const std::string& name) {
    const UniqueRegistryKey key = openRunKey(KEY_SET_VALUE);
    if (key) ::RegDeleteValueA(key.get(), name.c_str());
}

}  // namespace dock
