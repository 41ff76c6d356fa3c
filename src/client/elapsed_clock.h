#pragma once
// Time passed since a start, read from the time of day. The time of day restarts at
// 0 at midnight; the clock adds up the steps between its readings and takes a step
// backwards for a pass over midnight, so a wait that spans midnight still ends after
// its duration (as long as it is read at least once a day).

#include "platform/event_loop.h"

namespace lantern {

class ElapsedClock {
public:
    explicit ElapsedClock(EventLoop& events);

    // Seconds since the clock was made.
    double elapsed();

private:
    EventLoop& events_;  // not owned
    double lastReading_;
    double elapsed_ = 0;
};

}  // namespace lantern
