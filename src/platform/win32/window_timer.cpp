#include "platform/win32/window_timer.h"

namespace lantern::win32 {

WindowTimer::WindowTimer(Backend& backend) : backend_(backend), id_(backend.nextTimerId++) {
    backend_.timers[id_] = this;
}

WindowTimer::~WindowTimer() {
    KillTimer(backend_.host, id_);
    backend_.timers.erase(id_);
}

void WindowTimer::setInterval(unsigned milliseconds) {
    interval_ = milliseconds;
    restart();
}

void WindowTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;  // enabling an enabled timer keeps its phase
    enabled_ = enabled;
    restart();
}

void WindowTimer::restart() {
    // An interval of 0 never fires; SetTimer would make it the shortest period.
    if (enabled_ && interval_ > 0) {
        SetTimer(backend_.host, id_, interval_, nullptr);
    } else {
        KillTimer(backend_.host, id_);
    }
}

void WindowTimer::tick() {
    if (ticking_ || !enabled_ || !onTick) return;
    ticking_ = true;
    auto watch = life_.watch();
    callCopy(onTick);  // which may destroy the timer
    if (!watch.expired()) ticking_ = false;
}

}  // namespace lantern::win32
