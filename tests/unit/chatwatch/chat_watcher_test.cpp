// The watcher on the simulated desktop: rooms whose transcripts the test writes.

#include <limits>

#include "client/client.h"
#include "client/window_io.h"
#include "platform/messages.h"
#include "watcher_scene.h"

namespace lantern {
namespace {

using Lines = std::vector<ChatLine>;

// Every guarantee holds whether the transcript reports its changes or not.
class ChatWatcherTest : public WatcherScene, public ::testing::WithParamInterface<bool> {
protected:
    ChatWatcherTest() { reportsChanges = GetParam(); }
};

TEST_P(ChatWatcherTest, ReportsWhatTheRoomOnTopSaysUntilStopped) {
    openClient();
    watcher.start();
    const WindowHandle lobby = openRoom("\r\nOnlineHost:\t*** You are in \"Lobby\".\r\nBob:\tbefore");
    desktop.runFor(1);
    say(lobby, "Big Al", "first:\tone");
    desktop.runFor(1);
    const WindowHandle privateRoom = openRoom("\r\nCarl:\tsaid before we came");
    desktop.runFor(1);
    say(privateRoom, "Carl", "welcome");
    say(lobby, "Bob", "lobby, unseen");  // the room beneath is not watched
    desktop.runFor(1);
    desktop.destroyWindow(privateRoom);
    desktop.runFor(1);
    whileHandling = [this](const ChatLine& line) {
        if (line.text == "back") watcher.stop();
    };
    say(lobby, "Bob", "back");
    say(lobby, "me", ".idleon");  // queued when the handler stops the watcher: dropped
    say(lobby, "Bob", "after the stop");
    desktop.runFor(2);
    EXPECT_EQ(received, (Lines{{"Big Al", "first:\tone"}, {"Carl", "welcome"}, {"Bob", "back"}}));
}

// A busy room is read at every poll: each new line trims an old one, and the length stays.
TEST_P(ChatWatcherTest, ABurstWhileTheClientTrimsArrivesWholeOnceAndInOrder) {
    const WindowHandle room = watchNewRoom(30);
    Lines said;  // in bursts of 9 closer than the polls, all of one length
    for (int i = 0; i < 1000; ++i) {
        said.push_back({"me", ".pr " + std::to_string(1000 + i)});
        desktop.post(0.013 * (i - i % 9), [this, room, text = said.back().text] { say(room, "me", text); });
    }
    desktop.runFor(30);
    EXPECT_EQ(received, said);
}

TEST_P(ChatWatcherTest, AFloodOfOthersKeepsTheUsersCommandPrompt) {
    const WindowHandle room = watchNewRoom(50);
    // 40 lines a second, half of them other people's dot-lines; each costs 0.3 s.
    whileHandling = [this](const ChatLine&) { desktop.events().waitForEvents(0.3); };
    for (int i = 0; i < 2400; ++i) {
        desktop.post(0.025 * i, [this, room, i] {
            say(room, i % 3 ? "Spammer" : "Other One", (i % 2 ? ".end " : "lol ") + std::to_string(i));
        });
    }
    desktop.post(30.0, [this, room] { say(room, "me", ".idleon"); });
    desktop.runFor(70);
    EXPECT_EQ(watcher.stats().linesSeen, 2401u);
    EXPECT_LE(watcher.stats().queuePeak, 64u);
    EXPECT_EQ(maxDepth, 1);  // lines arriving inside the handler wait for it
    const auto command = std::find(received.begin(), received.end(), ChatLine{"me", ".idleon"});
    ASSERT_NE(command, received.end());
    EXPECT_LT(times[command - received.begin()], 33.0);
    EXPECT_EQ(std::count(received.begin(), received.end(), *command), 1);
    EXPECT_EQ(received.back().text, ".end 2399");  // the chores still ran, for the newest
}

// Quiet, the room is asked mostly for its length; hung, it is left alone for a while.
TEST_P(ChatWatcherTest, AQuietOrHungRoomIsLeftAloneYetLosesNothing) {
    const WindowHandle room = watchNewRoom(2);
    desktop.setSendTimeout(0.5);
    say(room, "Bob", "1");
    say(room, "Bob", "2");
    desktop.runFor(2);
    desktop.clearMessages();
    auto sent = [&](auto which) {
        const auto all = desktop.messagesTo(transcripts[room]);
        return std::count_if(all.begin(), all.end(), which);
    };
    desktop.runFor(10);
    EXPECT_LE(sent([](auto& m) { return m.message == msg::GetText; }), 12);
    desktop.hang(transcripts[room], 5);
    say(room, "Bob", "3");  // "1" trimmed: the length stays the same
    desktop.runFor(4);
    EXPECT_EQ(received.size(), 2u);
    EXPECT_EQ(sent([](auto& m) { return !m.delivered; }), 1);
    desktop.runFor(4);
    EXPECT_EQ(received, (Lines{{"Bob", "1"}, {"Bob", "2"}, {"Bob", "3"}}));
}

// A transcript that answers a length no text has is still read, within the one bound
// that every length read from another program is held to.
TEST_P(ChatWatcherTest, ABogusTranscriptLengthIsHeldToTheBound) {
    const std::intptr_t bogus[] = {std::numeric_limits<std::intptr_t>::max(),
                                   static_cast<std::intptr_t>(windowio::kMaxForeignTextLength) + 1, -1,
                                   std::numeric_limits<std::intptr_t>::min()};
    openClient();
    watcher.start();
    Lines said;
    for (const std::intptr_t length : bogus) {
        const WindowHandle room = openRoom("\r\nBob:\tbefore");
        desktop.misreportTextLength(transcripts[room], length);
        desktop.runFor(1);
        const std::string text = "length " + std::to_string(length);
        say(room, "Bob", text);
        said.push_back({"Bob", text});
        desktop.runFor(2);
        EXPECT_EQ(received, said) << length;
    }
}

// Another member's long lines, four a second, while the client trims its transcript
// from the top at about 800 KB down to 600 KB, as the stand-in does: every line of the
// user's is still handed on, once.
TEST_P(ChatWatcherTest, LongLinesTrimmedInBulkLoseNoneOfTheUsersLines) {
    const WindowHandle room = watchNewRoom();
    whileHandling = [this](const ChatLine&) { desktop.events().waitForEvents(0.3); };
    std::deque<std::string> lines;
    auto append = [this, room, &lines](const std::string& name, const std::string& text) {
        lines.push_back("\r\n" + name + ":\t" + text);
        if (lines.size() > 200) lines.erase(lines.begin(), lines.begin() + 50);
        show(room, std::accumulate(lines.begin(), lines.end(), std::string()));
    };
    Lines mine;
    for (int i = 0; i < 400; ++i) {
        desktop.post(0.25 * i, [append, i] { append("Long Talker", std::string(4000, 'a' + i % 26)); });
        if (i % 50 == 25) {
            mine.push_back({"me", i % 100 == 25 ? ".coms" : ".idleon"});
            desktop.post(0.25 * i + 0.1, [append, line = mine.back()] { append(line.screenName, line.text); });
        }
    }
    desktop.runFor(105);
    Lines mineReceived;
    std::copy_if(received.begin(), received.end(), std::back_inserter(mineReceived),
                 [](const ChatLine& line) { return line.screenName == "me"; });
    EXPECT_EQ(mineReceived, mine);
}

// A flooder's lines all alike, four a second, while the client trims its transcript
// in bulk (past 512 KiB down to 384 KiB, as the stand-in does): the text after a trim
// is also a stretch of the text read before it, yet the line whose append brought the
// trim is new, and is seen.
TEST_P(ChatWatcherTest, AlikeLinesTrimmedInBulkAreEachSeenOnce) {
    const WindowHandle room = watchNewRoom();
    std::deque<std::string> lines;
    auto append = [this, room, &lines](const std::string& name, const std::string& text) {
        lines.push_back("\r\n" + name + ":\t" + text);
        std::string all = std::accumulate(lines.begin(), lines.end(), std::string());
        if (all.size() > 512 * 1024) {
            while (all.size() > 384 * 1024) {
                all.erase(0, lines.front().size());
                lines.pop_front();
            }
        }
        show(room, all);
    };
    constexpr int kLines = 300;
    for (int i = 0; i < kLines; ++i) {
        desktop.post(0.25 * i, [append] { append("Flooder", std::string(4096, 'x')); });
    }
    desktop.runFor(0.25 * kLines + 2);
    EXPECT_EQ(watcher.stats().linesSeen, static_cast<std::uint64_t>(kLines));
}

INSTANTIATE_TEST_SUITE_P(, ChatWatcherTest, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& reported) {
    return reported.param ? "Reported" : "Polled";
});

// A transcript that reports its changes is looked at when it does, and otherwise
// only now and then; one that reports nothing is polled often.
using PacedWatcher = WatcherScene;

TEST_F(PacedWatcher, ReportsLetAQuietRoomRestAndBringALineAtOnce) {
    for (const bool reports : {true, false}) {
        SCOPED_TRACE(reports ? "reported" : "polled");
        reportsChanges = reports;
        const WindowHandle room = watchNewRoom();
        say(room, "Bob", "hello");
        desktop.runFor(1);
        EXPECT_EQ(watcher.stats().reportsTrusted, reports);
        desktop.clearMessages();
        desktop.runFor(600);  // ten quiet minutes
        // Reported: a length a second and a read every ten; polled: 25 lengths a second.
        EXPECT_EQ(desktop.messagesTo(transcripts[room]).size() < 700, reports);
        const double saidAt = desktop.now();
        say(room, "me", ".coms");
        desktop.runFor(1);
        ASSERT_EQ(received.size(), 2u);
        EXPECT_LE(times[1] - saidAt, reports ? 0.03 : 0.13);
        watcher.stop();
        received.clear();
        times.clear();
    }
}

// A user who scrolls the transcript up stops its scroll bar, and so its reports.
TEST_F(PacedWatcher, ReportsThatMissAChangeAreTrustedNoMore) {
    reportsChanges = true;
    const WindowHandle room = watchNewRoom();
    say(room, "Bob", "reported");
    desktop.runFor(1);
    reportsChanges = false;
    double saidAt = desktop.now();
    say(room, "me", ".idleon");
    desktop.runFor(2);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_LE(times[1] - saidAt, 1.1);  // found by the poll that is there to be safe
    EXPECT_FALSE(watcher.stats().reportsTrusted);
    EXPECT_EQ(watcher.stats().changesUnreported, 1u);
    saidAt = desktop.now();
    say(room, "me", ".idleoff");
    desktop.runFor(1);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_LE(times[2] - saidAt, 0.13);  // polled often again
}

// A report comes through our queue a little after the change: a poll between the two
// sees a change without a report, which the late report then clears.
TEST_F(PacedWatcher, AReportLaterThanThePollStillCounts) {
    reportsChanges = true;
    const WindowHandle room = watchNewRoom();
    say(room, "Bob", "reported");
    desktop.runFor(1);
    desktop.clearMessages();
    desktop.runFor(1.5);
    const auto asked = desktop.messagesTo(transcripts[room]);
    ASSERT_FALSE(asked.empty());
    const double nextPoll = asked.back().time + 1.0;
    desktop.runFor(nextPoll - 0.05 - desktop.now());
    reportsChanges = false;
    say(room, "Bob", "reported late");
    desktop.post(0.1, [this, room] { desktop.reportChange(transcripts[room]); });
    desktop.runFor(2);
    EXPECT_EQ(received, (Lines{{"Bob", "reported"}, {"Bob", "reported late"}}));
    EXPECT_TRUE(watcher.stats().reportsTrusted);
    EXPECT_EQ(watcher.stats().changesUnreported, 0u);
}

// A backlog makes the watcher ask who is signed on, to fold other people's dot-lines.
// A read that names nobody must fold none: the user's commands would never run.
enum class NameRead { NotOnline, Empty, TimedOut };

class NamelessBacklog : public WatcherScene, public ::testing::WithParamInterface<NameRead> {
protected:
    Client client{platform};  // reads the welcome window with the full patience, until the send times out
};

TEST_P(NamelessBacklog, FoldsNoneOfTheUsersCommands) {
    openClient();
    const WindowHandle welcome = desktop.createWindow(mdi, "AOL Child", "Welcome, me!");
    for (const char* c : {"_AOL_Icon", "_AOL_Static", "_AOL_Glyph", "RICHCNTLSTATIC"}) desktop.createWindow(welcome, c);
    switch (GetParam()) {
    case NameRead::NotOnline:
        watcher.setSignedOnNameReader([](Platform&) { return std::string(kNotOnline); });
        break;
    case NameRead::Empty:
        watcher.setSignedOnNameReader([](Platform&) { return std::string(); });
        break;
    case NameRead::TimedOut:
        desktop.hang(welcome, 1e6);
        watcher.setSignedOnNameReader([this](Platform&) { return client.readScreenName(); });
        break;
    }
    const WindowHandle room = openRoom();  // never trimmed: a slow read loses nothing here
    watcher.start();
    // 40 lines a second, a third of them other people's dot-lines; each costs 0.3 s.
    whileHandling = [this](const ChatLine&) { desktop.events().waitForEvents(0.3); };
    Lines commands;
    for (int i = 0; i < 800; ++i) {
        const bool mine = i % 40 == 20;
        const ChatLine line = mine ? ChatLine{"me", ".pr " + std::to_string(i)}
                                   : ChatLine{"Spammer", (i % 3 ? "lol " : ".end ") + std::to_string(i)};
        if (mine) commands.push_back(line);
        desktop.post(0.025 * i, [this, room, line] { say(room, line.screenName, line.text); });
    }
    desktop.runFor(120);
    Lines mineReceived;
    std::copy_if(received.begin(), received.end(), std::back_inserter(mineReceived),
                 [](const ChatLine& line) { return line.screenName == "me"; });
    EXPECT_EQ(mineReceived, commands);
}

std::string nameReadName(const ::testing::TestParamInfo<NameRead>& read) {
    switch (read.param) {
    case NameRead::NotOnline:
        return "NotOnline";
    case NameRead::Empty:
        return "Empty";
    case NameRead::TimedOut:
        return "TimedOut";
    }
    return "?";
}

INSTANTIATE_TEST_SUITE_P(ChatWatcherTest, NamelessBacklog,
                         ::testing::Values(NameRead::NotOnline, NameRead::Empty, NameRead::TimedOut), nameReadName);

}  // namespace
}  // namespace lantern
