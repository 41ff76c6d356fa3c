// The registry seam against the real registry, under a key of the test's own.

#include <gtest/gtest.h>

#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = "Software\\lantern-idle-tests\\" + std::to_string(GetCurrentProcessId()) + "\\Settings";
        ASSERT_EQ(registry().createKey(path_, key_), reg::Success);
    }
    void TearDown() override {
        registry().closeKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\lantern-idle-tests");
    }
    Registry& registry() { return platform_->platform().registry; }

    // Type and bytes of a value, asked as the settings code asks: size, then data.
    std::pair<unsigned long, std::string> read(const std::string& name) {
        unsigned long type = 0xFFFF;
        unsigned long size = 0;
        EXPECT_EQ(registry().queryValue(key_, name, &type, nullptr, &size), reg::Success);
        std::string data(size, '\x7F');  // poisoned: every byte must come from the registry
        EXPECT_EQ(registry().queryValue(key_, name, &type, data.data(), &size), reg::Success);
        data.resize(size);
        return {type, data};
    }

    std::unique_ptr<Win32Platform> platform_ = makeTestPlatform();
    std::string path_;
    RegistryKey key_ = 0;
};

TEST_F(Win32RegistryTest, StringsRoundTripWithAndWithoutTheirTerminator) {
    const std::string text = "000066";
    ASSERT_EQ(registry().setValue(key_, "withNul", reg::Sz, text.c_str(), 7), reg::Success);
    ASSERT_EQ(registry().setValue(key_, "withoutNul", reg::Sz, text.data(), 6), reg::Success);
    const std::string accented = "<font face=Webdings>\xE8\xE9</font>";
    ASSERT_EQ(registry().setValue(key_, "accented", reg::Sz, accented.c_str(),
                                  static_cast<unsigned long>(accented.size() + 1)),
              reg::Success);

    auto [withType, with] = read("withNul");
    EXPECT_EQ(withType, reg::Sz);
    EXPECT_EQ(with, std::string("000066\0", 7));

    // Written without its NUL, a string may come back with one (the registry adds it
    // when the byte after the data happens to be NUL): the text is the same either way.
    auto [withoutType, without] = read("withoutNul");
    EXPECT_EQ(withoutType, reg::Sz);
    EXPECT_TRUE(without == "000066" || without == std::string("000066\0", 7)) << without;

    EXPECT_EQ(read("accented").second, accented + '\0');
}

TEST_F(Win32RegistryTest, DwordReportsItsTypeAndSize) {
    const DWORD number = 0x01020304;
    ASSERT_EQ(registry().setValue(key_, "count", reg::Dword, reinterpret_cast<const char*>(&number), 4),
              reg::Success);
    auto [type, data] = read("count");
    EXPECT_EQ(type, reg::Dword);
    EXPECT_EQ(data, std::string("\x04\x03\x02\x01", 4));
}

TEST_F(Win32RegistryTest, SmallBufferAnswersMoreDataWithTheSize) {
    ASSERT_EQ(registry().setValue(key_, "tBox", reg::Sz, "sleepin...", 11), reg::Success);
    char small[4] = {};
    unsigned long size = sizeof small;
    unsigned long type = 0;
    EXPECT_EQ(registry().queryValue(key_, "tBox", &type, small, &size), reg::MoreData);
    EXPECT_EQ(size, 11u);
}

TEST_F(Win32RegistryTest, MissingKeysAndValuesAreReportedAsSuch) {
    RegistryKey missing = 123;
    EXPECT_EQ(registry().openKey(path_ + "\\nothing here", missing), reg::FileNotFound);
    EXPECT_EQ(missing, 0u);
    unsigned long size = 0;
    EXPECT_EQ(registry().queryValue(key_, "absent", nullptr, nullptr, &size), reg::FileNotFound);

    // What was created can be opened again, and holds what was written through it.
    ASSERT_EQ(registry().setValue(key_, "asciiF", reg::Sz, "Arial", 6), reg::Success);
    RegistryKey again = 0;
    ASSERT_EQ(registry().openKey(path_, again), reg::Success);
    char face[16] = {};
    unsigned long faceSize = sizeof face;
    EXPECT_EQ(registry().queryValue(again, "asciiF", nullptr, face, &faceSize), reg::Success);
    EXPECT_STREQ(face, "Arial");
    EXPECT_EQ(registry().closeKey(again), reg::Success);
}

}  // namespace
}  // namespace lantern::win32::testing
