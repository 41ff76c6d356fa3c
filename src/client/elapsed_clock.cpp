#include "client/elapsed_clock.h"

namespace lantern {

namespace {
constexpr double kSecondsPerDay = 24.0 * 60.0 * 60.0;
}

ElapsedClock::ElapsedClock(EventLoop& events) : events_(events), lastReading_(events.timeOfDay()) {}

double ElapsedClock::elapsed() {
    const double now = events_.timeOfDay();
    double step = now - lastReading_;
    if (step < 0) {
        step += kSecondsPerDay;  // the time of day passed midnight
    }
    elapsed_ += step;
    lastReading_ = now;
    return elapsed_;
}

}  // namespace lantern
