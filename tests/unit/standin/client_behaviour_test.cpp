#include <gtest/gtest.h>

#include <cmath>

#include "common/text.h"
#include "standin/model/commands.h"
#include "unit/standin/standin_fixture.h"

namespace lantern::standin {
namespace {

TEST_F(SimStandinTest, TheSendIconPostsFromItsOwnRoomWhicheverIsOnTop) {
    standin.openRoom("Side");  // now on top of the Lobby
    standin.type("from the lobby", "Lobby");
    click(child(standin.roomWindow("Lobby"), "_aol_icon"));
    auto posted = standin.record().of(EventKind::Posted);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].room, "Lobby");
    EXPECT_EQ(posted[0].text, "from the lobby");
    EXPECT_TRUE(standin.transcript("Lobby")->text().ends_with("\r\nlantern tester:\tfrom the lobby"));
    EXPECT_FALSE(text::contains(standin.transcript("Side")->text(), "from the lobby"));
}

TEST_F(SimStandinTest, OpeningARoomThatIsOpenBringsItUpInsteadOfASecondOne) {
    standin.say("buddy", "first");
    standin.openRoom("Side");
    standin.openRoom("Lobby");
    EXPECT_EQ(standin.roomNames(), (std::vector<std::string>{"Lobby", "Side"}));
    EXPECT_EQ(firstClientWindow(), standin.roomWindow("Lobby"));
    EXPECT_TRUE(standin.transcript("Lobby")->text().ends_with("\r\nbuddy:\tfirst"));  // the same room, kept
}

TEST_F(SimStandinTest, SigningOnAgainLeavesOneWelcomeWindow) {
    standin.signOn("Second Name");
    standin.signOn("Third Name");
    int welcomes = 0;
    for (WindowHandle w : clientWindows()) welcomes += text::contains(readText(w), "Welcome") ? 1 : 0;
    EXPECT_EQ(welcomes, 1);
    EXPECT_EQ(readText(standin.welcomeWindow()), "Welcome, Third Name!");

    standin.signOff();
    EXPECT_FALSE(standin.signOff());  // nobody left to sign off
    ASSERT_NE(standin.signOnWindow(), 0u);
    click(child(standin.signOnWindow(), "_aol_icon"));  // the sign-on window's button
    EXPECT_TRUE(standin.signedOn());
    EXPECT_EQ(readText(standin.welcomeWindow()), "Welcome, Third Name!");
    EXPECT_EQ(standin.signOnWindow(), 0u);
}

TEST(SimStandinStart, SignedOffAtTheStartShowsTheSignOnWindowAndNoWelcome) {
    sim::Desktop desktop;
    SimStandin standin(desktop, {.screenName = "", .signedOn = true, .rooms = {}});
    EXPECT_FALSE(standin.signedOn());
    EXPECT_EQ(standin.welcomeWindow(), 0u);
    EXPECT_NE(standin.signOnWindow(), 0u);
    EXPECT_TRUE(standin.roomNames().empty());
    EXPECT_FALSE(standin.say("buddy", "nobody hears"));
    EXPECT_FALSE(standin.send("nobody posts"));
}

TEST_F(SimStandinTest, ARestartedTransferKeepsItsWindowAndStartsOver) {
    standin.startTransfer(TransferKind::Upload);
    WindowHandle upload = standin.transferWindow(TransferKind::Upload);
    standin.setTransferProgress(TransferKind::Upload, 80);
    standin.startTransfer(TransferKind::Upload, "song.mp3", 4'194'304);
    EXPECT_EQ(standin.transferWindow(TransferKind::Upload), upload);
    EXPECT_EQ(readText(upload), "File Uploading: 0% of song.mp3");
    EXPECT_EQ(readText(child(upload, "_aol_static")), "Now Uploading: 4.0 MB, about 14 minutes left");

    struct Case {
        int asked, shown;
    };
    for (Case c : {Case{-5, 0}, Case{150, 100}, Case{37, 37}}) {
        standin.setTransferProgress(TransferKind::Upload, c.asked);
        EXPECT_EQ(readText(child(upload, "_aol_gauge")), std::to_string(c.shown)) << c.asked;
    }
    EXPECT_FALSE(standin.setTransferProgress(TransferKind::Download, 10));  // none running
}

TEST_F(SimStandinTest, AMinimisedWindowIsRecordedOnceWhenFirstSeen) {
    WindowHandle room = standin.roomWindow();
    windows().showWindow(room, sw::Minimize);
    windows().sendMessage(standin.inputBox(), msg::GetTextLength, 0, 0);  // seen here
    double seenAt = desktop.now();
    desktop.runFor(5);
    EXPECT_EQ(standin.record().of(EventKind::WindowMinimized).size(), 1u);
    EXPECT_DOUBLE_EQ(standin.record().of(EventKind::WindowMinimized)[0].time, seenAt);

    windows().showWindow(room, sw::Minimize);  // again, while it is minimised
    windows().showWindow(standin.frame(), sw::Minimize);
    auto minimized = standin.record().of(EventKind::WindowMinimized);
    ASSERT_EQ(minimized.size(), 2u);
    EXPECT_EQ(minimized[1].name, "AOL Frame25");
}

TEST_F(SimStandinTest, AClosedClientRefusesEverythingAndAnswersNothing) {
    WindowHandle input = standin.inputBox();
    windows().sendMessage(standin.frame(), msg::Close, 0, 0);
    EXPECT_FALSE(windows().sendSetText(input, "x").delivered);
    EXPECT_FALSE(standin.say("buddy", "hi"));
    EXPECT_FALSE(standin.openRoom("Lobby"));
    EXPECT_FALSE(standin.signOn("again"));
    EXPECT_FALSE(standin.startTransfer(TransferKind::Download));
    EXPECT_FALSE(standin.hang(5));
    auto closed = standin.record().of(EventKind::WindowClosed);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].name, "AOL Frame25");
}

TEST(SimStandinLifetime, ItsWindowsGoWhenTheStandInGoes) {
    sim::Desktop desktop;
    WindowHandle input = 0;
    {
        SimStandin standin(desktop);
        input = standin.inputBox();
        ASSERT_TRUE(desktop.windows().sendSetText(input, "typed").delivered);
    }
    EXPECT_EQ(desktop.windows().findWindow("aol frame25"), 0u);
    EXPECT_FALSE(desktop.windows().sendMessage(input, msg::Char, kVkReturn, 0).delivered);
}

TEST_F(SimStandinTest, HangIsRecordedInMillisecondsAndRefusesNonsense) {
    EXPECT_FALSE(standin.hang(0));
    EXPECT_FALSE(standin.hang(-1));
    EXPECT_FALSE(standin.hang(std::nan("")));
    EXPECT_TRUE(standin.hang(2.5));
    auto hangs = standin.record().of(EventKind::Hung);
    ASSERT_EQ(hangs.size(), 1u);
    EXPECT_EQ(hangs[0].number, 2500u);
}

TEST_F(SimStandinTest, CommandsReadTheirArgumentsStrictly) {
    struct Case {
        std::string command;
        bool ok;
    };
    const Case cases[] = {
        {"signoff\r\n", true},                      // a trailing line break is allowed
        {std::string("signon Back Again\0", 18), true},  // and a trailing NUL
        {"signon", false},
        {"signon ", false},
        {"say \thello", false},                     // no name
        {"say-in Lobby\tpal", false},               // no text
        {"say-in Lobby\tpal\t", true},              // an empty line is a line
        {"room dance Lobby", false},
        {"room open", false},
        {"download start big.iso\tlots", false},
        {"download start big.iso\t-5", false},
        {"download start big.iso\t700000000", true},
        {"download progress", false},
        {"download progress 99 bottles", false},
        {"hang soon", false},
        {"hang 1.5", true},
        {"SAY buddy\thi", false},                   // commands are lower case
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runCommand(standin, c.command).ok, c.ok) << '"' << c.command << '"';
    }
    EXPECT_EQ(standin.screenName(), "Back Again");
    EXPECT_TRUE(standin.transcript()->text().ends_with("\r\npal:\t"));
    EXPECT_EQ(standin.transfer(TransferKind::Download)->bytes, 700'000'000u);
}

TEST_F(SimStandinTest, InputBoxMessagesAreNotedWithTheirRoom) {
    standin.openRoom("Side");
    standin.noteInputMessage(standin.inputBox("Lobby"), msg::Char, kVkReturn, "");
    standin.noteInputMessage(standin.transcriptWindow("Lobby"), msg::SetText, 0, "not an input box");
    auto noted = standin.record().of(EventKind::InputMessage);
    ASSERT_EQ(noted.size(), 1u);
    EXPECT_EQ(noted[0].room, "Lobby");
    EXPECT_EQ(noted[0].name, "WM_CHAR");
    EXPECT_EQ(noted[0].number, kVkReturn);
}

}  // namespace
}  // namespace lantern::standin
