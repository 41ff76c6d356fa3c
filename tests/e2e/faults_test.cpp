// Faults of the real client while the load banner is typed, steered by the stand-in's
// log so that each lands where it is meant to on a busy machine. The faults during idle
// ticks ride on the input tests' run, which waits for the idle minutes anyway.

#include "e2e/harness.h"
#include "support/expected_lines.h"

namespace lantern::e2e {
namespace {

using namespace expected;

const Style kDefaults;  // a fresh start-up's

class RealFaults : public EndToEnd {
protected:
    // Strikes at the load banner's first `message`; the add-on must ride the fault out
    // and, once `recover` has run, answer ".idleon" with nothing half-typed posted.
    void duringTheLoadBanner(
        const char* message, const std::function<void()>& strike, const std::function<void()>& recover = [] {}) {
        startStandin();
        const long long started = nowMs();
        startAddOn();
        ASSERT_TRUE(waitUntil([&] { return inputsSince(started, message) > 0; }, 30)) << "no " << message;
        strike();
        EXPECT_EQ(unansweredProbes(mainWindow(), 4), 0) << "the main window stopped answering after the fault";
        ASSERT_TRUE(waitUntil([&] { return onTop(mainWindow()); }, 30)) << "start-up never finished";
        ASSERT_TRUE(addOn().running()) << "the add-on ended after the fault";
        recover();
        sleepSeconds(2.0);  // the chat watcher takes its first look at the room
        ASSERT_TRUE(command("send .idleon"));
        const std::string idleOn = banner(kDefaults, kCommandIdleOn);
        ASSERT_TRUE(log().waitFor("posted", idleOn, 30)) << "\".idleon\" after the fault got no idle-on line";
        std::vector<std::string> posted = log().posted();
        std::erase(posted, banner(kDefaults, kLoad));  // whole, late or not at all
        EXPECT_EQ(posted, (std::vector<std::string>{".idleon", idleOn}));
        EXPECT_EQ(log().find("posted", idleOn).field(0), "Lobby");
    }
};

TEST_F(RealFaults, ClientKilledThenRestarted) {
    duringTheLoadBanner(
        "WM_SETTEXT", [&] { standin().kill(); }, [&] { startStandin(); });
}

TEST_F(RealFaults, ClientHungFor30Seconds) {
    duringTheLoadBanner("WM_SETTEXT", [&] {
        ASSERT_TRUE(command("hang 30"));
        EXPECT_EQ(unansweredProbes(mainWindow(), 29), 0) << "the main window stopped answering while the client hung";
        ASSERT_TRUE(standin().running());
    });
}

TEST_F(RealFaults, RoomClosedBeforeTypingThenReopened) {
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

}  // namespace
}  // namespace lantern::e2e
