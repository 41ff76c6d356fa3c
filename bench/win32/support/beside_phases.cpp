#include "bench/win32/support/beside_session.h"

#include "bench/support/summary.h"
#include "bench/win32/support/input_agent.h"
#include "bench/win32/support/other_windows.h"

namespace lantern::bench::beside {
namespace {

constexpr const char* kMainWindowClass = "LanternForm";
constexpr const char* kMainWindowCaption = "Idle";
constexpr POINT kArrow{176, 16};  // in the bar's arrow hot spot (168..185, 8..25)

}  // namespace

// ---- quiet room

void Session::measureQuiet() {
    const std::string length = fixed(options_.quietSeconds, 0) + " s";
    besideOver("quiet room " + length + ", idling off", options_.quietSeconds,
               [](long long until) { sleepMs(until - nowMs()); });
    switchIdle(".idleon", kIdleOnWord);
    const std::size_t from = log_->refresh().size();
    besideOver("quiet room " + length + ", idling on", options_.quietSeconds,
               [](long long until) { sleepMs(until - nowMs()); });
    int idleLines = 0;
    for (std::size_t i = from; i < log_->refresh().size(); ++i) {
        idleLines += log_->entries()[i].kind == "posted";
    }
    note("idle lines posted while idling on: " + std::to_string(idleLines));
    switchIdle(".idleoff", kIdleOffWord);
}

// ---- latency

double Session::comsDelay() {
    const std::size_t posted = userSends(".coms");
    const std::size_t reaction = need(log_->waitFor(posted + 1, readsInputBox, kPatience), "the add-on at work");
    const std::size_t answered = answer(posted, kCommandsWord);
    const double delay = static_cast<double>(log_->entries()[reaction].ms - log_->entries()[posted].ms);
    waitForLineSent(answered);
    // The add-on at rest again before the next sample: after the answer come the last
    // pause of its post (0.4 s), the chores' pause (0.3 s) and the handling of its own
    // line as the room shows it. A line that came sooner would wait behind them, and
    // the sample would time that queue rather than how soon the line is seen.
    sleepMs(1500);
    return delay;
}

void Session::measureLatency() {
    const std::string load = loadAverage();
    std::vector<double> delays;
    for (int i = 0; i < options_.samples; ++i) {
        delays.push_back(comsDelay());
    }
    const Summary summary = summarise(delays);
    const std::string what = "user's .coms to the add-on's first message to the input box";
    const std::string method = kPlatform + ", " + std::to_string(summary.count) +
                               " samples, each to the add-on at rest, stand-in log times, load average " + load;
    printResult(what + ", median", summary.median, "ms", method);
    printResult(what + ", 95th percentile", summary.p95, "ms", method);
    printResult(what + ", worst", summary.worst, "ms", method);
    note("quiet for " + fixed(options_.longQuietSeconds, 0) + " s before the last sample");
    sleepMs(static_cast<long long>(options_.longQuietSeconds * 1000));
    const std::string loadAfter = loadAverage();
    const double afterQuiet = comsDelay();
    printResult(what + ", after " + fixed(options_.longQuietSeconds, 0) + " s of quiet", afterQuiet, "ms",
                kPlatform + ", one sample, stand-in log times, load average " + loadAfter);
}

// ---- busy room

void Session::measureBusy() {
    const std::size_t from = log_->refresh().size();
    besideOver("busy room, a line a second for " + fixed(options_.busySeconds, 0) + " s", options_.busySeconds + 2,
               [&](long long until) {
                   for (int i = 0; nowMs() < until - 2000; ++i) {
                       standinCommand("say buddy\tbusy line " + std::to_string(i) + " with a few words in it");
                       sleepMs(1000);
                   }
                   sleepMs(until - nowMs());  // the last lines handled
               });
    int said = 0;
    for (std::size_t i = from; i < log_->refresh().size(); ++i) {
        said += log_->entries()[i].kind == "said";
    }
    note("busy room: " + std::to_string(said) + " lines said");
}

// ---- the hung client

HWND Session::mainWindow() const {
    for (HWND window : topLevelWindows(kMainWindowClass, addOn_.id())) {
        if (captionOf(window) == kMainWindowCaption) {
            return window;
        }
    }
    return nullptr;
}

bool Session::showBar() {
    HWND bar = mainWindow();
    if (bar && IsWindowVisible(bar)) {
        return true;
    }
    HWND splash = visibleWindow(kMainWindowClass, addOn_.id(), 10, bar);
    if (!splash) {
        return false;
    }
    RECT r{};
    GetWindowRect(splash, &r);
    xdotool({"mousemove", std::to_string((r.left + r.right) / 2), std::to_string((r.top + r.bottom) / 2)});
    xdotool({"key", "alt+F4"});
    for (const long long deadline = nowMs() + 10000; nowMs() < deadline; sleepMs(50)) {
        if (bar && IsWindowVisible(bar)) {
            return true;
        }
    }
    return false;
}

void Session::measureHangClick() {
    if (!inputAgentPresent()) {
        note("hang: no input agent (LANTERN_INPUT_AGENT), so no click; run through scripts/bench-win32.sh");
        return;
    }
    sleepMs(2000);  // the watcher polls the room
    const std::string load = loadAverage();
    if (!standinCommand("hang " + fixed(options_.hangSeconds, 0))) {
        fail("the stand-in refused to hang");
    }
    sleepMs(static_cast<long long>(options_.clickAfter * 1000));
    RECT bar{};
    GetWindowRect(mainWindow(), &bar);
    xdotool({"mousemove", std::to_string(bar.left + kArrow.x), std::to_string(bar.top + kArrow.y)});
    const long long clicked = nowMs();
    xdotool({"click", "1"});
    HWND menu = visibleWindow("#32768", addOn_.id(), options_.hangSeconds + 10);
    const long long up = nowMs();
    if (!menu) {
        note("hang: no menu came up");
    } else {
        printResult("the bar's arrow clicked " + fixed(options_.clickAfter, 0) + " s into a " +
                        fixed(options_.hangSeconds, 0) + " s hang of the client, to the menu up",
                    static_cast<double>(up - clicked), "ms",
                    kPlatform + ", xdotool click, one sample, this driver's clock, load average " + load);
        xdotool({"key", "Escape"});
    }
    xdotool({"mousemove", "1000", "750"});
    // A control command waits for the hang to end.
    standinCommand("type ");
    sleepMs(2000);
}

}  // namespace lantern::bench::beside
