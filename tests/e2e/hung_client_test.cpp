// A client that stops answering while the load banner is being typed: the add-on's
// own window must keep answering, and the add-on must carry on (or give up) without
// crashing. What it did is printed with its times.

#include <algorithm>
#include <cstdio>

#include "e2e/expected_lines.h"
#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

constexpr double kHangSeconds = 30;

struct Probes {
    int sent = 0;
    int unanswered = 0;
    long long slowestMs = 0;
    long long topmostAtMs = -1;  // when the main window was first seen on top
};

// Asks the add-on's main window for WM_NULL every 200 ms until `untilMs`.
Probes probe(HWND window, long long untilMs) {
    Probes probes;
    while (nowMs() < untilMs) {
        const long long sentAt = nowMs();
        DWORD_PTR answer = 0;
        ++probes.sent;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer)) ++probes.unanswered;
        probes.slowestMs = std::max(probes.slowestMs, nowMs() - sentAt);
        if (probes.topmostAtMs < 0 && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
            probes.topmostAtMs = sentAt;
        }
        sleepSeconds(0.2);
    }
    return probes;
}

void printTimeline(const std::vector<LogEntry>& entries, long long hangMs) {
    std::printf("what reached the client, seconds from the start of its %.0f s hang:\n", kHangSeconds);
    for (const LogEntry& entry : entries) {
        if (entry.ms < hangMs - 2000) continue;
        std::printf("  %+8.3f %s\n", static_cast<double>(entry.ms - hangMs) / 1000.0, describe(entry).c_str());
    }
}

using HungClient = EndToEnd;

TEST_F(HungClient, TheAddOnKeepsAnsweringAndCarriesOnWithoutCrashing) {
    startStandin();
    const std::string typed = "kept safe";
    ASSERT_TRUE(command("type " + typed));
    const long long started = nowMs();
    startAddOn();

    // Hang the client in the middle of typing the load banner: the box has just been
    // cleared, and the add-on pauses before it types the line.
    ASSERT_TRUE(waitUntil(
        [&] {
            std::vector<LogEntry> inputs = log().inputs();
            return std::count_if(inputs.begin(), inputs.end(), [&](const LogEntry& e) {
                       return e.ms >= started && e.field(1) == "WM_SETTEXT";
                   }) >= 2;
        },
        30))
        << "the add-on never cleared the input box";
    ASSERT_TRUE(command("hang " + std::to_string(static_cast<int>(kHangSeconds))));
    const std::vector<LogEntry> hangs = log().entries("hang");
    ASSERT_EQ(hangs.size(), 1u);
    const long long hangMs = hangs.front().ms;
    const long long recoveredMs = hangMs + static_cast<long long>(kHangSeconds * 1000);

    const Probes probes = probe(mainWindow(), recoveredMs - 500);
    std::printf("during the hang: %d probes of the main window, %d unanswered, slowest answer %lld ms; "
                "start-up went on (main window put on top) at %+.3f s\n",
                probes.sent, probes.unanswered, probes.slowestMs,
                probes.topmostAtMs < 0 ? 0.0 : static_cast<double>(probes.topmostAtMs - hangMs) / 1000.0);
    EXPECT_GT(probes.sent, 20);
    EXPECT_EQ(probes.unanswered, 0) << "the add-on's main window stopped answering while the client hung";

    // Once the client answers again, let the add-on finish what it had begun.
    waitUntil(
        [&] {
            std::vector<LogEntry> entries = log().read();
            return nowMs() > recoveredMs + 3000 && nowMs() - entries.back().ms > 2000;
        },
        kHangSeconds + 30);
    const std::string boxText = controlText(inputBox());
    std::printf("input box afterwards: \"%s\" (the user had typed \"%s\"); the add-on %s\n",
                printable(boxText).c_str(), typed.c_str(), addOn().running() ? "still runs" : "has ended");
    ASSERT_TRUE(standin().running()) << "the stand-in client ended during its hang, exit code 0x" << std::hex
                                     << standin().waitForExit(0).value_or(0);
    ASSERT_TRUE(addOn().running()) << "the add-on ended while or after the client hung";
    // Start-up went on to its end, whether it gave the banner up or posted it late.
    EXPECT_TRUE(GetWindowLongA(mainWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "start-up never finished";

    // Nothing half-made reached the room: the load banner whole, or nothing.
    const std::string banner = loadBanner(defaultPrefix("000000"), Colours{});
    const std::vector<std::string> posted = log().posted();
    EXPECT_LE(posted.size(), 1u);
    for (const std::string& line : posted) EXPECT_EQ(printable(line), printable(banner));

    // It still ends properly, posting the unload banner into the recovered client.
    const std::optional<DWORD> exitCode = closeAddOn(30);
    printTimeline(log().read(), hangMs);
    ASSERT_TRUE(exitCode) << "the add-on did not end after the hang";
    EXPECT_EQ(*exitCode, 0u);
    const std::vector<std::string> after = log().posted();
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(printable(after.back()), printable(unloadBanner(defaultPrefix("000000"), Colours{})));
    EXPECT_EQ(caption(frame()), kClosingCaption);
}

}  // namespace
}  // namespace lantern::e2e
