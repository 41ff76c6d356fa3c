#include "ui/auto_idle.h"

#include "style/settings.h"

namespace lantern {
namespace {

constexpr int kMostMinutes = 1440;

IdleTime asIdleTime(int minutes) {
    return {static_cast<std::int16_t>(minutes / 1440), static_cast<std::int16_t>(minutes % 1440 / 60),
            static_cast<std::int16_t>(minutes % 60)};
}

}  // namespace

std::optional<int> autoIdleMinutes(const std::string& stored) {
    if (stored.empty()) return std::nullopt;
    int minutes = 0;
    for (char c : stored) {
        if (c < '0' || c > '9') return std::nullopt;
        minutes = minutes * 10 + (c - '0');
        if (minutes > kMostMinutes) return std::nullopt;  // and no overflow however long
    }
    if (minutes < 1) return std::nullopt;
    return minutes;
}

AutoIdle::AutoIdle(Platform& platform, Presence& presence, MainWindow& mainWindow, MenuWindow& menu)
    : platform_(platform),
      presence_(presence),
      mainWindow_(mainWindow),
      menu_(menu),
      timer_(platform.toolkit.createTimer()) {
    timer_->setInterval(kAutoIdleCheckMs);
    timer_->onTick = [this] { check(); };
}

void AutoIdle::start() { timer_->setEnabled(true); }

void AutoIdle::check() {
    const double away = platform_.events.secondsSinceInput();
    const bool inputSinceLastCheck = away < lastAway_;
    lastAway_ = away;

    if (ownSwitch_) {
        if (presence_.idleSwitches() != *ownSwitch_) {
            ownSwitch_.reset();  // switched by hand since: the period is the user's now
        } else if (inputSinceLastCheck) {
            ownSwitch_.reset();
            menu_.idleOffAutomatically();
        }
        return;
    }

    const std::optional<int> minutes = autoIdleMinutes(readSetting(platform_.registry, kSettingsKey, kAutoIdleSetting));
    const bool idlingOff = !presence_.idle().idleOn && mainWindow_.idleText() == "off";
    if (!minutes || !idlingOff || away < *minutes * 60.0) return;
    // Recorded before the switch: a manual one while its banner is posted counts as
    // the user's, and the period is not ours to end.
    ownSwitch_ = presence_.idleSwitches() + 1;
    menu_.idleOnAutomatically(asIdleTime(*minutes));
}

}  // namespace lantern
