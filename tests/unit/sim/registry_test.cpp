// The registry answers as RegOpenKeyA, RegCreateKeyA and RegQueryValueExA do, since
// the settings code is written against those answers.

#include <gtest/gtest.h>

#include "platform/sim/desktop.h"

namespace lantern::sim {
namespace {

const std::string kKey = "Software\\vx9\\lanternIdle\\Settings";

class RegistryTest : public ::testing::Test {
protected:
    Desktop desktop;
    Registry& registry = desktop.registry();
};

TEST_F(RegistryTest, OpenFailsOnAMissingKeyAndCreateMakesTheWholePath) {
    RegistryKey key = 0;
    EXPECT_EQ(registry.openKey(kKey, key), reg::FileNotFound);
    ASSERT_EQ(registry.createKey(kKey, key), reg::Success);
    EXPECT_TRUE(desktop.keyExists("Software\\vx9"));
    EXPECT_TRUE(desktop.keyExists("SOFTWARE\\VX9\\LANTERNIDLE\\settings"));
    EXPECT_EQ(registry.closeKey(key), reg::Success);
    EXPECT_NE(registry.closeKey(key), reg::Success);  // closed twice
    RegistryKey again = 0;
    EXPECT_EQ(registry.openKey("software\\VX9\\lanternidle\\SETTINGS", again), reg::Success);
    EXPECT_NE(again, 0u);
}

TEST_F(RegistryTest, QueryBehavesLikeRegQueryValueExA) {
    desktop.setRegistryValue(kKey, "asciiCol", reg::Sz, std::string("ff0000", 6));  // stored without NUL
    RegistryKey key = 0;
    ASSERT_EQ(registry.openKey(kKey, key), reg::Success);
    struct Case {
        const char* what;
        bool withBuffer;
        unsigned long size;
        long result;
        unsigned long sizeAfter;
        std::string bufferAfter;
    } cases[] = {
        {"size only", false, 0, reg::Success, 6, "########"},
        {"too small", true, 5, reg::MoreData, 6, "########"},
        {"exact", true, 6, reg::Success, 6, "ff0000##"},
        {"larger: no NUL added", true, 8, reg::Success, 6, "ff0000##"},
    };
    for (const auto& c : cases) {
        std::string buffer(8, '#');
        unsigned long type = 99, size = c.size;
        long result = registry.queryValue(key, "ASCIICOL", &type, c.withBuffer ? buffer.data() : nullptr, &size);
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(type, reg::Sz) << c.what;
        EXPECT_EQ(size, c.sizeAfter) << c.what;
        EXPECT_EQ(buffer, c.bufferAfter) << c.what;
    }
    unsigned long size = 8;
    EXPECT_EQ(registry.queryValue(key, "firstColor", nullptr, nullptr, &size), reg::FileNotFound);
    EXPECT_NE(registry.queryValue(key + 1, "asciiCol", nullptr, nullptr, &size), reg::Success);
}

TEST_F(RegistryTest, SetKeepsRawTypedBytesAndLogsEveryWrite) {
    RegistryKey key = 0;
    ASSERT_EQ(registry.createKey(kKey, key), reg::Success);
    const std::string withNul("lant\xE8rn\0", 8);
    ASSERT_EQ(registry.setValue(key, "tBox", reg::Sz, withNul.data(), 8), reg::Success);
    ASSERT_EQ(registry.setValue(key, "TBOX", reg::Binary, "ab", 2), reg::Success);  // same value
    auto stored = desktop.registryValue(kKey, "tbox");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, reg::Binary);
    EXPECT_EQ(stored->data, "ab");
    ASSERT_EQ(desktop.registryWrites().size(), 2u);
    EXPECT_EQ(desktop.registryWrites()[0].path, kKey);
    EXPECT_EQ(desktop.registryWrites()[0].data, withNul);
    EXPECT_EQ(desktop.registryWrites()[1].name, "TBOX");
    desktop.setRegistryValue(kKey, "ascii", reg::Sz, "x");  // seeding is not a write of the program
    EXPECT_EQ(desktop.registryWrites().size(), 2u);
}

TEST_F(RegistryTest, ADeniedProfileOpensAndCreatesNothing) {
    desktop.setRegistryValue(kKey, "ascii", reg::Sz, "x");
    desktop.denyRegistry(true);
    RegistryKey key = 0;
    EXPECT_NE(registry.openKey(kKey, key), reg::Success);
    EXPECT_NE(registry.createKey("Software\\other", key), reg::Success);
    EXPECT_FALSE(desktop.keyExists("Software\\other"));
    desktop.denyRegistry(false);
    EXPECT_EQ(registry.openKey(kKey, key), reg::Success);
}

}  // namespace
}  // namespace lantern::sim
