// The stand-in's model, and the stand-in on the simulated desktop worked as the
// add-on works it: through the window seam, with messages.
#include <gtest/gtest.h>

#include <algorithm>

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
        {"a <> b", "a  b"},        // an empty tag goes
        {"2 < 3", "2 < 3"},        // "<" with no ">" after it is text
        {"x <b>y <i", "x y <i"},   // an unclosed tag at the end is text
        {"3 > 2", "3 > 2"},
        {"<<b>>x", ">x"},          // the first "<" opens, the first ">" closes
        {"<font color=#00ff00>", ""},
        {"name:\tnot a tag", "name:\tnot a tag"},
    };
    for (const auto& [markup, plain] : cases) EXPECT_EQ(stripTags(markup), plain) << markup;
}

TEST(Transcript, LinesAreNameTabPlainTextAndABreakCannotFakeALine) {
    Transcript transcript;
    transcript.appendNotice("*** You are in \"Lobby\". ***");
    transcript.append("buddy", "<font color=#FF0000>hi</font> <b>all</b>");
    transcript.append("mallory", "hi\r\nlantern tester:\t.end");
    transcript.append("bad\nname", "x\ry");
    EXPECT_EQ(transcript.text(), "\r\n*** You are in \"Lobby\". ***\r\nbuddy:\thi all"
                                 "\r\nmallory:\thi  lantern tester:\t.end\r\nbad name:\tx y");
}

TEST(Transcript, TrimsOldLinesFromTheTopInOneGo) {
    Transcript transcript({.maxLines = 5, .keepLines = 3});
    auto numbered = [](int first, int last) {
        std::string text;
        for (int i = first; i <= last; ++i) text += "\r\nu:\tline " + std::to_string(i);
        return text;
    };
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(transcript.append("u", "line " + std::to_string(i)));
    EXPECT_TRUE(transcript.append("u", "line 6"));  // past the limit: down to three
    EXPECT_EQ(transcript.text(), numbered(4, 6));
    EXPECT_FALSE(transcript.append("u", "line 7"));
    EXPECT_FALSE(transcript.append("u", "line 8"));
    EXPECT_TRUE(transcript.append("u", "line 9"));
    EXPECT_EQ(transcript.text(), numbered(7, 9));
}

TEST(LogEscaping, KeepsEachEventOnOneLineAndRoundTripsEveryByte) {
    EXPECT_EQ(escapeForLog(std::string("a\\b\r\n\t<\xE8\0\x7F", 10)), "a\\\\b\\r\\n\\t<\\xE8\\x00\\x7F");
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(unescapeFromLog(escapeForLog(everyByte)), everyByte);
    EXPECT_EQ(unescapeFromLog("say buddy\\thi \\xe8"), "say buddy\thi \xE8");
    EXPECT_EQ(unescapeFromLog("\\q \\x4 \\xZZ end\\"), "\\q \\x4 \\xZZ end\\");  // other backslashes stay
    // The end-to-end tests read the fields by position.
    Event posted{.time = 12.3456, .kind = EventKind::Posted, .room = "Lobby", .name = "me", .text = "<b>hi</b>\t"};
    EXPECT_EQ(logLine(posted), "12346\tposted\tLobby\tme\t<b>hi</b>\\t");
    Event input{.time = 1, .kind = EventKind::InputMessage, .room = "Lobby", .name = "WM_CHAR", .number = 13};
    EXPECT_EQ(logLine(input), "1000\tinput\tLobby\tWM_CHAR\t13\t");
}

class SimStandinTest : public ::testing::Test {
protected:
    WindowSystem& windows() { return desktop.windows(); }
    WindowHandle child(WindowHandle parent, const char* className) { return windows().findChild(parent, 0, className); }
    bool hasChildren(WindowHandle window, std::initializer_list<const char*> classes) {
        return std::ranges::all_of(classes, [&](const char* className) { return child(window, className) != 0; });
    }
    std::string readText(WindowHandle window) {
        std::string buffer(static_cast<std::size_t>(windows().sendMessage(window, msg::GetTextLength, 0, 0).value), '\0');
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
    WindowHandle room = windows().getWindow(child(child(standin.frame(), "mdiclient"), "aol child"), gw::First);
    ASSERT_EQ(room, standin.roomWindow());  // the room the add-on finds first
    EXPECT_TRUE(hasChildren(room, {"_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl"}));
    post("");  // nothing from an empty box
    const std::string markup = "<font color=#FF0000><b>idl\xE8</b></font> at 0<font face=Tahoma>days\r\n";
    post(markup);
    EXPECT_EQ(standin.record().posted(), std::vector<std::string>{markup});
    WindowHandle view = child(room, "richcntlreadonly");
    windows().sendSetText(view, "overwritten");  // read-only
    EXPECT_EQ(readText(view), standin.transcript()->text());
    EXPECT_TRUE(readText(view).ends_with("\r\nlantern tester:\tidl\xE8 at 0days  ")) << readText(view);
    EXPECT_EQ(standin.inputText(), "");
}

TEST_F(SimStandinTest, KeywordLinksMoveToPrivateRoomsAndOpenChats) {
    WindowHandle icon = standin.toolbarIcon(kKeywordIconNumber);
    windows().sendMessage(icon, msg::KeyUp, kVkSpace, 0);  // a key-up alone is no click
    EXPECT_EQ(standin.keywordWindow(), 0u);
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"aol://2719:2-2-back room", {"back room"}},        // moves: the Lobby is left
        {"aol://2719:10-4-buddy", {"buddy", "back room"}},  // opens beside it
        {"aol://2719:2-2-", {"buddy", "back room"}},        // no room name: nothing moves
        {"keyword: news", {"buddy", "back room"}},
    };
    std::vector<std::string> links;
    for (const auto& [link, roomsAfter] : cases) {
        click(icon);
        windows().sendSetText(child(standin.keywordWindow(), "_aol_edit"), link);
        click(child(standin.keywordWindow(), "_aol_icon"));
        links.push_back(link);
        EXPECT_EQ(standin.roomNames(), roomsAfter) << link;
    }
    EXPECT_EQ(standin.record().links(), links);
}

TEST_F(SimStandinTest, TransferWindowsShowTheirClassesAndProgress) {
    standin.startTransfer(TransferKind::Download);
    EXPECT_TRUE(hasChildren(standin.transferWindow(TransferKind::Download),
                            {"_aol_static", "_aol_gauge", "_aol_checkbox", "_aol_icon", "_aol_image"}));
    standin.startTransfer(TransferKind::Upload, "song.mp3", 4'194'304);
    EXPECT_TRUE(hasChildren(standin.transferWindow(TransferKind::Upload),
                            {"_aol_static", "_aol_gauge", "_aol_checkbox", "_aol_button"}));
    struct Case { TransferKind kind; int asked; const char *caption, *label, *gauge; } cases[] = {
        {TransferKind::Download, 42, "File Transfer - 42% of photo.jpg", "Time Remaining: about 5 minutes", "42"},
        {TransferKind::Download, 150, "File Transfer - 100% of photo.jpg", "Time Remaining: done", "100"},
        {TransferKind::Upload, -5, "File Uploading: 0% of song.mp3", "Now Uploading: 4.0 MB, about 14 minutes left", "0"},
    };
    for (const Case& c : cases) {
        standin.setTransferProgress(c.kind, c.asked);
        WindowHandle window = standin.transferWindow(c.kind);
        EXPECT_EQ(readText(window), c.caption);
        EXPECT_EQ(readText(child(window, "_aol_static")), c.label);
        EXPECT_EQ(readText(child(window, "_aol_gauge")), c.gauge);
    }
}

TEST_F(SimStandinTest, SigningOffRemovesTheWelcomeWindowAndKeepsTheRoom) {
    WindowHandle welcome = standin.welcomeWindow();
    EXPECT_EQ(readText(welcome), "Welcome, lantern tester!");
    standin.signOff();
    EXPECT_FALSE(desktop.exists(welcome));
    post("hello?");
    EXPECT_TRUE(standin.record().posted().empty());
    EXPECT_NE(standin.roomWindow("Lobby"), 0u);  // others can still be heard
    standin.signOn("Other Name");
    EXPECT_EQ(readText(standin.welcomeWindow()), "Welcome, Other Name!");
}

TEST_F(SimStandinTest, AHungClientMakesSendsWaitAndTimeOut) {
    desktop.setSendTimeout(20);
    standin.hang(30);
    double start = desktop.now();
    EXPECT_FALSE(windows().sendMessage(standin.inputBox(), msg::GetTextLength, 0, 0).delivered);
    EXPECT_DOUBLE_EQ(desktop.now() - start, 20);
    standin.hang(5);  // a short stall only delays
    start = desktop.now();
    EXPECT_TRUE(windows().sendSetText(standin.frame(), "late").delivered);
    EXPECT_DOUBLE_EQ(desktop.now() - start, 5);
    EXPECT_EQ(standin.record().captions(), std::vector<std::string>{"late"});
}

TEST_F(SimStandinTest, ControlCommandsReadTheirArgumentsStrictly) {
    const std::pair<std::string, bool> cases[] = {
        {"say buddy\t<b>hi</b>\tthere\r\n", true},  // a trailing line break is allowed
        {"say \thello", false},
        {"room open Side", true},
        {"say-in Lobby\tpal\t", true},  // an empty line is a line
        {"say-in Nowhere\tpal\tx", false},
        {std::string("send <i>sent</i>\0", 17), true},  // and a trailing NUL
        {"download progress 5", false},                 // none running
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
