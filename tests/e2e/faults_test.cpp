// Faults of the real client at the worst moments: the client killed or its room
// closed while a line is being typed, the client hung during an idle tick, and the
// add-on told to end while a tick is in its pauses. Each test steers by the
// stand-in's log, so that the fault lands where it is meant to on a busy machine,
// and prints what the add-on did.

#include <algorithm>
#include <cstdio>

#include "e2e/expected_lines.h"
#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

// The first message that reached the input box from `sinceMs` on, of that kind
// (any kind when empty), once it is there within `seconds`.
std::optional<LogEntry> waitForInput(const StandinLog& log, long long sinceMs, const std::string& message,
                                     double seconds) {
    std::optional<LogEntry> found;
    waitUntil(
        [&] {
            for (LogEntry& entry : log.inputs()) {
                if (entry.ms >= sinceMs && (message.empty() || entry.field(1) == message)) {
                    found = std::move(entry);
                    return true;
                }
            }
            return false;
        },
        seconds);
    return found;
}

std::optional<LogEntry> lastPostOf(const StandinLog& log, const std::string& line) {
    std::optional<LogEntry> found;
    for (LogEntry& entry : log.entries("posted")) {
        if (entry.field(2) == line) found = std::move(entry);
    }
    return found;
}

// Asks the main window for WM_NULL every 200 ms for `seconds`; how many of the
// asks went unanswered within 2 s.
int unansweredProbes(HWND window, double seconds) {
    int unanswered = 0;
    const long long until = nowMs() + static_cast<long long>(seconds * 1000);
    while (nowMs() < until) {
        if (!answers(window, 2)) ++unanswered;
        sleepSeconds(0.2);
    }
    return unanswered;
}

bool startUpFinished(HWND mainWindow) { return (GetWindowLongA(mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::string listed(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += "  " + printable(line) + "\n";
    return all;
}

void printSince(const StandinLog& log, long long fromMs, const char* what) {
    std::printf("%s, seconds from the fault:\n", what);
    for (const LogEntry& entry : log.read()) {
        if (entry.ms >= fromMs - 1000) {
            std::printf("  %+8.3f %s\n", static_cast<double>(entry.ms - fromMs) / 1000.0, describe(entry).c_str());
        }
    }
}

const std::string kPrefix = defaultPrefix("000000");

using RealFaults = EndToEnd;

TEST_F(RealFaults, ClientKilledWhileALineIsTypedThenANewClientIsServed) {
    startStandin();
    const long long started = nowMs();
    startAddOn();

    // The load banner has begun: the box was just cleared, the line is not typed yet.
    const std::optional<LogEntry> cleared = waitForInput(log(), started, "WM_SETTEXT", 30);
    ASSERT_TRUE(cleared) << "the add-on never began the load banner";
    standin().kill();
    ASSERT_FALSE(standin().running());
    const long long killedMs = nowMs();

    EXPECT_EQ(unansweredProbes(mainWindow(), 5), 0) << "the main window stopped answering after the client died";
    ASSERT_TRUE(addOn().running()) << "the add-on ended when its client died, exit code 0x" << std::hex
                                   << addOn().waitForExit(0).value_or(0);
    ASSERT_TRUE(waitUntil([&] { return startUpFinished(mainWindow()); }, 30)) << "start-up never finished";

    startStandin();
    sleepSeconds(2.0);  // the chat watcher takes its first look at the new room
    ASSERT_TRUE(command("send .idleon"));
    const std::string idleOn = commandIdleOnBanner(kPrefix, Colours{});
    const bool served = log().waitFor("posted", idleOn, 30);
    printSince(log(), killedMs, "after the first client was killed");
    ASSERT_TRUE(served) << "the new client's \".idleon\" got no idle-on line";
    EXPECT_TRUE(addOn().running());
    // Nothing half-typed reached the room: the banner died with the first client.
    EXPECT_EQ(log().posted(), (std::vector<std::string>{".idleon", idleOn})) << listed(log().posted());
}

TEST_F(RealFaults, RoomClosedBetweenFindingItAndTypingThenOpenedAgain) {
    startStandin();
    const long long started = nowMs();
    startAddOn();

    // The add-on has found the room and read the user's text out of its box.
    const std::optional<LogEntry> read = waitForInput(log(), started, "WM_GETTEXT", 30);
    ASSERT_TRUE(read) << "the add-on never read the input box";
    ASSERT_TRUE(command("room close Lobby"));
    const std::vector<LogEntry> left = log().entries("room-left");
    ASSERT_EQ(left.size(), 1u);
    const long long closedMs = left.front().ms;

    EXPECT_EQ(unansweredProbes(mainWindow(), 4), 0) << "the main window stopped answering after the room closed";
    ASSERT_TRUE(waitUntil([&] { return startUpFinished(mainWindow()); }, 30)) << "start-up never finished";
    ASSERT_TRUE(addOn().running()) << "the add-on ended when the room closed";
    ASSERT_TRUE(standin().running()) << "the client ended when the room closed";

    // Nothing went anywhere else: no line posted, no message to any input box once
    // the room had gone, and the welcome window (now the first client window) as it was.
    EXPECT_TRUE(log().posted().empty()) << listed(log().posted());
    for (const LogEntry& entry : log().inputs()) {
        EXPECT_LT(entry.ms, closedMs) << "after the room closed: " << describe(entry);
    }
    const HWND mdi = FindWindowExA(frame(), nullptr, "MDIClient", nullptr);
    const HWND firstChild = FindWindowExA(mdi, nullptr, "AOL Child", nullptr);
    EXPECT_EQ(caption(firstChild), "Welcome, lantern tester!");
    EXPECT_EQ(FindWindowExA(mdi, firstChild, "AOL Child", nullptr), nullptr) << "a client window came up";

    ASSERT_TRUE(command("room open Lobby"));
    ASSERT_EQ(log().count("room-entered", "Lobby"), 2u);
    sleepSeconds(2.0);  // the chat watcher takes its first look at the room
    ASSERT_TRUE(command("send .idleon"));
    const std::string idleOn = commandIdleOnBanner(kPrefix, Colours{});
    const bool served = log().waitFor("posted", idleOn, 30);
    printSince(log(), closedMs, "after the room closed");
    ASSERT_TRUE(served) << "\".idleon\" in the room opened again got no idle-on line";
    EXPECT_EQ(log().posted(), (std::vector<std::string>{".idleon", idleOn})) << listed(log().posted());
    EXPECT_EQ(lastPostOf(log(), idleOn)->field(0), "Lobby");
}

}  // namespace
}  // namespace lantern::e2e
