// The registry seam against the real registry, under a key of the test's own.

#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

TEST(Win32Registry, ValuesRoundTripWithTheirTypeAndBytesAndMissingOnesAreReported) {
    auto platform = makeTestPlatform();
    Registry& registry = platform->platform().registry;
    const std::string path = "Software\\lantern-idle-tests\\" + std::to_string(GetCurrentProcessId());
    RegistryKey key = 0, missing = 123;
    ASSERT_EQ(registry.createKey(path + "\\Settings", key), reg::Success);
    EXPECT_EQ(registry.openKey(path + "\\nothing here", missing), reg::FileNotFound);
    EXPECT_EQ(missing, 0u);
    unsigned long size = 0;
    EXPECT_EQ(registry.queryValue(key, "absent", nullptr, nullptr, &size), reg::FileNotFound);

    // {name, type, bytes, whether a NUL may be added when read}
    const std::tuple<const char*, unsigned long, std::string, bool> values[] = {
        {"withNul", reg::Sz, std::string("000066\0", 7), false},
        {"withoutNul", reg::Sz, "000066", true},
        {"accented", reg::Sz, std::string("<font face=Webdings>\xE8\xE9\0", 23), false},
        {"count", reg::Dword, std::string("\x04\x03\x02\x01", 4), false},
    };
    for (const auto& [name, type, bytes, nulMayFollow] : values) {
        ASSERT_EQ(registry.setValue(key, name, type, bytes.data(), bytes.size()), reg::Success);
    }
    RegistryKey again = 0;  // read through a key opened anew, as the settings code reads
    ASSERT_EQ(registry.openKey(path + "\\Settings", again), reg::Success);
    for (const auto& [name, type, bytes, nulMayFollow] : values) {
        unsigned long foundType = 0xFFFF;
        size = 0;
        EXPECT_EQ(registry.queryValue(again, name, &foundType, nullptr, &size), reg::Success);
        std::string data(size, '\x7F');  // poisoned: every byte must come from the registry
        EXPECT_EQ(registry.queryValue(again, name, &foundType, data.data(), &size), reg::Success);
        data.resize(size);
        EXPECT_EQ(foundType, type) << name;
        EXPECT_TRUE(data == bytes || (nulMayFollow && data == bytes + '\0')) << name << ": " << data;
    }
    EXPECT_EQ(registry.closeKey(again), reg::Success);
    registry.closeKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\lantern-idle-tests");
}

}  // namespace
}  // namespace lantern::win32::testing
