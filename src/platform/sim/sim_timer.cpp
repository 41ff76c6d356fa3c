#include "platform/sim/sim_timer.h"

#include <functional>

namespace lantern::sim {

SimTimer::SimTimer(EventQueue& clock) : clock_(clock), state_(std::make_shared<TimerState>()) { state_->owner = this; }

SimTimer::~SimTimer() { state_->owner = nullptr; }

void SimTimer::setInterval(unsigned milliseconds) {
    state_->interval = milliseconds;
    // A new interval counts from now, as a toolkit timer restarts when it is changed.
    if (state_->enabled) restart();
}

void SimTimer::setEnabled(bool enabled) {
    if (enabled == state_->enabled) return;
    state_->enabled = enabled;
    // A tick queued before a stop finds the timer off, or restarted (a newer generation).
    if (enabled) restart();
}

void SimTimer::restart() {
    const std::uint64_t generation = ++state_->generation;
    if (state_->interval == 0) return;  // an interval of 0 never fires
    std::weak_ptr<TimerState> weak = state_;
    EventQueue& clock = clock_;
    clock_.post(state_->interval / 1000.0, [&clock, weak, generation] { tick(clock, weak, generation); });
}

void SimTimer::tick(EventQueue& clock, const std::weak_ptr<TimerState>& weak, std::uint64_t generation) {
    std::shared_ptr<TimerState> state = weak.lock();
    if (!state || !state->owner || state->silenced || !state->enabled || state->generation != generation) {
        return;
    }
    // The next tick is due one interval from now, whether or not this one runs.
    clock.post(state->interval / 1000.0, [&clock, weak, generation] { tick(clock, weak, generation); });
    if (state->ticking) return;  // never inside itself
    std::function<void()> onTick = state->owner->onTick;
    if (!onTick) return;
    struct Ticking {
        TimerState& state;
        ~Ticking() { state.ticking = false; }
    } guard{*state};
    state->ticking = true;
    onTick();
}

}  // namespace lantern::sim
