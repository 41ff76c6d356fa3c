#include "platform/sim/event_queue.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace lantern::sim {

namespace {
// More events than this at one virtual instant means a handler keeps re-posting
// itself with no delay: a hang on a real desktop, an error here.
constexpr long kMaxEventsPerInstant = 1'000'000;
}  // namespace

void EventQueue::postAt(double time, std::function<void()> event) {
    queue_.emplace(Key{std::max(time, now_), nextSequence_++}, std::move(event));
}

bool EventQueue::runNextDueBy(double deadline, std::uint64_t postedBefore) {
    auto it = std::find_if(queue_.begin(), queue_.end(),
                           [&](const auto& entry) { return entry.first.second < postedBefore; });
    if (it == queue_.end() || it->first.first > deadline) return false;
    // Taken off the queue before it runs, so that it may wait and post again.
    std::function<void()> event = std::move(it->second);
    double due = it->first.first;
    queue_.erase(it);
    now_ = std::max(now_, due);
    if (now_ != instant_) {
        instant_ = now_;
        eventsThisInstant_ = 0;
    }
    if (++eventsThisInstant_ > kMaxEventsPerInstant) {
        throw std::logic_error("simulated desktop: events keep posting themselves with no delay");
    }
    event();
    return true;
}

void EventQueue::runDue() {
    const std::uint64_t postedBefore = nextSequence_;
    while (runNextDueBy(now_, postedBefore)) {
    }
}

void EventQueue::runUntil(double deadline) {
    while (runNextDueBy(deadline, std::numeric_limits<std::uint64_t>::max())) {
    }
    advanceTo(deadline);
}

void EventQueue::advanceTo(double time) { now_ = std::max(now_, time); }

}  // namespace lantern::sim
