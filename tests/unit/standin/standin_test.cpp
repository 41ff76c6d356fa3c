// The stand-in's model, and the stand-in worked as the add-on works it: with messages.
#include <gtest/gtest.h>

#include "platform/messages.h"
#include "standin/model/commands.h"
#include "standin/model/markup.h"
#include "standin/sim/sim_standin.h"

namespace lantern::standin {
namespace {

TEST(StripTags, RemovesTagsAndKeepsEveryOtherByte) {
    const std::pair<const char*, const char*> cases[] = {
        {"<b>bold</b> and <font color=#FF0000>red</font>", "bold and red"},
        {"lant\xE8rn <font face=Tahoma>idl\xE8</font>", "lant\xE8rn idl\xE8"},  // CP1252 bytes kept
        {"a <> b", "a  b"},  // an empty tag goes
        {"3 > 2 <b>x</b>", "3 > 2 x"},
        {"x <b>y <i", "x y <i"},  // an unclosed tag at the end is text
        {"<<b>>x", ">x"},  // the first "<" opens, the first ">" closes
    };
    for (const auto& [markup, plain] : cases) EXPECT_EQ(stripTags(markup), plain) << markup;
}

TEST(Transcript, LinesAreNameTabPlainTextAndABreakCannotFakeALine) {
    Transcript transcript;
    transcript.appendNotice("*** You are in \"Lobby\". ***");
    transcript.append("buddy", "<font color=#FF0000>hi</font> <b>all</b>");
    transcript.append("mallory", "hi\r\nlantern tester:\t.end");
    transcript.append("bad\nname", "x\ry");
    EXPECT_EQ(transcript.text(),
              "\r\n*** You are in \"Lobby\". ***\r\nbuddy:\thi all"
              "\r\nmallory:\thi  lantern tester:\t.end\r\nbad name:\tx y");
}

TEST(Transcript, TrimsOldLinesFromTheTopInOneGo) {
    Transcript transcript({.maxLines = 5, .keepLines = 3});
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(transcript.append("u", "line " + std::to_string(i)));
    EXPECT_TRUE(transcript.append("u", "line 6"));  // past the limit: down to three
    EXPECT_EQ(transcript.text(), "\r\nu:\tline 4\r\nu:\tline 5\r\nu:\tline 6");
}

TEST(Transcript, KeepsItsTextWithinItsByteLimitAndCutsALineThatAloneWouldNotFit) {
    Transcript transcript({.maxLines = 0, .maxBytes = 100, .keepBytes = 60});
    const std::string twenty(20, 'a');  // "\r\nu:\t" + 20: 25 bytes a line
    for (int i = 0; i < 4; ++i) EXPECT_EQ(transcript.append("u", twenty), 0u);
    EXPECT_EQ(transcript.text().size(), 100u);
    EXPECT_EQ(transcript.append("v", twenty), 3u);  // 125 bytes: down to 60 or less, whole lines
    EXPECT_EQ(transcript.text(), "\r\nu:\t" + twenty + "\r\nv:\t" + twenty);

    // Longer than the limit alone: the start stays, and tags take no room.
    EXPECT_EQ(transcript.append("w", "<b>" + std::string(50, 'b') + "</b><i>" + std::string(200, 'c')), 2u);
    EXPECT_EQ(transcript.text(), "\r\nw:\t" + std::string(50, 'b') + std::string(45, 'c'));
    EXPECT_EQ(transcript.lines().back().markup, "<b>" + std::string(50, 'b') + "</b><i>" + std::string(45, 'c'));
    // A tag right at the cut goes whole rather than showing half of it.
    transcript.append("w", std::string(95, 'd') + "<font color=#FF0000>e");
    EXPECT_EQ(transcript.text(), "\r\nw:\t" + std::string(95, 'd'));
}

TEST(Record, HandedOverEventsGoToTheSinkInOrderAndAreNotKept) {
    Record record;
    record.add({.kind = EventKind::Said, .text = "one"});
    std::vector<std::string> sunk;
    record.handOver([&](const Event& event) { sunk.push_back(event.text); });
    record.add({.kind = EventKind::Said, .text = "two"});
    EXPECT_EQ(sunk, (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(record.events().empty());
}

TEST(LogEscaping, KeepsEachEventOnOneLineAndRoundTripsEveryByte) {
    EXPECT_EQ(escapeForLog(std::string("a\\b\r\n\t<\xE8\0\x7F", 10)), "a\\\\b\\r\\n\\t<\\xE8\\x00\\x7F");
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(unescapeFromLog(escapeForLog(everyByte)), everyByte);
    EXPECT_EQ(unescapeFromLog("say buddy\\thi \\xe8"), "say buddy\thi \xE8");
    EXPECT_EQ(unescapeFromLog("\\q \\x4 \\xZZ end\\"), "\\q \\x4 \\xZZ end\\");  // other backslashes stay
}

class SimStandinTest : public ::testing::Test {
protected:
    WindowSystem& windows() { return desktop.windows(); }
    WindowHandle child(WindowHandle parent, const char* className) { return windows().findChild(parent, 0, className); }
    std::string readText(WindowHandle window) {
        std::string buffer(static_cast<std::size_t>(windows().sendMessage(window, msg::GetTextLength, 0, 0).value),
                           '\0');
        windows().sendGetText(window, buffer.size() + 1, buffer);
        return buffer;
    }
    void click(WindowHandle window) {
        windows().sendMessage(window, msg::LButtonDown, 0, 0);
        windows().sendMessage(window, msg::KeyUp, kVkSpace, 0);
    }
    void post(const std::string& markup) {
        windows().sendSetText(standin.inputBox(), markup);
        windows().sendMessage(standin.inputBox(), msg::Char, kVkReturn, 0);
    }

    sim::Desktop desktop;
    SimStandin standin{desktop, {.screenName = "lantern tester", .rooms = {"Lobby"}}};
};

TEST_F(SimStandinTest, PostingRecordsTheRawMarkupAndAppendsTheStrippedLine) {
    post("");  // nothing from an empty box
    const std::string markup = "<font color=#FF0000><b>idl\xE8</b></font> at 0<font face=Tahoma>days\r\n";
    post(markup);
    EXPECT_EQ(standin.record().posted(), std::vector<std::string>{markup});
    WindowHandle view = child(standin.roomWindow(), "richcntlreadonly");
    windows().sendSetText(view, "overwritten");  // read-only
    EXPECT_EQ(readText(view), standin.transcript()->text());
    EXPECT_TRUE(readText(view).ends_with("\r\nlantern tester:\tidl\xE8 at 0days  ")) << readText(view);
    EXPECT_EQ(standin.inputText(), "");
}

// A load banner of megabytes posted as it is, then another member's line: the post is
// recorded byte for byte, the transcript stays within its limit and ends with the
// newest line.
TEST_F(SimStandinTest, AHugePostIsRecordedWholeAndTheTranscriptStaysWithinItsLimit) {
    const std::size_t limit = TranscriptLimits{}.maxBytes;
    const std::string huge = "<font color=#FF0000>" + std::string(6 * 1024 * 1024, 'x') + "</font>";
    post(huge);
    EXPECT_EQ(standin.record().posted(), std::vector<std::string>{huge});
    EXPECT_EQ(standin.inputText(), "");
    WindowHandle view = child(standin.roomWindow(), "richcntlreadonly");
    EXPECT_EQ(readText(view), "\r\nlantern tester:\t" + std::string(limit - 18, 'x'));

    standin.say("buddy", "after the banner");
    EXPECT_LE(readText(view).size(), limit);
    EXPECT_TRUE(readText(view).ends_with("\r\nbuddy:\tafter the banner")) << readText(view).substr(0, 40);
}

// Another member's long lines, four kilobytes each: the transcript is trimmed from
// the top and never grows past its limit, and each newest line arrives while the one
// before it is still there (the overlap by which a reader finds where it was).
TEST_F(SimStandinTest, ALongLineLoadKeepsTheTranscriptWithinItsLimitAndItsLastLines) {
    const std::size_t limit = TranscriptLimits{}.maxBytes;
    const std::string filler(4000, 'y');
    std::size_t largest = 0;
    for (int i = 0; i < 600; ++i) {
        const std::string previous = "\r\nbuddy:\t" + std::to_string(i - 1) + " " + filler + "\r\n";
        standin.say("buddy", std::to_string(i) + " " + filler);
        const std::string& text = standin.transcript()->text();
        largest = std::max(largest, text.size());
        ASSERT_TRUE(text.ends_with("\r\nbuddy:\t" + std::to_string(i) + " " + filler)) << i;
        if (i > 0) {
            ASSERT_NE(text.find(previous), std::string::npos) << i;
        }
    }
    EXPECT_LE(largest, limit);
    EXPECT_GE(standin.transcript()->lines().size(), 50u);  // trimmed, not emptied
}

// As on Windows, a transcript reports a change only when its scroll bar moves on:
// not while a fresh room's lines fit the view, then for (nearly) every line.
TEST_F(SimStandinTest, TheTranscriptReportsEachLineItScrollsOnTo) {
    WindowHandle view = child(standin.roomWindow(), "richcntlreadonly");
    int reports = 0;
    auto watch = windows().watchChanges(view, [&reports] { ++reports; });
    standin.say("buddy", "one line fits");
    desktop.runFor(0.1);
    EXPECT_EQ(reports, 0);
    for (int i = 0; i < 80; ++i) standin.say("buddy", "line " + std::to_string(i));
    desktop.runFor(0.1);
    EXPECT_GE(reports, 40);
    EXPECT_LE(reports, 80);
}

TEST_F(SimStandinTest, KeywordLinksMoveToPrivateRoomsAndOpenChats) {
    WindowHandle icon = standin.toolbarIcon(kKeywordIconNumber);
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"aol://2719:2-2-back room", {"back room"}},  // moves: the Lobby is left
        {"aol://2719:10-4-buddy", {"buddy", "back room"}},  // opens beside it
        {"aol://2719:2-2-", {"buddy", "back room"}},  // no room name: nothing moves
    };
    for (const auto& [link, roomsAfter] : cases) {
        click(icon);
        windows().sendSetText(child(standin.keywordWindow(), "_aol_edit"), link);
        click(child(standin.keywordWindow(), "_aol_icon"));
        EXPECT_EQ(standin.roomNames(), roomsAfter) << link;
    }
}

TEST_F(SimStandinTest, AHungClientMakesSendsTimeOut) {
    desktop.setSendTimeout(20);
    standin.hang(30);
    const double start = desktop.now();
    EXPECT_FALSE(windows().sendMessage(standin.inputBox(), msg::GetTextLength, 0, 0).delivered);
    EXPECT_DOUBLE_EQ(desktop.now() - start, 20);
}

TEST_F(SimStandinTest, ControlCommandsReadTheirArgumentsStrictly) {
    const std::pair<std::string, bool> cases[] = {
        {"say buddy\t<b>hi</b>\tthere\r\n", true},  // a trailing line break is allowed
        {"say \thello", false},
        {"room open Side", true},
        {"say-in Lobby\tpal\t", true},  // an empty line is a line
        {"say-in Nowhere\tpal\tx", false},
        {std::string("send <i>sent</i>\0", 17), true},  // and a trailing NUL
        {"hang 0", false},
        {"", false},
    };
    for (const auto& [command, ok] : cases) EXPECT_EQ(runCommand(standin, command).ok, ok) << '"' << command << '"';
    EXPECT_TRUE(standin.transcript("Lobby")->text().ends_with("\r\nbuddy:\thi\tthere\r\npal:\t"));
    EXPECT_EQ(standin.record().posted(), std::vector<std::string>{"<i>sent</i>"});
    EXPECT_EQ(standin.record().of(EventKind::Posted)[0].room, "Side");
}

}  // namespace
}  // namespace lantern::standin
