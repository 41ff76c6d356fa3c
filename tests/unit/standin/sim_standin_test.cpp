#include <gtest/gtest.h>

#include "common/text.h"
#include "standin/model/commands.h"
#include "unit/standin/standin_fixture.h"

namespace lantern::standin {
namespace {

TEST_F(SimStandinTest, OffersTheWindowTreeThatTheAddOnWalks) {
    WindowHandle frame = windows().findWindow("aol frame25");
    ASSERT_NE(frame, 0u);
    ASSERT_NE(child(frame, "mdiclient"), 0u);

    // The room opened last is the first client window, and carries the chat signature.
    WindowHandle room = firstClientWindow();
    EXPECT_EQ(readText(room), "Lobby");
    EXPECT_TRUE(hasChildren(room, {"_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl"}));

    // The welcome window lies below it, with its four children and no link box.
    std::vector<WindowHandle> all = clientWindows();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(readText(all[1]), "Welcome, lantern tester!");
    EXPECT_TRUE(hasChildren(all[1], {"_aol_icon", "_aol_static", "_aol_glyph", "richcntlstatic"}));
    EXPECT_FALSE(hasChildren(all[1], {"_aol_edit"}));

    EXPECT_EQ(keywordIcon(), standin.toolbarIcon(kKeywordIconNumber));
}

TEST_F(SimStandinTest, PostingRecordsTheRawMarkupAndAppendsTheStrippedLine) {
    const std::string markup = "<font color=#FF0000><b>idl\xE8</b></font> at 0<font face=Tahoma>days";
    post(markup);

    ASSERT_EQ(standin.record().posted(), std::vector<std::string>{markup});
    EXPECT_EQ(standin.record().of(EventKind::Posted)[0].room, "Lobby");
    std::string transcript = readText(child(standin.roomWindow(), "richcntlreadonly"));
    EXPECT_TRUE(transcript.ends_with("\r\nlantern tester:\tidl\xE8 at 0days")) << transcript;
    EXPECT_EQ(standin.inputText(), "");  // the box is emptied by the post
}

TEST_F(SimStandinTest, TextTypedBeforeASendComesBackAfterIt) {
    standin.type("half a thou");
    WindowHandle input = standin.inputBox();
    std::string saved = readText(input);
    post("<b>line</b>");
    writeText(input, saved);
    EXPECT_EQ(standin.inputText(), "half a thou");
    EXPECT_EQ(standin.record().posted(), std::vector<std::string>{"<b>line</b>"});
}

TEST_F(SimStandinTest, NothingIsPostedFromAnEmptyBoxOrWhileSignedOff) {
    post("");
    standin.signOff();
    post("hello?");
    EXPECT_TRUE(standin.record().posted().empty());
    EXPECT_FALSE(text::contains(standin.transcript()->text(), "hello?"));
}

TEST_F(SimStandinTest, TheTranscriptIsReadOnlyAndAnswersWithItsPlainText) {
    standin.say("buddy", "<i>yo</i>");
    WindowHandle view = standin.transcriptWindow();
    windows().sendSetText(view, "overwritten");
    EXPECT_EQ(readText(view), standin.transcript()->text());
    EXPECT_TRUE(readText(view).ends_with("\r\nbuddy:\tyo"));
    EXPECT_EQ(desktop.caption(view), standin.transcript()->text());
}

TEST(SimStandinTrim, AChattyRoomDropsItsOldestLines) {
    sim::Desktop desktop;
    SimStandin standin(desktop, {.transcript = {.maxLines = 4, .keepLines = 2}});
    for (int i = 1; i <= 4; ++i) standin.say("buddy", "line " + std::to_string(i));
    // The entry notice and lines 1 to 3 made four; line 4 was the fifth line.
    EXPECT_EQ(desktop.caption(standin.transcriptWindow()), "\r\nbuddy:\tline 3\r\nbuddy:\tline 4");
}

TEST_F(SimStandinTest, AClickNeedsTheButtonDownThenTheSpaceKeyUp) {
    WindowHandle icon = keywordIcon();
    windows().sendMessage(icon, msg::KeyUp, kVkSpace, 0);  // no button down before it
    EXPECT_EQ(standin.keywordWindow(), 0u);
    windows().sendMessage(icon, msg::LButtonDown, 0, 0);
    windows().sendMessage(icon, msg::KeyUp, kVkReturn, 0);  // another key
    EXPECT_EQ(standin.keywordWindow(), 0u);
    click(standin.toolbarIcon(kKeywordIconNumber - 1));     // the 18th icon
    EXPECT_EQ(standin.keywordWindow(), 0u);

    click(icon);
    WindowHandle keyword = firstClientWindow();
    EXPECT_EQ(keyword, standin.keywordWindow());
    EXPECT_TRUE(hasChildren(keyword, {"_aol_glyph", "richcntlstatic", "_aol_edit", "_aol_icon"}));
    click(icon);  // a second click brings the same window up
    EXPECT_EQ(clientWindows().size(), 3u);
}

TEST_F(SimStandinTest, KeywordLinksMoveToPrivateRoomsAndOpenChats) {
    struct Case {
        const char* link;
        std::vector<std::string> roomsAfter;  // sibling order
    };
    const Case cases[] = {
        {"aol://2719:2-2-back room", {"back room"}},        // moves: the Lobby is left
        {"aol://2719:10-4-buddy", {"buddy", "back room"}},  // opens beside it
        {"aol://2719:2-2-", {"buddy", "back room"}},        // no room name: nothing moves
        {"keyword: news", {"buddy", "back room"}},
    };
    std::vector<std::string> links;
    for (const Case& c : cases) {
        openLink(c.link);
        links.push_back(c.link);
        EXPECT_EQ(standin.roomNames(), c.roomsAfter) << c.link;
    }
    EXPECT_EQ(standin.record().links(), links);
    // The room the add-on finds is the new one, and posting goes there.
    post("here");
    EXPECT_EQ(standin.record().of(EventKind::Posted).back().room, "buddy");
}

TEST_F(SimStandinTest, TransferWindowsShowTheirProgress) {
    standin.startTransfer(TransferKind::Download);
    WindowHandle download = firstClientWindow();
    EXPECT_TRUE(hasChildren(download, {"_aol_static", "_aol_gauge", "_aol_checkbox", "_aol_icon", "_aol_image"}));
    EXPECT_EQ(readText(download), "File Transfer - 0% of photo.jpg");

    standin.setTransferProgress(TransferKind::Download, 42);
    EXPECT_EQ(readText(download), "File Transfer - 42% of photo.jpg");
    EXPECT_EQ(readText(child(download, "_aol_static")), "Time Remaining: about 5 minutes");
    EXPECT_EQ(readText(child(download, "_aol_gauge")), "42");

    standin.startTransfer(TransferKind::Upload, "notes.txt", 2048);
    WindowHandle upload = firstClientWindow();
    EXPECT_TRUE(hasChildren(upload, {"_aol_static", "_aol_gauge", "_aol_checkbox", "_aol_button"}));
    EXPECT_TRUE(text::contains(readText(upload), "File"));
    EXPECT_FALSE(text::contains(readText(upload), "File Transfer -"));
    EXPECT_TRUE(text::contains(readText(child(upload, "_aol_static")), "Upload"));

    click(child(download, "_aol_icon"));  // Finish Later
    EXPECT_FALSE(desktop.exists(download));
    EXPECT_TRUE(standin.stopTransfer(TransferKind::Upload));
    EXPECT_FALSE(desktop.exists(upload));
    EXPECT_FALSE(standin.stopTransfer(TransferKind::Upload));
}

TEST_F(SimStandinTest, SigningOffRemovesTheWelcomeWindow) {
    WindowHandle welcome = standin.welcomeWindow();
    standin.signOff();
    EXPECT_FALSE(desktop.exists(welcome));
    for (WindowHandle w : clientWindows()) EXPECT_FALSE(text::contains(readText(w), "Welcome")) << readText(w);
    EXPECT_NE(standin.roomWindow("Lobby"), 0u);  // the room stays, so others can still be heard

    standin.signOn("Other Name");
    EXPECT_EQ(readText(firstClientWindow()), "Welcome, Other Name!");
    post("back");
    EXPECT_EQ(standin.record().of(EventKind::Posted).back().name, "Other Name");
}

TEST_F(SimStandinTest, CloseAndMinimiseAreRecorded) {
    standin.startTransfer(TransferKind::Download);
    WindowHandle download = standin.transferWindow(TransferKind::Download);
    windows().showWindow(download, sw::Minimize);
    windows().sendMessage(standin.inputBox(), msg::Close, 0, 0);  // controls ignore it
    windows().sendMessage(download, msg::Close, 0, 0);

    EXPECT_TRUE(desktop.exists(standin.inputBox()));
    EXPECT_FALSE(desktop.exists(download));
    auto minimized = standin.record().of(EventKind::WindowMinimized);
    ASSERT_EQ(minimized.size(), 1u);
    EXPECT_EQ(minimized[0].text, "File Transfer - 0% of photo.jpg");
    auto closed = standin.record().of(EventKind::WindowClosed);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].window, download);

    windows().sendMessage(standin.frame(), msg::Close, 0, 0);
    EXPECT_FALSE(standin.running());
    EXPECT_EQ(windows().findWindow("aol frame25"), 0u);
}

TEST_F(SimStandinTest, EveryFrameCaptionIsRecordedWithItsTime) {
    desktop.runFor(3);
    writeText(standin.frame(), "lant\xE8rn Idl\xE8 [beta]");
    auto captions = standin.record().of(EventKind::FrameCaption);
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0].text, "");
    EXPECT_EQ(captions[1].text, "lant\xE8rn Idl\xE8 [beta]");
    EXPECT_DOUBLE_EQ(captions[1].time, desktop.now());
    EXPECT_EQ(desktop.caption(standin.frame()), "lant\xE8rn Idl\xE8 [beta]");
}

TEST_F(SimStandinTest, AHungClientMakesSendsWaitAndTimeOut) {
    desktop.setSendTimeout(20);
    standin.hang(30);
    double start = desktop.now();
    SendResult result = windows().sendMessage(standin.inputBox(), msg::GetTextLength, 0, 0);
    EXPECT_FALSE(result.delivered);
    EXPECT_DOUBLE_EQ(desktop.now() - start, 20);

    standin.hang(5);  // a short stall only delays
    start = desktop.now();
    EXPECT_TRUE(windows().sendSetText(standin.frame(), "late").delivered);
    EXPECT_DOUBLE_EQ(desktop.now() - start, 5);
}

TEST_F(SimStandinTest, ControlCommandsDriveTheClient) {
    struct Case {
        const char* command;
        bool ok;
    };
    const Case cases[] = {
        {"say buddy\t<b>hi</b>\tthere", true},
        {"say buddy", false},  // no tab, no text
        {"room open Side", true},
        {"say-in Lobby\tpal\tover here", true},
        {"say-in Nowhere\tpal\tx", false},
        {"type draft", true},
        {"send <i>sent</i>", true},
        {"download start song.mp3\t1048576", true},
        {"download progress 50", true},
        {"download progress fifty", false},
        {"upload stop", false},
        {"room close Side", true},
        {"room close Side", false},
        {"hang 0", false},
        {"dance", false},
    };
    for (const Case& c : cases) {
        CommandResult result = runCommand(standin, c.command);
        EXPECT_EQ(result.ok, c.ok) << c.command << ": " << result.message;
        EXPECT_EQ(result.message.empty(), c.ok) << c.command;
    }
    EXPECT_TRUE(standin.transcript("Lobby")->text().ends_with("\r\nbuddy:\thi\tthere\r\npal:\tover here"));
    EXPECT_EQ(standin.record().posted(), std::vector<std::string>{"<i>sent</i>"});
    EXPECT_EQ(standin.record().of(EventKind::Posted)[0].room, "Side");
    EXPECT_EQ(readText(standin.transferWindow(TransferKind::Download)), "File Transfer - 50% of song.mp3");
}

}  // namespace
}  // namespace lantern::standin
