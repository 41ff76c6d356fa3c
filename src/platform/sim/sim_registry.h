#pragma once
// The registry seam on the simulated desktop: keys under HKEY_CURRENT_USER with
// case-insensitive path components and value names, raw typed values, and answers
// shaped like the advapi32 ANSI calls, errors included.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace lantern::sim {

// A value as stored: its type and raw bytes.
struct RegistryValue {
    unsigned long type = 0;
    std::string data;
};

struct RegistryWrite {
    std::string path;
    std::string name;
    unsigned long type = 0;
    std::string data;
};

class SimRegistry final : public Registry {
public:
    long openKey(const std::string& path, RegistryKey& key) override;
    long createKey(const std::string& path, RegistryKey& key) override;
    long queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                    unsigned long* size) override;
    long setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                  unsigned long size) override;
    long closeKey(RegistryKey key) override;

    // Direct access for tests: no handles, no log.
    std::optional<RegistryValue> value(const std::string& path, const std::string& name) const;
    void put(const std::string& path, const std::string& name, unsigned long type, const std::string& data);
    bool keyExists(const std::string& path) const;

    void deny(bool denied) { denied_ = denied; }
    const std::vector<RegistryWrite>& writes() const { return writes_; }

private:
    struct NamedValue {
        std::string name;  // as first written
        RegistryValue value;
    };
    struct Key {
        std::string path;  // as first created
        std::map<std::string, NamedValue> values;  // by lower-cased name
    };

    // The path with its components lower-cased and empty ones dropped: the lookup key.
    static std::string normalize(const std::string& path);
    Key& create(const std::string& path);
    RegistryKey openHandle(const std::string& normalized);

    std::map<std::string, Key> keys_;  // by normalized path; "" is HKEY_CURRENT_USER itself
    std::map<RegistryKey, std::string> handles_;  // open handles and the key each names
    RegistryKey nextHandle_ = 0x1A0;
    bool denied_ = false;
    std::vector<RegistryWrite> writes_;
};

}  // namespace lantern::sim
