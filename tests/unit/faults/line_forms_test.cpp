// Telling the add-on's lines from anything else a room may show: each form with
// its values, and near misses that differ by a colour, a tag or a value out of range.

#include <gtest/gtest.h>

#include "line_forms.h"

namespace lantern::faults {
namespace {

const expected::Style kStyle{expected::defaultPrefix("000000"), "ff3300", "000066"};
const expected::Style kOtherColours{expected::defaultPrefix("000000"), "ff3300", "0000ff"};

TEST(LineForms, EachLineIsKnownWithItsValue) {
    struct Case {
        std::string line;
        LineForm form;
        std::string value;
        long minutes;
    };
    const Case cases[] = {
        {expected::loadBanner(kStyle), LineForm::LoadBanner, "", 0},
        {expected::unloadBanner(kStyle), LineForm::UnloadBanner, "", 0},
        {expected::commandUnloadBanner(kStyle), LineForm::CommandUnloadBanner, "", 0},
        {expected::commandIdleBanner(kStyle, true), LineForm::IdleOnBanner, "", 0},
        {expected::commandIdleBanner(kStyle, false), LineForm::IdleOffBanner, "", 0},
        {expected::commandsLine(kStyle), LineForm::CommandsLine, "", 0},
        {expected::privateRoomLine(kStyle, "night owls "), LineForm::PrivateRoomLine, "night owls ", 0},
        {expected::privateRoomLine(kStyle, ""), LineForm::PrivateRoomLine, "", 0},
        {expected::chatRoomLine(kStyle, "lanternchat"), LineForm::ChatRoomLine, "lanternchat", 0},
        {expected::idleLine(kStyle, 0, 0, 1, "uppin."), LineForm::IdleLine, "uppin.", 1},
        {expected::idleLine(kStyle, 2, 23, 59, "out"), LineForm::IdleLine, "out", 2 * 1440 + 23 * 60 + 59},
        {expected::transferLine(kStyle, true, "about 2 minutes", "23% of a.doc", "uppin."), LineForm::UploadLine,
         "uppin.", 0},
        {expected::transferLine(kStyle, false, "", "", "uppin."), LineForm::DownloadLine, "uppin.", 0},
    };
    for (const Case& c : cases) {
        const PostedForm posted = classify(c.line, kStyle);
        EXPECT_EQ(posted.form, c.form) << c.line;
        EXPECT_EQ(posted.value, c.value) << c.line;
        EXPECT_EQ(posted.idleMinutes, c.minutes) << c.line;
    }
}

TEST(LineForms, NearMissesAreNoneOfTheAddOnsLines) {
    const std::string nearMisses[] = {
        expected::loadBanner(kOtherColours),
        expected::loadBanner(kStyle) + " ",
        expected::commandsLine(kStyle).substr(1),
        expected::idleLine(kStyle, 0, 0, 60, "uppin."),
        expected::idleLine(kStyle, 0, 24, 0, "uppin."),
        expected::idleLine(kOtherColours, 0, 0, 1, "uppin."),
        expected::chatRoomLine(kOtherColours, "x"),
        ".idleon",
        "half a thou",
        "",
    };
    for (const std::string& line : nearMisses) EXPECT_EQ(classify(line, kStyle).form, LineForm::Unknown) << line;
}

TEST(LineTemplate, HolesTakeWhatLiesBetweenThePieces) {
    const LineTemplate shape("<a>#1</a><b>#2", {"#1", "#2"});
    EXPECT_EQ(shape.match("<a>x y</a><b>"), (std::vector<std::string>{"x y", ""}));
    EXPECT_EQ(shape.match("<a></a><b>z</a>"), (std::vector<std::string>{"", "z</a>"}));
    EXPECT_FALSE(shape.match("<a>x<b>y"));
    EXPECT_FALSE(shape.match(" <a>x</a><b>y"));
}

}  // namespace
}  // namespace lantern::faults
