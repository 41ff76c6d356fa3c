// Pauses on the virtual clock: the time of day is read with rounding, so a pause
// can find itself a hair short of its time and wait for the rest. That rest must
// move the clock, however small it is, or the pause never ends.

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "client/client.h"
#include "platform/sim/desktop.h"
#include "seeded_random.h"

namespace lantern::faults {
namespace {

// Gives up, with an error that fails the test, on a caller that keeps waiting.
class BoundedEvents final : public EventLoop {
public:
    explicit BoundedEvents(EventLoop& inner) : inner_(inner) {}
    void doEvents() override { inner_.doEvents(); }
    void waitForEvents(double seconds) override {
        if (++waits > 1000) throw std::runtime_error("a pause that never ends");
        inner_.waitForEvents(seconds);
    }
    double timeOfDay() override { return inner_.timeOfDay(); }
    long waits = 0;

private:
    EventLoop& inner_;  // not owned
};

TEST(VirtualWait, AnyPositiveWaitMovesTheClock) {
    sim::Desktop desktop;
    desktop.runFor(23.221);
    const double before = desktop.now();
    desktop.events().waitForEvents(1e-300);
    EXPECT_GT(desktop.now(), before);
}

TEST(VirtualWait, PausesEndWhereverTheClockStands) {
    // Clock readings at which a pause used to fall a hair short and never end,
    // then a sweep of other readings.
    std::vector<std::pair<double, double>> starts = {
        {126.42326932003876, 70.44709823089177},
        {38.090596702152624, 66.93100085883228},
        {45.38776595934273, 36.271757267655545},
    };
    SeededRandom random(1);
    for (int n = 0; n < 3000; ++n) starts.emplace_back(random.between(0, 86400), random.between(0, 100));

    for (const auto& [timeOfDay, virtualTime] : starts) {
        sim::Desktop desktop;
        desktop.setTimeOfDay(timeOfDay);
        desktop.runFor(virtualTime);
        BoundedEvents events(desktop.events());
        Platform platform{desktop.windows(), desktop.registry(), events, desktop.toolkit()};
        Client client(platform);
        for (double seconds : {0.3, 0.3, 0.4, 0.2, 0.6}) {
            const double before = desktop.now();
            client.pauseSeconds(seconds);  // a pause that never ends throws
            EXPECT_NEAR(desktop.now() - before, seconds, 1e-5) << "time of day " << timeOfDay;
        }
    }
}

}  // namespace
}  // namespace lantern::faults
