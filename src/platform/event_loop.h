#pragma once
// The seam to events and the clock: let pending events run, wait for events until a
// deadline (running them as they come, never spinning), read the time of day, and
// how long the user has not touched keyboard or mouse.

namespace lantern {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Let every event that is already waiting run once, then return.
    virtual void doEvents() = 0;

    // Wait at most `seconds` for events, running them as they arrive; return when
    // the time is up. It may return earlier; callers re-read the clock and wait
    // again (pauseSeconds does).
    virtual void waitForEvents(double seconds) = 0;

    // Seconds since local midnight, with fractions; restarts at 0 at midnight.
    virtual double timeOfDay() = 0;

    // Seconds since the last keyboard or mouse input anywhere in the user's session,
    // not only in our windows (GetLastInputInfo).
    virtual double secondsSinceInput() = 0;
};

}  // namespace lantern
