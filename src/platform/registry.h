#pragma once
// The seam to the registry under HKEY_CURRENT_USER, shaped like the advapi32 ANSI
// calls (RegOpenKeyA, RegCreateKeyA, RegQueryValueExA, RegSetValueExA, RegCloseKey).
// Results are the platform's error codes: 0 for success.

#include <cstdint>
#include <string>

namespace lantern {

using RegistryKey = std::uintptr_t;

namespace reg {
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long MoreData = 234;
constexpr unsigned long None = 0;
constexpr unsigned long Sz = 1;
constexpr unsigned long ExpandSz = 2;
constexpr unsigned long Binary = 3;
constexpr unsigned long Dword = 4;
constexpr unsigned long MultiSz = 7;
}  // namespace reg

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyA(HKEY_CURRENT_USER, path, &key). Fails when the key is missing.
    virtual long openKey(const std::string& path, RegistryKey& key) = 0;

    // RegCreateKeyA(HKEY_CURRENT_USER, path, &key): opens it, creating every missing
    // key along the path.
    virtual long createKey(const std::string& path, RegistryKey& key) = 0;

    // RegQueryValueExA(key, name, NULL, type, data, size). With data == nullptr it
    // reports the type and the size in bytes. With a buffer it copies at most *size
    // bytes, sets *size to the data's size and answers reg::MoreData when too small.
    virtual long queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                            unsigned long* size) = 0;

    // RegSetValueExA(key, name, 0, type, data, size).
    virtual long setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                          unsigned long size) = 0;

    // RegCloseKey(key).
    virtual long closeKey(RegistryKey key) = 0;
};

}  // namespace lantern
