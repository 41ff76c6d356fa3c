#pragma once
// The idle presence: start-up and shut-down, the chat command processor, the idle
// state with its timer and report. It owns the idle state and the current style,
// and reaches the windows above it only through the interfaces of views.h.

#include <cstdint>
#include <string>

#include "client/client.h"
#include "idle/views.h"
#include "style/style.h"

namespace lantern {

struct IdleState {
    bool idleOn = false;
    std::int16_t idleMins = 0;  // 0..59
    std::int16_t idleHrs = 0;   // 0..23
    std::int16_t idleDays = 0;
    std::string reasonText;
};

enum class EndForm { Menu, ChatCommand };

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
    void attach(MainWindowView& mainWindow, StyleDialogView& styleDialog,
                SecondaryWindows& windows, ChatScanner& scanner);

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

    // ---- shared state, for the menu and the style dialog
    IdleState& idle() { return idle_; }
    CurrentStyle& style() { return style_; }
    const std::string& appTitle() const { return appTitle_; }
    Client& client() { return client_; }
    MainWindowView& mainWindow() { return *mainWindow_; }

private:
    // Reads the three colours into the current style and the dialog's boxes
    // (start-up and every tick do the same).
    void loadColours();
    // The shut-down steps shared by the menu form and the closing of the main window.
    void menuFormSteps();
    void idleOnByCommand();
    void idleOffByCommand();
    void showCommands();
    std::string roomLineHead();
    std::string privateRoomLine(const std::string& room);
    std::string chatRoomLine(const std::string& name);
    std::string commandsLine();

    Platform& platform_;                          // not owned
    Client& client_;                              // not owned
    MainWindowView* mainWindow_ = nullptr;        // not owned; set by attach
    StyleDialogView* styleDialog_ = nullptr;      // not owned; set by attach
    SecondaryWindows* windows_ = nullptr;         // not owned; set by attach
    ChatScanner* scanner_ = nullptr;              // not owned; set by attach
    IdleState idle_;
    CurrentStyle style_;
    std::string appTitle_;
};

}  // namespace lantern
