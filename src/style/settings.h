#pragma once
// The settings store: string values under HKEY_CURRENT_USER\Software\vx9\lanternIdle\Settings.

#include <string>

#include "platform/registry.h"

namespace lantern {

inline constexpr const char* kSettingsKey = "Software\\vx9\\lanternIdle\\Settings";

// The value's text, or "" when it is missing, empty or not a string value. Never
// includes a terminating NUL, whether the stored data carries one or not.
std::string readSetting(Registry& registry, const std::string& keyPath, const std::string& name);

// Creates the key path when missing and stores the text as REG_SZ without a
// terminating NUL. Failures are silent.
void writeSetting(Registry& registry, const std::string& keyPath, const std::string& name, const std::string& text);

}  // namespace lantern
