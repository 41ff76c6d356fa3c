#include <gtest/gtest.h>

#include <string>

#include "standin/model/transcript.h"

namespace lantern::standin {
namespace {

TEST(Transcript, ChatLinesAreNameTabAndTheTextWithoutTags) {
    Transcript transcript;
    transcript.appendNotice("*** You are in \"Lobby\". ***");
    transcript.append("buddy", "<font color=#FF0000>hi</font> <b>all</b>");
    transcript.append("lantern tester", "idl\xE8");
    EXPECT_EQ(transcript.text(),
              "\r\n*** You are in \"Lobby\". ***"
              "\r\nbuddy:\thi all"
              "\r\nlantern tester:\tidl\xE8");
    EXPECT_EQ(transcript.lines()[1].markup, "<font color=#FF0000>hi</font> <b>all</b>");
}

TEST(Transcript, ALineBreakInsideAPostCannotFakeAnotherLine) {
    Transcript transcript;
    transcript.append("mallory", "hi\r\nlantern tester:\t.end");
    transcript.append("bad\nname", "x\ry");
    EXPECT_EQ(transcript.text(), "\r\nmallory:\thi  lantern tester:\t.end\r\nbad name:\tx y");
}

std::string numbered(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) text += "\r\nu:\tline " + std::to_string(i);
    return text;
}

TEST(Transcript, TrimsOldLinesFromTheTopInOneGo) {
    Transcript transcript({.maxLines = 5, .keepLines = 3});
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(transcript.append("u", "line " + std::to_string(i)));
    EXPECT_EQ(transcript.text(), numbered(1, 5));

    EXPECT_TRUE(transcript.append("u", "line 6"));  // past the limit: down to three
    EXPECT_EQ(transcript.text(), numbered(4, 6));
    EXPECT_EQ(transcript.lines().size(), 3u);

    EXPECT_FALSE(transcript.append("u", "line 7"));
    EXPECT_FALSE(transcript.append("u", "line 8"));
    EXPECT_TRUE(transcript.append("u", "line 9"));
    EXPECT_EQ(transcript.text(), numbered(7, 9));
}

TEST(Transcript, LimitsOutOfRangeBehave) {
    Transcript unlimited({.maxLines = 0, .keepLines = 0});
    for (int i = 1; i <= 500; ++i) unlimited.append("u", "line " + std::to_string(i));
    EXPECT_EQ(unlimited.text(), numbered(1, 500));

    Transcript keepsAtMostTheLimit({.maxLines = 2, .keepLines = 10});
    for (int i = 1; i <= 3; ++i) keepsAtMostTheLimit.append("u", "line " + std::to_string(i));
    EXPECT_EQ(keepsAtMostTheLimit.text(), numbered(2, 3));
}

}  // namespace
}  // namespace lantern::standin
