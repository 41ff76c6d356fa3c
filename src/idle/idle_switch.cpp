// Switching idling on and off, in both forms: the steps they share, in order, with
// the form's own banner, caption and counter reset where the form says.

#include <string>

#include "idle/presence.h"
#include "style/lines.h"

namespace lantern {
namespace {

// The caption that switching on by chat command gives our main window.
std::string idleCaption(const IdleState& idle) {
    return "Idle " + std::to_string(idle.idleDays) + " : " + std::to_string(idle.idleHrs) + " : " +
           std::to_string(idle.idleMins);
}

}  // namespace

const IdleSwitchForm kChatCommandSwitch{commandIdleBanner, true, false};
const IdleSwitchForm kMenuSwitch{menuIdleBanner, false, true};

void Presence::switchIdleOn(const IdleSwitchForm& form, std::optional<IdleTime> counters) {
    ++idleSwitches_;
    if (counters) {
        idle_.idleDays = counters->days;
        idle_.idleHrs = counters->hours;
        idle_.idleMins = counters->minutes;
    }
    mainWindow_->setIdleText("on");
    idle_.idleOn = true;
    if (form.onShowsCountersInCaption) mainWindow_->setCaption(idleCaption(idle_));
    client_.sendChat(form.banner(style_, IdleEvent::On));
    // Posting lets other events run. Should idling have been switched off meanwhile,
    // the timer is enabled all the same: its ticks then find "off" in the box and
    // return at once, and the timer runs on until the next switch.
    mainWindow_->idleTimer().setEnabled(true);
    mainWindow_->setIdleButtonEnabled(false);
    mainWindow_->setOffButtonEnabled(true);
}

void Presence::switchIdleOff(const IdleSwitchForm& form) {
    ++idleSwitches_;
    mainWindow_->setIdleText("off");
    idle_.idleOn = false;
    mainWindow_->idleTimer().setEnabled(false);
    mainWindow_->setOffButtonEnabled(false);
    mainWindow_->setIdleButtonEnabled(true);
    // The caption is left as it stands.
    client_.sendChat(form.banner(style_, IdleEvent::Off));
    if (form.offZeroesCounters) {
        idle_.idleMins = 0;
        idle_.idleDays = 0;
        idle_.idleHrs = 0;
    }
}

void Presence::setReason(const std::string& reason) { idle_.reasonText = reason; }

void Presence::useStyle(const CurrentStyle& style) { style_ = style; }

}  // namespace lantern
