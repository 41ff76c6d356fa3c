// Seeded fault schedules: lantern-idle runs against the stand-in client while the client
// breaks under it. It must not crash, hang, post into the wrong window or post a line it
// never meant to, and ".idleon" must work once the client is in order.
// LANTERN_FAULT_SEED=<n> replays schedule n with a trace; LANTERN_FAULT_SCHEDULES=<n> runs n;
// LANTERN_FAULT_SHARD=<k>/<m> runs only every m-th of them from the k-th (k from 0), so
// that processes side by side share the schedules.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "fault_schedule.h"

#if !defined(__SANITIZE_ADDRESS__) && defined(__has_feature)  // clang's way of saying it
#if __has_feature(address_sanitizer)
#define __SANITIZE_ADDRESS__ 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
extern "C" void __sanitizer_set_death_callback(void (*callback)(void));
constexpr std::uint64_t kDefaultSchedules = 500;
#elif defined(_WIN32)
constexpr std::uint64_t kDefaultSchedules = 2000;
#else
constexpr std::uint64_t kDefaultSchedules = 10000;
#endif

namespace lantern::faults {
namespace {

volatile std::uint64_t runningSeed = 0;  // read when the process crashes

extern "C" void sayWhichScheduleCrashed() {
    std::fprintf(stderr, "\nfault schedule crashed; replay it with LANTERN_FAULT_SEED=%llu\n",
                 static_cast<unsigned long long>(runningSeed));
}

extern "C" void onCrash(int signal) { sayWhichScheduleCrashed(), std::signal(signal, SIG_DFL), std::raise(signal); }

TEST(FaultSchedules, TheAddOnStaysSoundWhileTheClientBreaksUnderIt) {
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGILL}) std::signal(signal, onCrash);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(sayWhichScheduleCrashed);
#endif
    if (const char* replay = std::getenv("LANTERN_FAULT_SEED"); replay && *replay) {
        runningSeed = std::strtoull(replay, nullptr, 10);
        EXPECT_EQ(FaultSchedule(runningSeed, &std::cout).run(), std::vector<std::string>{});
        return;
    }
    const char* wanted = std::getenv("LANTERN_FAULT_SCHEDULES");
    const std::uint64_t count = wanted && *wanted ? std::strtoull(wanted, nullptr, 10) : kDefaultSchedules;
    unsigned long long shard = 0, shards = 1;
    if (const char* part = std::getenv("LANTERN_FAULT_SHARD"); part && *part) {
        ASSERT_EQ(std::sscanf(part, "%llu/%llu", &shard, &shards), 2) << "LANTERN_FAULT_SHARD=" << part;
        ASSERT_LT(shard, shards) << "LANTERN_FAULT_SHARD=" << part;
    }
    std::string shown;
    long ran = 0, failed = 0, faults = 0, returns = 0, lines = 0;
    for (std::uint64_t seed = 1 + shard; seed <= count; seed += shards, ++ran) {
        runningSeed = seed;
        FaultSchedule schedule(seed);
        const std::vector<std::string> problems = schedule.run();
        faults += schedule.faults, returns += schedule.returnsJudged, lines += schedule.linesJudged;
        if (!problems.empty() && ++failed <= 20) shown += "seed " + std::to_string(seed) + ": " + problems[0] + "\n";
    }
    EXPECT_EQ(failed, 0) << failed << " of " << ran << " schedules failed:\n"
                         << shown << "replay one with LANTERN_FAULT_SEED=<seed>";
    // The faults really happen, and the judges get carriage returns and lines to judge.
    EXPECT_GT(faults, ran);
    EXPECT_GT(returns, ran);
    EXPECT_GT(lines, ran);
}

TEST(FaultSchedules, ASeedReplaysTheSameRun) {
    std::ostringstream first, second, other;
    FaultSchedule(3, &first).run();
    FaultSchedule(3, &second).run();
    FaultSchedule(4, &other).run();
    EXPECT_EQ(first.str(), second.str());
    EXPECT_NE(first.str().find("fault: "), std::string::npos) << "a schedule with faults in it";
    EXPECT_NE(first.str(), other.str());
}

// A judge that passed what is wrong would let a schedule pass over a fault of the add-on
// (what is right, the schedules show: a judge that rejected it would fail them).
TEST(FaultSchedules, EachJudgeRejectsWhatIsWrong) {
    sim::Desktop desktop;
    standin::SimStandin client{desktop, {.rooms = {"Lobby"}}};
    const WindowHandle room = client.roomWindow(), input = client.inputBox(), frame = client.frame();
    const std::string line = "<b>hi</b>";
    const auto wrong = [&](SeamCall call) { return misdirected(desktop, &client, call).has_value(); };
    const auto unknown = [](const std::string& posted) { return classify(posted, kStyle).form == LineForm::Unknown; };
    const auto stops = [](Watchdog limits, const std::string& forged, const std::string& says) {
        FaultSchedule schedule(3, nullptr, limits);
        schedule.forged = forged;
        const std::vector<std::string> problems = schedule.run();
        return std::any_of(problems.begin(), problems.end(), [&](auto& p) { return text::contains(p, says); });
    };
    const expected::Style other{kStyle.prefix, kStyle.c1, "0000ff"};
    const struct {
        const char* what;
        bool rejected;
    } cases[] = {
        {"return to the frame", wrong({Kind::Send, frame, msg::Char, kVkReturn})},
        {"another key to the input box", wrong({Kind::Send, input, msg::Char, 'a'})},
        {"a chat line to the frame", wrong({Kind::Send, frame, msg::SetText, 0, &line})},
        {"closing a room", wrong({Kind::Send, room, msg::Close})},
        {"pressing another toolbar icon", wrong({Kind::Send, client.toolbarIcon(18), msg::LButtonDown})},
        {"a move loop on the frame", wrong({Kind::Send, frame, msg::NcLButtonDown, kHtCaption})},
        {"minimising a room", wrong({Kind::Show, room, 0, sw::Minimize})},
        {"a client window on top", wrong({Kind::Topmost, room})},
        {"a banner in another colour", unknown(expected::banner(other, expected::kLoad))},
        {"a banner and a space", unknown(expected::banner(kStyle, expected::kLoad) + " ")},
        {"sixty minutes", unknown(expected::idleLine(kStyle, 0, 0, 60, "uppin."))},
        {"twenty-four hours", unknown(expected::idleLine(kStyle, 0, 24, 0, "uppin."))},
        {"another transfer marker", unknown(expected::transferLine(kStyle, "x", "", "", "uppin."))},
        {"too many calls", stops({.calls = 2000}, "", "too many calls")},
        {"virtual time past the schedule", stops({.overrunSeconds = 1}, "", "past the end of the schedule")},
        {"a room nobody asked for", stops({}, expected::roomLine(kStyle, true, "trap"), "never asked for")},
        {"another idle reason", stops({}, expected::idleLine(kStyle, 9, 0, 0, "x"), "not the default reason")},
        {"a line of nobody's", stops({}, "lol", "never meant to post")},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.rejected) << c.what;
}

// Fails the test, by throwing, when a pause keeps waiting.
struct BoundedEvents final : EventLoop {
    explicit BoundedEvents(EventLoop& loop) : inner(loop) {}
    void doEvents() override { inner.doEvents(); }
    void waitForEvents(double seconds) override {
        if (++waits > 1000) throw std::runtime_error("a pause that never ends");
        inner.waitForEvents(seconds);
    }
    double timeOfDay() override { return inner.timeOfDay(); }
    double secondsSinceInput() override { return inner.secondsSinceInput(); }
    EventLoop& inner;  // not owned
    long waits = 0;
};

// The time of day is read with rounding, so a pause can fall a hair short of its time
// and wait for the rest: that rest must move the clock, however small.
TEST(VirtualWait, AnyPositiveWaitMovesTheClockAndPausesEndWhereverItStands) {
    sim::Desktop still;
    still.runFor(23.221);
    const double then = still.now();
    still.events().waitForEvents(1e-300);
    EXPECT_GT(still.now(), then);
    // (Time of day, virtual time) where a pause never ended.
    for (const auto& [timeOfDay, virtualTime] : {std::pair{126.42326932003876, 70.44709823089177},
                                                 {38.090596702152624, 66.93100085883228},
                                                 {45.38776595934273, 36.271757267655545}}) {
        sim::Desktop desktop;
        desktop.setTimeOfDay(timeOfDay);
        desktop.runFor(virtualTime);
        BoundedEvents events(desktop.events());
        Platform platform{desktop.windows(), desktop.registry(), events, desktop.toolkit()};
        Client client(platform);
        for (double seconds : {0.3, 0.3, 0.4, 0.2, 0.6}) {
            const double before = desktop.now();
            client.pauseSeconds(seconds);
            EXPECT_NEAR(desktop.now() - before, seconds, 1e-5) << "time of day " << timeOfDay;
        }
    }
}

}  // namespace
}  // namespace lantern::faults
