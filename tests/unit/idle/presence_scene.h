#pragma once
// The presence on the simulated desktop with fakes for its views, and the stand-in
// chat client beside it (signed on as kUser, in one room).

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "client/client.h"
#include "expected_lines.h"
#include "idle/presence.h"
#include "platform/sim/desktop.h"
#include "standin/sim/sim_standin.h"
#include "style/settings.h"

namespace lantern {

inline constexpr const char* kUser = "Zephyr Lights";
using Box = std::pair<std::string, std::string>;  // box, text

struct FakeMainWindow : MainWindowView {
    explicit FakeMainWindow(sim::Desktop& desktop)
        : window(desktop.createWindow(0, "LanternForm", "frmMain")), timer(desktop.toolkit().createTimer()) {
        timer->setInterval(kIdleIntervalMs);
    }
    WindowHandle handle() override { return window; }
    void placeAtTopLeftAndHide() override { ++placedAndHidden; }
    std::string idleText() override { return txtIdle; }
    void setIdleText(const std::string& text) override { txtIdle = text; }
    void setIdleButtonEnabled(bool enabled) override { cmdIdle = enabled; }
    void setOffButtonEnabled(bool enabled) override { cmdOff = enabled; }
    void setCaption(const std::string& text) override { caption = text; }
    std::string reasonBoxText() override { return txtRsn; }
    Timer& idleTimer() override { return *timer; }

    WindowHandle window;           // of the desktop, lives with it
    std::unique_ptr<Timer> timer;  // owned
    std::string txtIdle = "off", txtRsn, caption;
    bool cmdIdle = true, cmdOff = false;
    int placedAndHidden = 0;
};

struct FakeStyleDialog : StyleDialogView {
    void setAsciiColorBox(const std::string& text) override { write("txtAsciiColor", text); }
    void setFirstColorBox(const std::string& text) override { write("txtFirstColor", text); }
    void setSecondColorBox(const std::string& text) override { write("txtSecondColor", text); }
    void write(const std::string& box, const std::string& text) {
        if (writes.empty() && onCreate) onCreate();  // the real dialog's loading
        writes.emplace_back(box, text);
    }
    std::function<void()> onCreate;
    std::vector<Box> writes;
};

struct FakeWindows : SecondaryWindows {
    void showSplash() override { ++splashes; }
    void showCommandsList() override { ++commandLists; }
    int splashes = 0, commandLists = 0;
};

struct FakeScanner : ChatScanner {
    void start() override {
        ++starts;
        if (onStart) onStart();
    }
    void stop() override {
        ++stops;
        if (onStop) onStop();
    }
    int starts = 0, stops = 0;
    std::function<void()> onStart, onStop;
};

class PresenceScene : public ::testing::Test {
protected:
    sim::Desktop desktop;
    Platform platform = desktop.platform();
    Client client{platform};
    Presence presence{platform, client};
    FakeMainWindow mainWindow{desktop};
    FakeStyleDialog dialog;
    FakeWindows windows;
    FakeScanner scanner;
    std::optional<standin::SimStandin> chat;
    const expected::Style defaults{expected::defaultPrefix("000000"), "ff3300", "000066"};

    PresenceScene() {
        presence.attach(mainWindow, dialog, windows, scanner);
        chat.emplace(desktop, standin::Options{.screenName = kUser});
    }

    // Each returns whether the program ended inside.
    bool startUp() { return desktop.run([&] { presence.startUp(); }); }
    bool says(const std::string& text, const std::string& author = kUser) {
        return desktop.run([&] { presence.onChatLine(author, text); });
    }

    // Start-up, then forget what it posted and wrote.
    void started() {
        ASSERT_FALSE(startUp());
        chat->record().clear();
        dialog.writes.clear();
    }
    std::vector<std::string> posted() { return chat->record().posted(); }
    std::vector<std::string> frameCaptions() {  // less the clearing before each
        std::vector<std::string> captions = chat->record().captions();
        std::erase(captions, "");
        return captions;
    }
    void storeSetting(const std::string& name, const std::string& text) {
        desktop.setRegistryValue(kSettingsKey, name, reg::Sz, text);
    }
};

}  // namespace lantern
