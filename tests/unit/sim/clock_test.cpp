// The virtual clock: waits jump from event to event, events keep their order, the
// time of day wraps at midnight, and timers tick as a toolkit's do.

#include <gtest/gtest.h>

#include "platform/sim/desktop.h"

namespace lantern::sim {
namespace {

class ClockTest : public ::testing::Test {
protected:
    Desktop desktop;
    EventLoop& events = desktop.events();
    std::vector<std::string> log;
};

TEST_F(ClockTest, WaitsRunEventsInTimeOrderThenPostingOrder) {
    desktop.post(2, [&] { log.push_back("b"); });
    desktop.post(1, [&] { log.push_back("a"); });
    desktop.post(2, [&] { log.push_back("c"); });
    desktop.post(3, [&] { log.push_back("late"); });
    events.waitForEvents(2.5);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_DOUBLE_EQ(desktop.now(), 2.5);
}

TEST_F(ClockTest, DoEventsRunsWhatIsWaitingButNotWhatItPostsOrWhatIsLater) {
    desktop.post(0, [&] {
        log.push_back("due");
        desktop.post(0, [&] { log.push_back("posted meanwhile"); });
    });
    desktop.post(0.1, [&] { log.push_back("later"); });
    events.doEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"due"}));
    EXPECT_EQ(desktop.now(), 0);
    events.doEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"due", "posted meanwhile"}));
}

TEST_F(ClockTest, AMinuteWaitWithATimerRunningIsOneWaitNotThousands) {
    auto timer = desktop.toolkit().createTimer();
    int ticks = 0;
    timer->onTick = [&] { ++ticks; };
    timer->setInterval(50);
    timer->setEnabled(true);
    events.waitForEvents(60);
    EXPECT_EQ(ticks, 1200);
    EXPECT_EQ(desktop.eventWaits(), 1);
    EXPECT_DOUBLE_EQ(desktop.now(), 60);
}

TEST_F(ClockTest, ANestedWaitNeverTurnsTheClockBack) {
    desktop.post(1, [&] { events.waitForEvents(5); });
    desktop.post(4, [&] { log.push_back("inner"); });
    events.waitForEvents(2);
    EXPECT_EQ(log, (std::vector<std::string>{"inner"}));
    EXPECT_DOUBLE_EQ(desktop.now(), 6);
}

TEST_F(ClockTest, TimeOfDayWrapsAtMidnight) {
    desktop.setTimeOfDay(86399.5);
    EXPECT_DOUBLE_EQ(events.timeOfDay(), 86399.5);
    events.waitForEvents(1);
    EXPECT_DOUBLE_EQ(events.timeOfDay(), 0.5);
    desktop.runFor(86400);
    EXPECT_DOUBLE_EQ(events.timeOfDay(), 0.5);
}

TEST_F(ClockTest, TheEndOfTheProgramStopsTheRunAndSilencesItsTimers) {
    auto timer = desktop.toolkit().createTimer();
    int ticks = 0;
    timer->onTick = [&] {
        if (++ticks == 3) desktop.toolkit().endProgramNow();
    };
    timer->setInterval(1000);
    timer->setEnabled(true);
    desktop.post(10, [&] { log.push_back("after the end"); });
    desktop.runFor(5);
    EXPECT_TRUE(desktop.programEnded());
    EXPECT_DOUBLE_EQ(desktop.now(), 3);
    desktop.runFor(20);  // the desktop goes on; the program does not
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"after the end"}));
    EXPECT_TRUE(desktop.run([&] { desktop.toolkit().endProgramNow(); }));
    EXPECT_FALSE(desktop.run([] {}));
}

TEST_F(ClockTest, AnEventThatRepostsItselfWithoutDelayIsAnErrorNotAHang) {
    std::function<void()> forever = [&] { desktop.post(0, forever); };
    desktop.post(0, forever);
    EXPECT_THROW(events.waitForEvents(1), std::logic_error);
}

// ---- timers

class TimerTest : public ClockTest {
protected:
    std::unique_ptr<Timer> timer = desktop.toolkit().createTimer();
    std::vector<double> ticks;
    void SetUp() override {
        timer->onTick = [&] { ticks.push_back(desktop.now()); };
        timer->setInterval(1000);
    }
};

TEST_F(TimerTest, EnablingStartsAFullIntervalAndDisablingSilences) {
    timer->setEnabled(true);
    desktop.runFor(2.5);
    timer->setEnabled(false);
    desktop.runFor(10);
    timer->setEnabled(true);  // a full second from 12.5, not from the old rhythm
    desktop.runFor(1.2);
    EXPECT_EQ(ticks, (std::vector<double>{1, 2, 13.5}));
}

TEST_F(TimerTest, SwitchingOffAndOnWithinAnIntervalStartsAfresh) {
    timer->setEnabled(true);
    desktop.runFor(0.6);
    timer->setEnabled(false);
    timer->setEnabled(true);
    desktop.runFor(1.5);
    EXPECT_EQ(ticks, (std::vector<double>{1.6}));
}

TEST_F(TimerTest, ATickNeverRunsInsideItself) {
    int depth = 0, deepest = 0;
    timer->onTick = [&] {
        ticks.push_back(desktop.now());
        deepest = std::max(deepest, ++depth);
        desktop.events().waitForEvents(2.5);  // a handler that pauses past its interval
        --depth;
    };
    timer->setEnabled(true);
    desktop.runFor(7.2);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(ticks, (std::vector<double>{1, 4, 7}));
}

TEST_F(TimerTest, ADisabledOrZeroIntervalOrDestroyedTimerNeverFires) {
    desktop.runFor(5);  // never enabled
    timer->setInterval(0);
    timer->setEnabled(true);
    desktop.runFor(5);
    timer->setInterval(500);
    desktop.runFor(0.4);
    timer.reset();  // a tick is queued for 0.1 s from now
    desktop.runFor(5);
    EXPECT_TRUE(ticks.empty());
}

}  // namespace
}  // namespace lantern::sim
