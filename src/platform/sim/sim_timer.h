#pragma once
// The toolkit's repeating timer on the virtual clock. Each start posts a tick one
// interval ahead, tagged with a generation; stopping or restarting bumps the
// generation, so ticks already queued for an older start do nothing.

#include <cstdint>
#include <memory>

#include "platform/sim/event_queue.h"
#include "platform/toolkit.h"

namespace lantern::sim {

class SimTimer;

// Shared between the timer and its queued ticks, which may outlive it.
struct TimerState {
    SimTimer* owner = nullptr;  // not owned; null once the timer is gone
    unsigned interval = 0;  // milliseconds
    bool enabled = false;
    bool ticking = false;  // onTick is running: further ticks are skipped
    bool silenced = false;  // the program ended
    std::uint64_t generation = 0;
};

class SimTimer final : public Timer {
public:
    explicit SimTimer(EventQueue& clock);
    ~SimTimer() override;
    unsigned interval() const override { return state_->interval; }
    void setInterval(unsigned milliseconds) override;
    bool enabled() const override { return state_->enabled; }
    void setEnabled(bool enabled) override;

    std::weak_ptr<TimerState> state() const { return state_; }

private:
    // Starts a full interval from now (when enabled and the interval is not 0).
    void restart();
    static void tick(EventQueue& clock, const std::weak_ptr<TimerState>& weak, std::uint64_t generation);

    EventQueue& clock_;  // not owned: the desktop's, which outlives the timer's ticks
    std::shared_ptr<TimerState> state_;
};

}  // namespace lantern::sim
