// The CP1252 text helpers that the cuts, the command matching and the terminal use.

#include <gtest/gtest.h>

#include "common/text.h"

namespace lantern::text {
namespace {

TEST(Text, CaseCutsAndRemovalCountCp1252Characters) {
    EXPECT_EQ(toLower("LANT\xC8RN \xC9T\xC9 \xDE\xD7\x8A\x9F 2!\t:"), "lant\xE8rn \xE9t\xE9 \xFE\xD7\x9A\xFF 2!\t:");
    EXPECT_EQ(toLower(std::string("A\0B", 3)), std::string("a\0b", 3));
    EXPECT_EQ(from("File Transfer - photo.jpg", 17), "photo.jpg");
    EXPECT_EQ(from("File Transfer - ", 17), "");  // exactly 16 characters
    EXPECT_EQ(from("File Transfer - \xE9", 17), "\xE9");  // an accent is one character
    EXPECT_EQ(from("", 1), "");
    EXPECT_EQ(removeAll("!!a!b!!", "!"), "ab");
    EXPECT_EQ(removeAll("aaa", "aa"), "a");
    EXPECT_FALSE(contains("file transfer - x", "File"));
    EXPECT_TRUE(equalsIgnoringCase("_AOL_Icon", "_aol_icon"));
    EXPECT_FALSE(equalsIgnoringCase("RICHCNTL", "RICHCNTLREADONLY"));
}

TEST(Text, PatternsTreatOnlyTheStarAsSpecial) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {".pr room", ".pr *", true},
        {".pr ", ".pr *", true},
        {".pr", ".pr *", false},
        {".prx", ".pr *", false},
        {"x.pr a", ".pr *", false},
        {".aim a b ", ".aim *", true},
        {".", ".*", true},
        {"..idleon", ".*", true},
        {" .idleon", ".*", false},
        {"abc", "a*c", true},
        {"abcbc", "a*bc", true},
        {"ab", "a*bc", false},
        {"", "*", true},
        {"", ".*", false},
        {"a?c", "a?c", true},
    };
    for (const auto& [s, pattern, match] : cases) {
        EXPECT_EQ(matchesPattern(s, pattern), match) << '"' << s << "\" ~ \"" << pattern << '"';
    }
}

TEST(Text, StrippingMarkupLeavesWhatTheRoomShows) {
    EXPECT_EQ(stripMarkup("<font color=#ff3300><b>i</b>dl\xE8 [<b>on</b>]"), "idl\xE8 [on]");
    EXPECT_EQ(stripMarkup("a < b"), "a < b");  // no closing '>': plain text
    EXPECT_EQ(stripMarkup("<><>"), "");
}

TEST(Text, Cp1252RoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("lant\xE8rn \x80"), "lant\xC3\xA8rn \xE2\x82\xAC");
    EXPECT_EQ(utf8ToCp1252("\xE2\x98\x83 \xC3"), "? ?");  // no CP1252 form; cut short
    // Overlong forms are not characters; C1 controls that CP1252 fills are not its letters.
    EXPECT_EQ(utf8ToCp1252("\xC1\xBC \xC0\x80 \xE0\x81\xBC \xF0\x80\x81\xBC"), "?? ?? ??? ????");
    EXPECT_EQ(utf8ToCp1252("\xC2\x97\xC2\x80\xC2\x81"), "??\x81");
}

}  // namespace
}  // namespace lantern::text
