#include "style/style.h"

#include "style/settings.h"

namespace lantern {
namespace {

// Defaults of the colours when nothing is stored. The first colour has two on
// purpose: the lines use the red one while the dialog's box shows black.
constexpr const char* kDefaultAsciiCol = "000000";
constexpr const char* kDefaultFirstColor = "ff3300";
constexpr const char* kDefaultFirstColorBox = "000000";
constexpr const char* kDefaultSecondColor = "000066";

StoredColour readColour(Registry& registry, const char* name, const char* inEffect, const char* inBox) {
    const std::string stored = readSetting(registry, kSettingsKey, name);
    if (stored.empty()) return {inEffect, inBox};
    return {stored, stored};
}

}  // namespace

StoredColours readColours(Registry& registry) {
    return {readColour(registry, "asciiCol", kDefaultAsciiCol, kDefaultAsciiCol),
            readColour(registry, "firstColor", kDefaultFirstColor, kDefaultFirstColorBox),
            readColour(registry, "secondColor", kDefaultSecondColor, kDefaultSecondColor)};
}

}  // namespace lantern
