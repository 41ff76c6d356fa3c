#include "style/settings.h"

#include <algorithm>
#include <vector>

namespace lantern {

std::string readSetting(Registry& registry, const std::string& keyPath, const std::string& name) {
    RegistryKey key = 0;
    if (registry.openKey(keyPath, key) != reg::Success) return {};

    std::string result;
    unsigned long type = reg::None;
    unsigned long size = 0;
    if (registry.queryValue(key, name, &type, nullptr, &size) == reg::Success && type == reg::Sz) {
        // The buffer starts as spaces, so bytes the second query does not fill are
        // never mistaken for text ends.
        std::vector<char> buffer(size, ' ');
        unsigned long got = size;
        if (registry.queryValue(key, name, &type, buffer.data(), &got) == reg::Success && type == reg::Sz) {
            std::string data(buffer.data(), std::min<unsigned long>(got, size));
            // With or without a terminating NUL the text is the part before the first NUL.
            result = data.substr(0, data.find('\0'));
        }
    }
    registry.closeKey(key);
    return result;
}

void writeSetting(Registry& registry, const std::string& keyPath, const std::string& name, const std::string& text) {
    RegistryKey key = 0;
    if (registry.createKey(keyPath, key) != reg::Success) return;
    // Stored without a terminating NUL: the size is the text's length in characters.
    registry.setValue(key, name, reg::Sz, text.data(), static_cast<unsigned long>(text.size()));
    registry.closeKey(key);
}

}  // namespace lantern
