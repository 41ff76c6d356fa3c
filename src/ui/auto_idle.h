#pragma once
// The automatic idle switch. With the setting "autoIdle" at N minutes (1 to 1440 in
// plain decimal digits; anything else means off), it switches idling on as the
// menu's "&On" does once nobody has touched keyboard or mouse anywhere in the session
// for N minutes, with the counters at the N minutes gone; and off again as "O&ff"
// does at the first input after that. It never overrides the user: it switches on
// only while idling is off, and off only a period that it began itself and that
// nobody switched by hand since. The setting is read afresh at every check, about
// once a second.

#include <memory>
#include <optional>
#include <string>

#include "idle/presence.h"
#include "ui/main_window.h"
#include "ui/menu_window.h"

namespace lantern {

inline constexpr const char* kAutoIdleSetting = "autoIdle";
inline constexpr unsigned kAutoIdleCheckMs = 1000;

// The minutes a stored value asks for, or nullopt when it means off.
std::optional<int> autoIdleMinutes(const std::string& stored);

class AutoIdle {
public:
    AutoIdle(Platform& platform, Presence& presence, MainWindow& mainWindow, MenuWindow& menu);
    // The checks begin (once start-up has announced the add-on).
    void start();

private:
    void check();

    Platform& platform_;  // not owned
    Presence& presence_;  // not owned
    MainWindow& mainWindow_;  // not owned
    MenuWindow& menu_;  // not owned
    std::unique_ptr<Timer> timer_;  // owned
    // The period this switch began: the switch count it left, and how long the user
    // had been away at the last check (input shows as that time starting again).
    std::optional<std::uint64_t> ownSwitch_;
    double lastAway_ = 0;
};

}  // namespace lantern
