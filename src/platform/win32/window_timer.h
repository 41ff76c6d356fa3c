#pragma once
// A repeating timer: SetTimer on the backend's hidden window, one id per timer. A
// tick that comes while the previous one still runs (its handler let events run) is
// skipped, so ticks never nest.

#include "platform/toolkit.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class WindowTimer final : public Timer {
public:
    explicit WindowTimer(Backend& backend);
    ~WindowTimer() override;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    unsigned interval() const override { return interval_; }
    void setInterval(unsigned milliseconds) override;
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;

    // WM_TIMER for this timer's id.
    void tick();

private:
    // Starts a full interval when enabled with an interval; stops the timer otherwise.
    void restart();

    Backend& backend_;  // not owned; outlives every timer
    UINT_PTR id_;
    unsigned interval_ = 0;
    bool enabled_ = false;
    bool ticking_ = false;
    LifeToken life_;
};

}  // namespace lantern::win32
