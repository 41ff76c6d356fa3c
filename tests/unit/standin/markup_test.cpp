#include <gtest/gtest.h>

#include "standin/model/markup.h"

namespace lantern::standin {
namespace {

struct StripCase {
    const char* markup;
    const char* plain;
};

const StripCase kStripCases[] = {
    {"plain words", "plain words"},
    {"<b>bold</b> and <font color=#FF0000>red</font>", "bold and red"},
    {"lant\xE8rn <font face=Tahoma>idl\xE8</font>", "lant\xE8rn idl\xE8"},  // CP1252 bytes kept
    {"a <> b", "a  b"},                  // an empty tag goes
    {"2 < 3", "2 < 3"},                  // "<" with no ">" after it is text
    {"x <b>y <i", "x y <i"},             // an unclosed tag at the end is text
    {"3 > 2", "3 > 2"},                  // a lone ">" is text
    {"<<b>>x", ">x"},                    // the first "<" opens, the first ">" closes
    {"<font color=#00ff00>", ""},        // tags only
    {"name:\tnot a tag", "name:\tnot a tag"},
    {"", ""},
};

TEST(StripTags, RemovesTagsAndKeepsEveryOtherByte) {
    for (const StripCase& c : kStripCases) {
        EXPECT_EQ(stripTags(c.markup), c.plain) << "markup: " << c.markup;
    }
}

TEST(StyledRuns, JoinedTextEqualsTheStrippedText) {
    for (const StripCase& c : kStripCases) {
        std::string joined;
        for (const StyledRun& run : styledRuns(c.markup)) joined += run.text;
        EXPECT_EQ(joined, c.plain) << "markup: " << c.markup;
    }
}

TextStyle colored(std::uint32_t rgb, std::string face = "", bool bold = false) {
    TextStyle style;
    style.color = rgb;
    style.face = std::move(face);
    style.bold = bold;
    return style;
}

TEST(StyledRuns, FontsNestAndCloseInOrder) {
    auto runs = styledRuns("<font color=#FF0000 face=Tahoma>r<font color=#0000FF>b</font>r2</font>n");
    std::vector<StyledRun> expected = {
        {"r", colored(0xFF0000, "Tahoma")},
        {"b", colored(0x0000FF, "Tahoma")},  // the inner font keeps the outer face
        {"r2", colored(0xFF0000, "Tahoma")},
        {"n", TextStyle{}},
    };
    EXPECT_EQ(runs, expected);
}

TEST(StyledRuns, BoldCountsItsDepthAndIgnoresStrayClosings) {
    auto runs = styledRuns("</b>a<b><b>b</b>c</b>d</font>e");
    TextStyle bold;
    bold.bold = true;
    std::vector<StyledRun> expected = {{"a", {}}, {"bc", bold}, {"de", {}}};
    EXPECT_EQ(runs, expected);
}

TEST(StyledRuns, ReadsTheAttributeFormsTheChatUses) {
    struct Case {
        const char* markup;
        std::optional<std::uint32_t> color;
        const char* face;
    };
    const Case cases[] = {
        {"<font color=#1a2B3c>x", 0x1A2B3C, ""},
        {"<FONT COLOR=\"#000080\">x", 0x000080, ""},
        {"<font color=00FF00>x", 0x00FF00, ""},
        {"<font color=#12345>x", std::nullopt, ""},      // five digits: no colour
        {"<font color=#GG0000>x", std::nullopt, ""},     // not hexadecimal
        {"<font face=\"Comic Sans MS\">x", std::nullopt, "Comic Sans MS"},
        {"<font face='Arial Black' color=#FFFFFF>x", 0xFFFFFF, "Arial Black"},
    };
    for (const Case& c : cases) {
        auto runs = styledRuns(c.markup);
        ASSERT_EQ(runs.size(), 1u) << c.markup;
        EXPECT_EQ(runs[0].style.color, c.color) << c.markup;
        EXPECT_EQ(runs[0].style.face, c.face) << c.markup;
    }
}

}  // namespace
}  // namespace lantern::standin
