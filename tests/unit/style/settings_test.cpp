// The settings store over the registry: the REG_SZ rules, the key path, failures.

#include <gtest/gtest.h>

#include "platform/sim/desktop.h"
#include "style/settings.h"

namespace lantern {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    sim::Desktop desktop;
    Registry& registry = desktop.registry();

    void store(const std::string& name, unsigned long type, const std::string& bytes) {
        desktop.setRegistryValue(kSettingsKey, name, type, bytes);
    }
    std::string read(const std::string& name) { return readSetting(registry, kSettingsKey, name); }
};

TEST_F(SettingsTest, StringValuesReadTheSameWithOrWithoutTheirNul) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string("ff3300", 6), "ff3300"},
        {std::string("ff3300\0", 7), "ff3300"},
        {std::string("ab\0cd", 5), "ab"},           // the text ends at the first NUL
        {std::string("lant\xE8rn", 7), "lant\xE8rn"},  // CP1252 bytes pass unchanged
        {std::string(), ""},
        {std::string(1, '\0'), ""},
    };
    for (const auto& [bytes, expected] : cases) {
        store("firstColor", reg::Sz, bytes);
        EXPECT_EQ(read("firstColor"), expected) << "stored " << bytes.size() << " bytes";
    }
}

TEST_F(SettingsTest, OtherTypesAndMissingValuesReadEmpty) {
    store("asciiCol", reg::Dword, std::string("\x01\x02\x03\x04", 4));
    store("ascii", reg::ExpandSz, std::string("x\0", 2));
    store("asciiF", reg::Binary, "Arial");
    store("asciiT", reg::MultiSz, std::string("2\0\0", 3));
    for (const char* name : {"asciiCol", "ascii", "asciiF", "asciiT", "nothingHere"}) {
        EXPECT_EQ(read(name), "") << name;
    }
    EXPECT_EQ(readSetting(registry, "Software\\nobody\\home", "asciiCol"), "");
}

TEST_F(SettingsTest, WriteCreatesTheWholePathAndStoresWithoutNul) {
    ASSERT_FALSE(desktop.keyExists("Software\\vx9"));
    writeSetting(registry, kSettingsKey, "tBox", "sleepin...");
    EXPECT_TRUE(desktop.keyExists("Software\\vx9"));
    EXPECT_TRUE(desktop.keyExists("Software\\vx9\\lanternIdle"));
    auto value = desktop.registryValue(kSettingsKey, "tBox");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, reg::Sz);
    EXPECT_EQ(value->data, "sleepin...");
    EXPECT_EQ(read("tBox"), "sleepin...");
}

TEST_F(SettingsTest, EmptyTextIsStoredAsAnEmptyStringValue) {
    writeSetting(registry, kSettingsKey, "asciiT", "");
    auto value = desktop.registryValue(kSettingsKey, "asciiT");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, reg::Sz);
    EXPECT_EQ(value->data, "");
    EXPECT_EQ(read("asciiT"), "");
}

TEST_F(SettingsTest, ADeniedRegistryLosesWritesAndReadsEmptyQuietly) {
    store("secondColor", reg::Sz, "000066");
    desktop.denyRegistry(true);
    EXPECT_EQ(read("secondColor"), "");
    writeSetting(registry, kSettingsKey, "tBox", "lost");
    desktop.denyRegistry(false);
    EXPECT_FALSE(desktop.registryValue(kSettingsKey, "tBox").has_value());
    EXPECT_EQ(read("secondColor"), "000066");
}

}  // namespace
}  // namespace lantern
