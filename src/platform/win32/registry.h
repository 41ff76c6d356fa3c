#pragma once
// Registry over the advapi32 ANSI calls, under HKEY_CURRENT_USER. Values cross as raw
// bytes: whatever normalising a reader wants (a trailing NUL, say) is the reader's.

#include "platform/registry.h"
#include "platform/win32/windows_api.h"

namespace lantern::win32 {

class Win32Registry final : public Registry {
public:
    long openKey(const std::string& path, RegistryKey& key) override;
    long createKey(const std::string& path, RegistryKey& key) override;
    long queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                    unsigned long* size) override;
    long setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                  unsigned long size) override;
    long closeKey(RegistryKey key) override;
};

}  // namespace lantern::win32
