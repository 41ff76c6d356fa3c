#pragma once
// The idle presence: start-up and shut-down, the chat command processor, the idle
// state with its timer and report. It owns the idle state and the current style,
// and reaches the windows above it only through the interfaces of views.h.

#include <cstdint>
#include <optional>
#include <string>

#include "client/client.h"
#include "idle/views.h"
#include "style/lines.h"

namespace lantern {

struct IdleState {
    bool idleOn = false;
    std::int16_t idleMins = 0;  // 0..59
    std::int16_t idleHrs = 0;  // 0..23
    std::int16_t idleDays = 0;
    std::string reasonText;
};

enum class EndForm { Menu, ChatCommand };

// The two ways idling is switched on and off: by the chat commands ".idleon" and
// ".idleoff", and by the menu's "&On" and "O&ff". They share their steps and differ
// only in these: the banner each posts, whether switching on shows the counters in
// our caption, and whether switching off zeroes them after the banner.
struct IdleSwitchForm {
    std::string (*banner)(const CurrentStyle& style, IdleEvent event);
    bool onShowsCountersInCaption;
    bool offZeroesCounters;
};
extern const IdleSwitchForm kChatCommandSwitch;
extern const IdleSwitchForm kMenuSwitch;

inline constexpr const char* kAppTitle = "lant\xE8rn Idl\xE8 [beta]";
inline constexpr const char* kStartCaption =
    "z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . .";
inline constexpr const char* kClosingCaption = "America Online - Owned by: vx9";
inline constexpr unsigned kIdleIntervalMs = 60000;
// How long each message to the client may take while the session ends: the banner
// and the caption then cost a few seconds at most, even with a hung client.
inline constexpr double kSessionEndSendTimeoutSeconds = 0.5;
// The reason at start-up, and whenever the report finds it empty.
inline constexpr const char* kDefaultReason = "uppin.";

class Presence {
public:
    Presence(Platform& platform, Client& client);

    // Wiring, done once by the entry point before startUp.
    void attach(MainWindowView& mainWindow, StyleDialogView& styleDialog, SecondaryWindows& windows,
                ChatScanner& scanner);

    // ---- lifecycle
    void startUp();
    [[noreturn]] void endProgram(EndForm form);
    // The main window is being closed by other means than endProgram: the menu
    // form's steps but the last, then the program ends.
    [[noreturn]] void mainWindowClosed();
    // The user's session is ending (log-off, shut-down): the menu form's steps but the
    // last, within the few seconds the system gives us before it ends the process.
    [[noreturn]] void sessionEnding();

    // ---- chat command processor
    void onChatLine(const std::string& screenName, const std::string& text);

    // ---- idle report
    void idleTick();
    std::string idleLine();
    std::string uploadLine();
    std::string downloadLine();

    // ---- what the menu and the style dialog ask of the idle state and the style
    // Switching on keeps the counters as they stand (counting goes on from them), or
    // first sets them to the time given (the automatic switch: the minutes gone).
    void switchIdleOn(const IdleSwitchForm& form, std::optional<IdleTime> counters = std::nullopt);
    void switchIdleOff(const IdleSwitchForm& form);
    // How many switches on or off have begun so far, by any form.
    std::uint64_t idleSwitches() const { return idleSwitches_; }
    void setReason(const std::string& reason);
    // Puts the style into effect for every line from now on (nothing is posted).
    void useStyle(const CurrentStyle& style);

    const IdleState& idle() const { return idle_; }
    const CurrentStyle& style() const { return style_; }
    const std::string& appTitle() const { return appTitle_; }

    // Tests set up states that only the nesting of events reaches otherwise.
    IdleState& idleForTest() { return idle_; }
    CurrentStyle& styleForTest() { return style_; }

private:
    // Reads the three colours into the current style and the dialog's boxes
    // (start-up and every tick do the same).
    void loadColours();
    // The shut-down steps shared by the menu form and the closing of the main window.
    void menuFormSteps();
    void showCommands();

    Platform& platform_;  // not owned
    Client& client_;  // not owned
    MainWindowView* mainWindow_ = nullptr;  // not owned; set by attach
    StyleDialogView* styleDialog_ = nullptr;  // not owned; set by attach
    SecondaryWindows* windows_ = nullptr;  // not owned; set by attach
    ChatScanner* scanner_ = nullptr;  // not owned; set by attach
    IdleState idle_;
    CurrentStyle style_;
    std::uint64_t idleSwitches_ = 0;
    std::string appTitle_;
};

}  // namespace lantern
