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

constexpr double kHangSeconds = 30;

class RealFaults : public EndToEnd {
protected:
    // The user turns idling on from the room; when the idle-on line was posted.
    long long idleOn(const Colours& colours) {
        const std::string line = commandIdleOnBanner(defaultPrefix(colours.ascii), colours);
        EXPECT_TRUE(command("send .idleon"));
        EXPECT_TRUE(log().waitFor("posted", line, 20)) << "no idle-on line; expected " << printable(line);
        const std::optional<LogEntry> posted = lastPostOf(log(), line);
        return posted ? posted->ms : nowMs();
    }
};

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

TEST_F(RealFaults, ClientHungDuringAnIdleTickThenTheNextMinutesLineArrives) {
    startStandin();
    startAddOn();
    waitForStartUp();
    sleepSeconds(0.5);  // the chat watcher starts right after the main window goes on top
    const long long idleOnMs = idleOn(Colours{});

    // The first tick's line has begun: the first message to the box well after the
    // idle-on line. The client hangs right there.
    ASSERT_TRUE(waitForInput(log(), idleOnMs + 30000, "", 90)) << "no idle tick began to post";
    ASSERT_TRUE(command("hang " + std::to_string(static_cast<int>(kHangSeconds))));
    const std::vector<LogEntry> hangs = log().entries("hang");
    ASSERT_EQ(hangs.size(), 1u);
    const long long hangMs = hangs.front().ms;

    EXPECT_EQ(unansweredProbes(mainWindow(), kHangSeconds - 1), 0)
        << "the main window stopped answering while the client hung";
    ASSERT_TRUE(addOn().running()) << "the add-on ended while the client hung, exit code 0x" << std::hex
                                   << addOn().waitForExit(0).value_or(0);

    const std::string secondMinute = idleLine(kPrefix, Colours{}, 0, 0, 2, "uppin.");
    const bool arrived = log().waitFor("posted", secondMinute, 100);
    printSince(log(), hangMs, "around the hang");
    ASSERT_TRUE(arrived) << "no idle line for the second minute; expected " << printable(secondMinute);
    ASSERT_TRUE(standin().running());
    EXPECT_TRUE(addOn().running());
    EXPECT_GT(lastPostOf(log(), secondMinute)->ms, hangMs + static_cast<long long>(kHangSeconds * 1000));

    // The first minute's line came whole, late, or not at all; nothing else was posted.
    std::vector<std::string> posted = log().posted();
    const std::string firstMinute = idleLine(kPrefix, Colours{}, 0, 0, 1, "uppin.");
    std::erase(posted, firstMinute);
    EXPECT_EQ(posted, (std::vector<std::string>{loadBanner(kPrefix, Colours{}), ".idleon",
                                                commandIdleOnBanner(kPrefix, Colours{}), secondMinute}))
        << listed(log().posted());
}

TEST_F(RealFaults, EndedWhileAnIdleTickIsInItsPauses) {
    const Colours colours{"9900cc", "0066cc", "336633"};
    const std::vector<std::vector<std::string>> stored = {
        {"tBox", "gone fishin"}, {"asciiCol", colours.ascii}, {"firstColor", colours.first},
        {"secondColor", colours.second}};
    for (const std::vector<std::string>& value : stored) {
        ASSERT_TRUE(regAdd(value[0], "REG_SZ", value[1])) << "reg.exe add " << value[0] << " failed";
    }
    startStandin();
    startAddOn();
    waitForStartUp();
    sleepSeconds(0.5);  // the chat watcher starts right after the main window goes on top
    const long long idleOnMs = idleOn(colours);

    // The tick has cleared the box and pauses before typing its line: ".end" now.
    const std::optional<LogEntry> cleared = waitForInput(log(), idleOnMs + 30000, "WM_SETTEXT", 90);
    ASSERT_TRUE(cleared) << "no idle tick began to post";
    ASSERT_TRUE(command("send .end"));
    const std::optional<DWORD> exitCode = addOn().waitForExit(30);
    printSince(log(), cleared->ms, "around the end");
    ASSERT_TRUE(exitCode) << "\".end\" during a tick did not end the add-on";
    EXPECT_EQ(*exitCode, 0u);

    const std::string prefix = defaultPrefix(colours.ascii);
    const std::vector<std::string> posted = log().posted();
    EXPECT_EQ(std::count(posted.begin(), posted.end(), commandUnloadBanner(prefix, colours)), 1)
        << listed(posted);
    EXPECT_EQ(std::count(posted.begin(), posted.end(), unloadBanner(prefix, colours)), 0) << listed(posted);
    EXPECT_EQ(log().captions().back(), kClosingCaption);
    EXPECT_EQ(caption(frame()), kClosingCaption);
    for (const std::vector<std::string>& value : stored) {
        EXPECT_EQ(readStoredSetting(value[0]), std::optional<std::string>(value[1])) << value[0] << " changed";
    }
}

}  // namespace
}  // namespace lantern::e2e
