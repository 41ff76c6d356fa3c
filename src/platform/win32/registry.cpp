#include "platform/win32/registry.h"

namespace lantern::win32 {
namespace {

HKEY toHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

long openOrCreate(bool create, const std::string& path, RegistryKey& key) {
    HKEY opened = nullptr;
    LONG status = create ? RegCreateKeyA(HKEY_CURRENT_USER, path.c_str(), &opened)
                         : RegOpenKeyA(HKEY_CURRENT_USER, path.c_str(), &opened);
    key = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
    return status;
}

}  // namespace

long Win32Registry::openKey(const std::string& path, RegistryKey& key) { return openOrCreate(false, path, key); }

long Win32Registry::createKey(const std::string& path, RegistryKey& key) { return openOrCreate(true, path, key); }

long Win32Registry::queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                               unsigned long* size) {
    if (!key) return ERROR_INVALID_HANDLE;
    DWORD foundType = REG_NONE;
    DWORD bytes = size ? static_cast<DWORD>(*size) : 0;
    LONG status = RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &foundType, reinterpret_cast<BYTE*>(data),
                                   size ? &bytes : nullptr);
    if (type) *type = foundType;
    if (size) *size = bytes;
    return status;
}

long Win32Registry::setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                             unsigned long size) {
    if (!key) return ERROR_INVALID_HANDLE;
    return RegSetValueExA(toHkey(key), name.c_str(), 0, static_cast<DWORD>(type), reinterpret_cast<const BYTE*>(data),
                          static_cast<DWORD>(size));
}

long Win32Registry::closeKey(RegistryKey key) {
    if (!key) return ERROR_INVALID_HANDLE;
    return RegCloseKey(toHkey(key));
}

}  // namespace lantern::win32
