// The settings store over the registry: the REG_SZ rules, the key path, failures.

#include <gtest/gtest.h>

#include "platform/sim/desktop.h"
#include "style/settings.h"
#include "style/style.h"

namespace lantern {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::string read(const std::string& name) { return readSetting(registry, kSettingsKey, name); }
    sim::Desktop desktop;
    Registry& registry = desktop.registry();
};

TEST_F(SettingsTest, StringValuesReadWithoutTheirNulAndOtherTypesReadEmpty) {
    const std::tuple<unsigned long, std::string, std::string> cases[] = {
        {reg::Sz, "ff3300", "ff3300"},
        {reg::Sz, std::string("ff3300\0", 7), "ff3300"},
        {reg::Sz, std::string("ab\0cd", 5), "ab"},  // the text ends at the first NUL
        {reg::Sz, "lant\xE8rn", "lant\xE8rn"},  // CP1252 bytes pass unchanged
        {reg::Sz, "", ""},
        {reg::Sz, std::string(1, '\0'), ""},
        {reg::Dword, std::string("\x01\x02\x03\x04", 4), ""},
        {reg::ExpandSz, std::string("x\0", 2), ""},
        {reg::Binary, "Arial", ""},
        {reg::MultiSz, std::string("2\0\0", 3), ""},
    };
    for (const auto& [type, bytes, expected] : cases) {
        desktop.setRegistryValue(kSettingsKey, "firstColor", type, bytes);
        EXPECT_EQ(read("firstColor"), expected) << "type " << type << ", " << bytes.size() << " bytes";
    }
    EXPECT_EQ(read("nothingHere"), "");
    EXPECT_EQ(readSetting(registry, "Software\\nobody\\home", "firstColor"), "");
}

// Nothing stored (or nothing usable): the defaults, with the first colour red for the
// lines and black in the dialog's box; anything stored: itself in both.
TEST_F(SettingsTest, ColoursReadWithTheirDefaults) {
    using Both = std::pair<std::string, std::string>;
    auto both = [](const StoredColour& c) { return Both(c.inEffect, c.inBox); };
    StoredColours colours = readColours(registry);
    EXPECT_EQ(both(colours.ascii), Both("000000", "000000"));
    EXPECT_EQ(both(colours.first), Both("ff3300", "000000"));
    EXPECT_EQ(both(colours.second), Both("000066", "000066"));
    desktop.setRegistryValue(kSettingsKey, "asciiCol", reg::Sz, "c0ffee");
    desktop.setRegistryValue(kSettingsKey, "firstColor", reg::Sz, "abcdef");
    desktop.setRegistryValue(kSettingsKey, "secondColor", reg::Dword, std::string("\x01\x02\x03\x04", 4));
    colours = readColours(registry);
    EXPECT_EQ(both(colours.ascii), Both("c0ffee", "c0ffee"));
    EXPECT_EQ(both(colours.first), Both("abcdef", "abcdef"));
    EXPECT_EQ(both(colours.second), Both("000066", "000066"));
}

TEST_F(SettingsTest, WriteCreatesTheWholePathAndStoresTextWithoutNulEvenWhenEmpty) {
    ASSERT_FALSE(desktop.keyExists("Software\\vx9"));
    for (const std::string text : {"sleepin...", ""}) {
        writeSetting(registry, kSettingsKey, "tBox", text);
        auto value = desktop.registryValue(kSettingsKey, "tBox");
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, reg::Sz);
        EXPECT_EQ(value->data, text);
        EXPECT_EQ(read("tBox"), text);
    }
    EXPECT_TRUE(desktop.keyExists("Software\\vx9\\lanternIdle"));
}

TEST_F(SettingsTest, ADeniedRegistryLosesWritesAndReadsEmptyQuietly) {
    desktop.setRegistryValue(kSettingsKey, "secondColor", reg::Sz, "000066");
    desktop.denyRegistry(true);
    EXPECT_EQ(read("secondColor"), "");
    writeSetting(registry, kSettingsKey, "tBox", "lost");
    desktop.denyRegistry(false);
    EXPECT_FALSE(desktop.registryValue(kSettingsKey, "tBox").has_value());
    EXPECT_EQ(read("secondColor"), "000066");
}

}  // namespace
}  // namespace lantern
