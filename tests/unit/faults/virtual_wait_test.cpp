// The time of day is read with rounding, so a pause can find itself a hair short of
// its time and wait for the rest: that rest must move the clock, however small.

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "client/client.h"
#include "platform/sim/desktop.h"

namespace lantern::faults {
namespace {

// Fails the test, by throwing, when a pause keeps waiting.
struct BoundedEvents final : EventLoop {
    explicit BoundedEvents(EventLoop& loop) : inner(loop) {}
    void doEvents() override { inner.doEvents(); }
    void waitForEvents(double seconds) override {
        if (++waits > 1000) throw std::runtime_error("a pause that never ends");
        inner.waitForEvents(seconds);
    }
    double timeOfDay() override { return inner.timeOfDay(); }
    EventLoop& inner;  // not owned
    long waits = 0;
};

TEST(VirtualWait, AnyPositiveWaitMovesTheClockAndPausesEndWhereverItStands) {
    sim::Desktop still;
    still.runFor(23.221);
    const double then = still.now();
    still.events().waitForEvents(1e-300);
    EXPECT_GT(still.now(), then);
    // (Time of day, virtual time) where a pause used to fall a hair short and never
    // end, then a sweep of others.
    std::vector<std::pair<double, double>> starts = {
        {126.42326932003876, 70.44709823089177}, {38.090596702152624, 66.93100085883228},
        {45.38776595934273, 36.271757267655545}};
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> day(0, 86400), elapsed(0, 100);
    for (int n = 0; n < 3000; ++n) starts.emplace_back(day(random), elapsed(random));
    for (const auto& [timeOfDay, virtualTime] : starts) {
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
