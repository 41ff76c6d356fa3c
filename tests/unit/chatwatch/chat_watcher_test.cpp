// The watcher on the simulated desktop: a room whose transcript the test writes.

#include "platform/messages.h"
#include "watcher_scene.h"

namespace lantern {
namespace {

using ChatWatcherTest = WatcherScene;

TEST_F(ChatWatcherTest, ReportsOnlyWhatArrivesBetweenStartAndStop) {
    openClient();
    const WindowHandle room =
        openRoom("\r\nOnlineHost:\t*** You are in \"Lobby\".\r\nBob:\tbefore");
    watcher.start();
    desktop.runFor(1);
    say(room, "Big Al", "first:\tone");
    desktop.runFor(1);
    say(room, "Bob", "second");
    desktop.runFor(1);
    watcher.stop();
    say(room, "Bob", "after the stop");
    desktop.runFor(1);
    EXPECT_EQ(receivedLines(),
              (std::vector<ChatLine>{{"Big Al", "first:\tone"}, {"Bob", "second"}}));
    // The last line was taken as complete within a few polls, with no line after it.
    ASSERT_EQ(received.size(), 2u);
    EXPECT_LT(received[1].time, 2.3);
}

TEST_F(ChatWatcherTest, ARoomSwitchStartsAfreshAtTheNewRoomsEnd) {
    watcher.start();  // no client yet, then no room, then an empty one
    desktop.runFor(1);
    openClient();
    desktop.runFor(1);
    const WindowHandle lobby = openRoom();
    desktop.runFor(1);
    say(lobby, "Bob", "in the lobby");
    desktop.runFor(1);

    const WindowHandle privateRoom = openRoom("\r\nCarl:\tsaid before we came");
    desktop.runFor(1);
    say(privateRoom, "Carl", "welcome");
    say(lobby, "Bob", "lobby, unseen");  // the room beneath is not watched
    desktop.runFor(1);

    desktop.destroyWindow(privateRoom);
    desktop.runFor(1);
    say(lobby, "Bob", "back in the lobby");
    desktop.runFor(1);

    desktop.destroyWindow(frame);  // the client goes away altogether
    desktop.runFor(1);
    EXPECT_EQ(receivedLines(),
              (std::vector<ChatLine>{
                  {"Bob", "in the lobby"}, {"Carl", "welcome"}, {"Bob", "back in the lobby"}}));
}

TEST_F(ChatWatcherTest, ABurstWhileTheClientTrimsArrivesWholeOnceAndInOrder) {
    openClient();
    const WindowHandle room = openRoom();
    keepLines = 30;
    watcher.start();
    // 1000 of the user's commands (none may fold) in bursts of up to 9, closer
    // together than the polls; the handler sometimes pauses, as a command does.
    std::vector<ChatLine> said;
    for (int i = 0; i < 1000; ++i) {
        said.push_back({"me", (i % 2 ? ".aim " : ".pr ") + std::to_string(i)});
    }
    for (std::size_t i = 0; i < said.size(); i += 9) {
        desktop.post(0.013 * static_cast<double>(i), [this, room, &said, i] {
            for (std::size_t j = i; j < std::min(i + 9, said.size()); ++j) {
                say(room, said[j].screenName, said[j].text);
            }
        });
    }
    whileHandling = [this](const ChatLine&) {
        if (received.size() % 50 == 0) {
            desktop.events().waitForEvents(0.2);
        }
    };
    desktop.runFor(30);
    EXPECT_EQ(receivedLines(), said);
    const ChatWatcherStats stats = watcher.stats();
    EXPECT_EQ(stats.linesSeen, 1000u);
    EXPECT_EQ(stats.linesDelivered, 1000u);
    EXPECT_EQ(stats.queueLength, 0u);
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(ChatWatcherTest, LinesArrivingInsideAHandlerWaitForItAndKeepTheirOrder) {
    openClient();
    const WindowHandle room = openRoom();
    watcher.start();
    whileHandling = [this, room](const ChatLine& line) {
        if (line.text == ".pr first") {
            say(room, "me", ".idleon");
            say(room, "Bob", "hi");
        }
        desktop.events().waitForEvents(0.6);  // the command's pause runs the polls
    };
    say(room, "me", ".pr first");
    desktop.runFor(1);
    say(room, "me", ".coms");
    desktop.runFor(5);
    EXPECT_EQ(receivedLines(),
              (std::vector<ChatLine>{
                  {"me", ".pr first"}, {"me", ".idleon"}, {"Bob", "hi"}, {"me", ".coms"}}));
    EXPECT_EQ(maxDepth, 1);
    // Each waited for the one before to end.
    for (std::size_t i = 1; i < received.size(); ++i) {
        EXPECT_GE(received[i].time - received[i - 1].time, 0.6) << i;
    }
}

TEST_F(ChatWatcherTest, AFloodOfOthersKeepsTheQueueShortAndTheUsersCommandPrompt) {
    openClient();
    const WindowHandle room = openRoom();
    keepLines = 50;
    watcher.start();
    // Every handled line costs its chores' pause; the room says 40 lines a second,
    // half of them other people's dot-lines.
    whileHandling = [this](const ChatLine&) { desktop.events().waitForEvents(0.3); };
    for (int i = 0; i < 2400; ++i) {
        desktop.post(0.025 * i, [this, room, i] {
            say(room, i % 3 ? "Spammer" : "Other One",
                (i % 2 ? ".end " : "lol ") + std::to_string(i));
        });
    }
    desktop.post(30.0, [this, room] { say(room, "me", ".idleon"); });
    desktop.runFor(70);

    const ChatWatcherStats stats = watcher.stats();
    EXPECT_EQ(stats.linesSeen, 2401u);
    EXPECT_LE(stats.queuePeak, 64u);
    EXPECT_EQ(stats.queueLength, 0u);
    EXPECT_GT(nameReads, 0);
    int commands = 0;
    for (const Received& r : received) {
        if (r.line == ChatLine{"me", ".idleon"}) {
            ++commands;
            EXPECT_LT(r.time, 33.0);
        }
    }
    EXPECT_EQ(commands, 1);
    // The chores still ran throughout the flood, for the newest lines.
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().line.text, ".end 2399");
}

TEST_F(ChatWatcherTest, AHungClientDelaysLinesWithoutLosingOrRepeatingThem) {
    openClient();
    const WindowHandle room = openRoom();
    watcher.start();
    desktop.setSendTimeout(0.5);
    say(room, "Bob", "before the hang");
    desktop.runFor(1);
    desktop.hang(transcripts[room], 5);
    say(room, "Bob", "during the hang");
    desktop.runFor(4);
    EXPECT_EQ(received.size(), 1u);
    // Each failed send waited its timeout; the watcher does not queue up more of them.
    long failed = 0;
    for (const sim::RecordedMessage& m : desktop.messagesTo(transcripts[room])) {
        failed += m.delivered ? 0 : 1;
    }
    EXPECT_EQ(failed, 1);
    say(room, "Bob", "after the hang");
    desktop.runFor(4);
    EXPECT_EQ(receivedLines(), (std::vector<ChatLine>{{"Bob", "before the hang"},
                                                      {"Bob", "during the hang"},
                                                      {"Bob", "after the hang"}}));
}

TEST_F(ChatWatcherTest, QuietPollsAskOnlyForTheLength) {
    openClient();
    const WindowHandle room = openRoom("\r\nBob:\tsomething said long ago");
    watcher.start();
    desktop.clearMessages();
    desktop.runFor(10);
    const WindowHandle transcript = transcripts[room];
    EXPECT_GE(messagesTo(transcript, msg::GetTextLength), 100);
    // The whole text is read again only now and then (a trim plus an append can
    // keep the length).
    EXPECT_LE(messagesTo(transcript, msg::GetText), 12);
    EXPECT_GE(messagesTo(transcript, msg::GetText), 2);
}

TEST_F(ChatWatcherTest, ATrimThatKeepsTheLengthIsNoticedAll) {
    openClient();
    const WindowHandle room = openRoom();
    keepLines = 2;
    say(room, "Bob", "1");
    say(room, "Bob", "2");
    watcher.start();
    desktop.runFor(1);
    say(room, "Bob", "3");  // "1" trimmed: the length stays the same
    desktop.runFor(3);
    EXPECT_EQ(receivedLines(), (std::vector<ChatLine>{{"Bob", "3"}}));
}

TEST_F(ChatWatcherTest, StoppingInsideTheHandlerDropsWhatIsQueued) {
    openClient();
    const WindowHandle room = openRoom();
    watcher.start();
    whileHandling = [this](const ChatLine& line) {
        if (line.text == ".end") {
            watcher.stop();
        }
    };
    say(room, "me", ".end");
    say(room, "me", ".idleon");
    say(room, "Bob", "bye");
    desktop.runFor(2);
    EXPECT_EQ(receivedLines(), (std::vector<ChatLine>{{"me", ".end"}}));

    // Started again, it begins afresh at the room's end.
    watcher.start();
    say(room, "me", ".coms");
    desktop.runFor(2);
    EXPECT_EQ(received.back().line, (ChatLine{"me", ".coms"}));
    EXPECT_EQ(received.size(), 2u);
}

}  // namespace
}  // namespace lantern
