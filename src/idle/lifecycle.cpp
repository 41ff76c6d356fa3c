// Start-up and shut-down: refuse a second instance, reset the idle state, mark the
// client's frame, load the style, announce ourselves and start the chat scanner; at
// the end announce the end, stop the timer and the scanner and leave at once.

#include <cstdlib>

#include "idle/presence.h"
#include "style/lines.h"
#include "style/settings.h"

namespace lantern {

namespace {

constexpr const char* kSecondInstanceText = "And you call me the newbie...lol.";
constexpr const char* kSecondInstanceTitle = "The requested application is already open";

// Both forms of shut-down: the timer is stopped before the scanner.
void stopTimerAndScanner(Timer& idleTimer, ChatScanner& scanner) {
    idleTimer.setInterval(0);
    idleTimer.setEnabled(false);
    scanner.stop();
}

// Ends the program at once. The toolkit promises not to return; should a backend
// ever break that promise, stopping here is safer than carrying on half shut down.
[[noreturn]] void endNow(Toolkit& toolkit) {
    toolkit.endProgramNow();
    std::abort();
}

}  // namespace

Presence::Presence(Platform& platform, Client& client) : platform_(platform), client_(client) {}

void Presence::attach(MainWindowView& mainWindow, StyleDialogView& styleDialog, SecondaryWindows& windows,
                      ChatScanner& scanner) {
    mainWindow_ = &mainWindow;
    styleDialog_ = &styleDialog;
    windows_ = &windows;
    scanner_ = &scanner;
    mainWindow.idleTimer().onTick = [this] { idleTick(); };
}

void Presence::startUp() {
    appTitle_ = kAppTitle;

    if (platform_.toolkit.previousInstanceRunning()) {
        platform_.toolkit.messageBox(kSecondInstanceText, kSecondInstanceTitle, mb::IconExclamation);
        endNow(platform_.toolkit);
    }

    mainWindow_->placeAtTopLeftAndHide();
    windows_->showSplash();

    idle_.idleMins = 0;
    idle_.idleDays = 0;
    idle_.idleHrs = 0;
    idle_.reasonText = kDefaultReason;
    client_.setMainCaption(kStartCaption);
    idle_.idleOn = false;

    loadColours();
    std::string storedPrefix = readSetting(platform_.registry, kSettingsKey, "ascii");
    // The default prefix is only put into effect, never written back.
    style_.asciiPrefix = storedPrefix.empty() ? defaultPrefix(style_.asciiCol) : storedPrefix;

    client_.pauseSeconds(0.2);
    client_.sendChat(loadBanner(style_));
    client_.keepOnTop(mainWindow_->handle());
    // Last, so that no chat command is handled before the load banner is out.
    scanner_->start();
}

void Presence::loadColours() {
    // Each box is written before the colour is put into effect: the first write may
    // create the dialog, whose own loading puts its defaults into the style, and
    // what is read here must win over those.
    const StoredColours colours = readColours(platform_.registry);
    styleDialog_->setAsciiColorBox(colours.ascii.inBox);
    style_.asciiCol = colours.ascii.inEffect;
    styleDialog_->setFirstColorBox(colours.first.inBox);
    style_.firstColor = colours.first.inEffect;
    styleDialog_->setSecondColorBox(colours.second.inBox);
    style_.secondColor = colours.second.inEffect;
}

void Presence::endProgram(EndForm form) {
    if (form == EndForm::Menu) {
        menuFormSteps();
    } else {
        client_.sendChat(commandUnloadBanner(style_));
        stopTimerAndScanner(mainWindow_->idleTimer(), *scanner_);
        // The reason box is not saved when the room asked us to leave.
        client_.setMainCaption(kClosingCaption);
    }
    // Nothing of ours runs after this, not even the main window's closing steps,
    // so the sequence above is never run twice.
    endNow(platform_.toolkit);
}

void Presence::mainWindowClosed() {
    menuFormSteps();
    endNow(platform_.toolkit);
}

void Presence::sessionEnding() {
    // The reason box first: the system may end us before the client has answered,
    // and the stored reason must survive that.
    writeSetting(platform_.registry, kSettingsKey, "tBox", mainWindow_->reasonBoxText());
    platform_.windows.setSendTimeout(kSessionEndSendTimeoutSeconds);
    client_.sendChat(unloadBanner(style_));
    stopTimerAndScanner(mainWindow_->idleTimer(), *scanner_);
    client_.setMainCaption(kClosingCaption);
    endNow(platform_.toolkit);
}

void Presence::menuFormSteps() {
    client_.sendChat(unloadBanner(style_));
    stopTimerAndScanner(mainWindow_->idleTimer(), *scanner_);
    writeSetting(platform_.registry, kSettingsKey, "tBox", mainWindow_->reasonBoxText());
    client_.setMainCaption(kClosingCaption);
}

}  // namespace lantern
