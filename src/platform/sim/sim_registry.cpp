#include "platform/sim/sim_registry.h"

#include <cstring>
#include <sstream>

#include "common/text.h"

namespace lantern::sim {

namespace {
// advapi32's answers that registry.h does not name.
constexpr long kAccessDenied = 5;
constexpr long kInvalidHandle = 6;
constexpr long kInvalidParameter = 87;

// The non-empty components of a backslash-separated path.
std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::stringstream stream(path);
    std::string part;
    while (std::getline(stream, part, '\\')) {
        if (!part.empty()) parts.push_back(part);
    }
    return parts;
}

std::string join(const std::vector<std::string>& parts, std::size_t count) {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
        if (i) joined += '\\';
        joined += parts[i];
    }
    return joined;
}
}  // namespace

std::string SimRegistry::normalize(const std::string& path) {
    return text::toLower(join(components(path), components(path).size()));
}

SimRegistry::Key& SimRegistry::create(const std::string& path) {
    auto parts = components(path);
    Key* key = &keys_[""];
    // Every missing key along the path, each keeping the spelling it was made with.
    for (std::size_t count = 1; count <= parts.size(); ++count) {
        std::string spelled = join(parts, count);
        auto [it, added] = keys_.try_emplace(text::toLower(spelled));
        if (added) it->second.path = spelled;
        key = &it->second;
    }
    return *key;
}

RegistryKey SimRegistry::openHandle(const std::string& normalized) {
    RegistryKey handle = nextHandle_;
    nextHandle_ += 4;
    handles_.emplace(handle, normalized);
    return handle;
}

long SimRegistry::openKey(const std::string& path, RegistryKey& key) {
    if (denied_) return kAccessDenied;
    std::string normalized = normalize(path);
    if (!normalized.empty() && !keys_.count(normalized)) return reg::FileNotFound;
    key = openHandle(normalized);
    return reg::Success;
}

long SimRegistry::createKey(const std::string& path, RegistryKey& key) {
    if (denied_) return kAccessDenied;
    create(path);
    key = openHandle(normalize(path));
    return reg::Success;
}

long SimRegistry::queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                             unsigned long* size) {
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return kInvalidHandle;
    if (data && !size) return kInvalidParameter;
    const Key& k = keys_[handle->second];
    auto found = k.values.find(text::toLower(name));
    if (found == k.values.end()) return reg::FileNotFound;
    const RegistryValue& value = found->second.value;
    const auto length = static_cast<unsigned long>(value.data.size());
    if (type) *type = value.type;
    if (data && *size < length) {
        *size = length;
        return reg::MoreData;
    }
    // The stored bytes exactly: no terminating NUL is added to a string stored without one.
    if (data) std::memcpy(data, value.data.data(), length);
    if (size) *size = length;
    return reg::Success;
}

long SimRegistry::setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                           unsigned long size) {
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return kInvalidHandle;
    if (!data && size) return kInvalidParameter;
    Key& k = keys_[handle->second];
    std::string bytes = data ? std::string(data, size) : std::string();
    auto& slot = k.values[text::toLower(name)];
    if (slot.name.empty()) slot.name = name;
    slot.value = {type, bytes};
    writes_.push_back({k.path, name, type, bytes});
    return reg::Success;
}

long SimRegistry::closeKey(RegistryKey key) { return handles_.erase(key) ? reg::Success : kInvalidHandle; }

std::optional<RegistryValue> SimRegistry::value(const std::string& path, const std::string& name) const {
    auto k = keys_.find(normalize(path));
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.values.find(text::toLower(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second.value;
}

void SimRegistry::put(const std::string& path, const std::string& name, unsigned long type, const std::string& data) {
    auto& slot = create(path).values[text::toLower(name)];
    if (slot.name.empty()) slot.name = name;
    slot.value = {type, data};
}

bool SimRegistry::keyExists(const std::string& path) const { return keys_.count(normalize(path)) > 0; }

}  // namespace lantern::sim
