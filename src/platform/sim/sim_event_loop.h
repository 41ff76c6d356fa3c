#pragma once
// The event seam on the virtual clock: waits run the events that come due, pumping
// as the Windows backend pumps (a modal box gets its keys), and the time of day and
// the user's last input are read from the simulated desktop.

#include <algorithm>
#include <cmath>

#include "platform/event_loop.h"
#include "platform/sim/event_queue.h"
#include "platform/sim/sim_toolkit.h"

namespace lantern::sim {

class SimEventLoop final : public EventLoop {
public:
    SimEventLoop(EventQueue& clock, SimToolkit& toolkit) : clock_(clock), toolkit_(toolkit) {}

    void doEvents() override {
        ++waits;
        // Like every pump of the Windows backend, it hands a modal box its keys.
        SimToolkit::ProgramPump pump(toolkit_, true);
        clock_.runDue();
    }

    void waitForEvents(double seconds) override {
        ++waits;
        // A wait for any time at all lets the clock move on by at least a microsecond
        // (a real wait lasts at least a millisecond). Without that, a wait for less
        // than the clock can tell apart from now would end at once, and a caller that
        // re-reads the clock to wait out the rest would wait for ever.
        if (seconds > 0) seconds = std::max(seconds, kShortestWait);
        SimToolkit::ProgramPump pump(toolkit_, true);
        clock_.runUntil(clock_.now() + std::max(0.0, seconds));
    }

    double timeOfDay() override {
        double time = std::fmod(midnightOffset + clock_.now(), kSecondsPerDay);
        return time < 0 ? time + kSecondsPerDay : time;
    }

    double secondsSinceInput() override { return clock_.now() - toolkit_.lastInputAt(); }

    long waits = 0;
    double midnightOffset = 12 * 3600;  // the time of day when the clock read 0: noon

private:
    static constexpr double kSecondsPerDay = 86400;
    static constexpr double kShortestWait = 1e-6;

    EventQueue& clock_;  // not owned: the desktop's
    SimToolkit& toolkit_;  // not owned: where the user's input arrives and keys for a modal box wait
};

}  // namespace lantern::sim
