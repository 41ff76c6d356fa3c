#pragma once
// The virtual clock and its queue of events. Time moves only when somebody waits:
// a wait jumps from one due event to the next, so a minute of waiting costs as many
// steps as there are events in it, and nothing ever spins.

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace lantern::sim {

class EventQueue {
public:
    double now() const { return now_; }

    // Runs `event` once virtual time reaches `time` (at once if it is already past).
    // Events due at the same time run in the order they were posted.
    void postAt(double time, std::function<void()> event);
    void post(double delay, std::function<void()> event) { postAt(now_ + delay, std::move(event)); }

    // Runs every event that is due now and was already queued when the call began;
    // events that those post wait for the next call.
    void runDue();

    // Lets time pass up to `deadline`, running events as they come due, then leaves
    // the clock at the deadline (or later, if a nested wait went further).
    void runUntil(double deadline);

    // Time passes with nothing running (the caller is blocked, e.g. in a send to a
    // hung window). Events that came due meanwhile run at the next wait.
    void advanceTo(double time);

    bool empty() const { return queue_.empty(); }

private:
    using Key = std::pair<double, std::uint64_t>;  // due time, then order of posting

    // Takes the earliest event if it is due by `deadline` and runs it.
    bool runNextDueBy(double deadline, std::uint64_t postedBefore);

    double now_ = 0;
    std::uint64_t nextSequence_ = 0;
    std::map<Key, std::function<void()>> queue_;
    // Guards against events that re-post themselves without delay forever.
    double instant_ = -1;
    long eventsThisInstant_ = 0;
};

}  // namespace lantern::sim
