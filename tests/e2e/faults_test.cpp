// Faults of the real client at the worst moments. Each test steers by the stand-in's
// log, so that the fault lands where it is meant to on a busy machine.

#include "e2e/expected_lines.h"
#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

const std::string kPrefix = defaultPrefix("000000");
const Colours kDefaults;

class RealFaults : public EndToEnd {
protected:
    // How many messages of that kind (any, when empty) reached an input box from `sinceMs` on.
    std::size_t inputs(long long sinceMs, const std::string& message) {
        const std::vector<LogEntry> all = log().read("input");
        return std::count_if(all.begin(), all.end(), [&](const LogEntry& e) {
            return e.ms >= sinceMs && (message.empty() || e.field(1) == message);
        });
    }

    // Strikes at the load banner's first `message`; the add-on must ride the fault out
    // and, once `recover` has run, answer ".idleon" with nothing half-typed posted.
    void duringTheLoadBanner(const char* message, const std::function<void()>& strike,
                             const std::function<void()>& recover = [] {}) {
        startStandin();
        const long long started = nowMs();
        startAddOn();
        ASSERT_TRUE(waitUntil([&] { return inputs(started, message) > 0; }, 30)) << "no " << message;
        strike();
        EXPECT_EQ(unansweredProbes(mainWindow(), 4), 0) << "the main window stopped answering after the fault";
        ASSERT_TRUE(waitUntil([&] { return onTop(mainWindow()); }, 30)) << "start-up never finished";
        ASSERT_TRUE(addOn().running()) << "the add-on ended after the fault";
        recover();
        sleepSeconds(2.0);  // the chat watcher takes its first look at the room
        ASSERT_TRUE(command("send .idleon"));
        const std::string idleOn = banner(kPrefix, kDefaults, kCommandIdleOn);
        ASSERT_TRUE(log().waitFor("posted", idleOn, 30)) << "\".idleon\" after the fault got no idle-on line";
        std::vector<std::string> posted = log().posted();
        std::erase(posted, banner(kPrefix, kDefaults, kLoad));  // whole, late or not at all
        EXPECT_EQ(posted, (std::vector<std::string>{".idleon", idleOn}));
        EXPECT_EQ(log().find("posted", idleOn).field(0), "Lobby");
    }
};

TEST_F(RealFaults, ClientKilledWhileTheLoadBannerIsTypedThenANewClientIsServed) {
    duringTheLoadBanner("WM_SETTEXT", [&] { standin().kill(); }, [&] { startStandin(); });
}

TEST_F(RealFaults, ClientHungFor30SecondsWhileTheLoadBannerIsTyped) {
    duringTheLoadBanner("WM_SETTEXT", [&] {
        ASSERT_TRUE(command("hang 30"));
        EXPECT_EQ(unansweredProbes(mainWindow(), 29), 0) << "the main window stopped answering while the client hung";
        ASSERT_TRUE(standin().running());
    });
}

TEST_F(RealFaults, RoomClosedBetweenReadingTheBoxAndTypingThenOpenedAgain) {
    std::size_t closedAt = 0;  // the log's line; its milliseconds may equal a message's before it
    duringTheLoadBanner(
        "WM_GETTEXT",
        [&] {
            ASSERT_TRUE(command("room close Lobby"));
            closedAt = log().read("room-left").at(0).index;
        },
        [&] {
            // Nothing went anywhere else, and the welcome window (now the first) is as it was.
            EXPECT_TRUE(log().posted().empty());
            EXPECT_LT(log().read("input").back().index, closedAt) << "a message reached a box after the room closed";
            const HWND mdi = FindWindowExA(frame(), nullptr, "MDIClient", nullptr);
            const HWND first = FindWindowExA(mdi, nullptr, "AOL Child", nullptr);
            EXPECT_EQ(caption(first), "Welcome, lantern tester!");
            EXPECT_EQ(FindWindowExA(mdi, first, "AOL Child", nullptr), nullptr) << "a client window came up";
            ASSERT_TRUE(command("room open Lobby"));
        });
}

// The signed-on user's road from the room, with stored colours and reason box:
// ".idleon", the first idle line a minute later, ".pr" into a private room; the client
// hangs during the next idle tick, the line after it still comes; ".end" while the
// tick after that pauses ends the add-on once, leaving the stored settings alone.
TEST_F(RealFaults, ChatCommandsWithAClientHungDuringAnIdleTickAndEndedWhileATickPauses) {
    const Colours colours{"9900cc", "0066cc", "336633"};
    const std::string prefix = defaultPrefix(colours.ascii);
    const std::pair<const char*, std::string> stored[] = {
        {"tBox", "gone fishin"}, {"asciiCol", colours.ascii}, {"firstColor", colours.first},
        {"secondColor", colours.second}};
    for (const auto& [name, value] : stored) ASSERT_TRUE(regAdd(name, "REG_SZ", value)) << name;
    startStandin();
    startAddOn();
    waitForStartUp();
    sleepSeconds(0.5);  // the chat watcher starts right after the main window goes on top
    auto postedAt = [&](const std::string& line) { return log().find("posted", line).ms; };

    const std::string idleOn = banner(prefix, colours, kCommandIdleOn);
    ASSERT_TRUE(command("send .idleon"));
    ASSERT_TRUE(log().waitFor("posted", idleOn, 20)) << "no idle-on line";
    EXPECT_EQ(caption(mainWindow()), "Idle 0 : 0 : 0");
    const std::string firstMinute = idleLine(prefix, colours, 1, "uppin.");
    ASSERT_TRUE(log().waitFor("posted", firstMinute, 100)) << "no idle line";
    EXPECT_GT(postedAt(firstMinute) - postedAt(idleOn), 55000);
    EXPECT_LT(postedAt(firstMinute) - postedAt(idleOn), 80000);

    ASSERT_TRUE(command("send .pr My Room"));
    const std::string link = "aol://2719:2-2-my room";
    ASSERT_TRUE(log().waitFor("link", link, 20)) << "the private room's link was not opened";
    ASSERT_TRUE(log().waitFor("closed", "Keyword", 10)) << "the keyword window stayed open";
    EXPECT_EQ(log().read("closed").size(), 1u) << "another window was closed too";
    ASSERT_TRUE(log().waitFor("room-entered", "my room", 10));
    const std::string privateRoom = privateRoomLine(prefix, colours, "my room");
    EXPECT_LT(log().find("posted", privateRoom).index, log().find("link", link).index);

    ASSERT_TRUE(waitUntil([&] { return inputs(postedAt(firstMinute) + 30000, "") > 0; }, 90)) << "no second tick";
    ASSERT_TRUE(command("hang 30"));
    const long long hangMs = log().read("hang").at(0).ms;
    EXPECT_EQ(unansweredProbes(mainWindow(), 29), 0) << "the main window stopped answering while the client hung";
    const std::string thirdMinute = idleLine(prefix, colours, 3, "uppin.");
    ASSERT_TRUE(log().waitFor("posted", thirdMinute, 100)) << "no idle line for the third minute";
    EXPECT_GT(postedAt(thirdMinute), hangMs + 30000);

    // The next tick has cleared the box and pauses before typing its line.
    ASSERT_TRUE(waitUntil([&] { return inputs(postedAt(thirdMinute) + 30000, "WM_SETTEXT") > 0; }, 90)) << "no tick";
    ASSERT_TRUE(command("send .end"));
    EXPECT_EQ(addOn().waitForExit(30), std::optional<DWORD>(0)) << "\".end\" did not end the add-on";
    std::vector<std::string> posted = log().posted();
    // The lines of the ticks hit by a fault come whole, late or not at all.
    for (int minute : {2, 4}) std::erase(posted, idleLine(prefix, colours, minute, "uppin."));
    const std::string unload = banner(prefix, colours, kCommandUnload);
    EXPECT_EQ(posted, (std::vector<std::string>{banner(prefix, colours, kLoad), ".idleon", idleOn, firstMinute,
                                                ".pr My Room", privateRoom, thirdMinute, ".end", unload}));
    EXPECT_EQ(log().find("posted", unload).field(0), "my room") << "posted to another room";
    EXPECT_EQ(caption(frame()), kClosingCaption);
    for (const auto& [name, value] : stored) EXPECT_EQ(readStoredSetting(name), value) << name << " changed";
}

}  // namespace
}  // namespace lantern::e2e
