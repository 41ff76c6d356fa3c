#pragma once
// The presence on the simulated desktop, with the stand-in chat client beside it
// (signed on as kUser, in one room).

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "client/client.h"
#include "support/expected_lines.h"
#include "idle/presence.h"
#include "platform/sim/desktop.h"
#include "standin/sim/sim_standin.h"
#include "style/settings.h"

namespace lantern {

inline constexpr const char* kUser = "Zephyr Lights";
using Box = std::pair<std::string, std::string>;  // box, text

// The desktop's registry, with a look at every value as it is written.
class WatchedRegistry final : public Registry {
public:
    explicit WatchedRegistry(Registry& inner) : inner_(inner) {}
    long openKey(const std::string& path, RegistryKey& key) override { return inner_.openKey(path, key); }
    long createKey(const std::string& path, RegistryKey& key) override { return inner_.createKey(path, key); }
    long queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                    unsigned long* size) override {
        return inner_.queryValue(key, name, type, data, size);
    }
    long setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                  unsigned long size) override {
        if (onWrite) onWrite(name);
        return inner_.setValue(key, name, type, data, size);
    }
    long closeKey(RegistryKey key) override { return inner_.closeKey(key); }
    std::function<void(const std::string& name)> onWrite;

private:
    Registry& inner_;  // not owned: the desktop's
};

// The scene is itself every view the presence sees: it keeps what they are told, counts what they are asked.
class PresenceScene : public ::testing::Test,
                      public MainWindowView,
                      public StyleDialogView,
                      public SecondaryWindows,
                      public ChatScanner {
protected:
    sim::Desktop desktop;
    WatchedRegistry registry{desktop.registry()};
    Platform platform{desktop.windows(), registry, desktop.events(), desktop.toolkit()};
    Client client{platform};
    Presence presence{platform, client};
    std::optional<standin::SimStandin> chat;
    const expected::Style defaults{expected::defaultPrefix("000000"), "ff3300", "000066"};

    WindowHandle frmMain = desktop.createWindow(0, "LanternForm", "frmMain");  // of the desktop, lives with it
    std::unique_ptr<Timer> timer = desktop.toolkit().createTimer();  // owned
    std::string txtIdle = "off", txtRsn, mainCaption;
    bool cmdIdle = true, cmdOff = false;
    std::vector<Box> boxWrites;
    int placedAndHidden = 0, splashes = 0, commandLists = 0, scannerStarts = 0, scannerStops = 0;
    std::function<void()> onDialogCreate, onScannerStart, onScannerStop;

    PresenceScene() {
        timer->setInterval(kIdleIntervalMs);
        presence.attach(*this, *this, *this, *this);
        chat.emplace(desktop, standin::Options{.screenName = kUser});
    }

    // Each returns whether the program ended inside.
    bool startUp() {
        return desktop.run([&] { presence.startUp(); });
    }
    bool says(const std::string& text, const std::string& author = kUser) {
        return desktop.run([&] { presence.onChatLine(author, text); });
    }

    // Start-up, then forget what it posted and wrote.
    void started() {
        ASSERT_FALSE(startUp());
        chat->record().clear();
        boxWrites.clear();
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

    WindowHandle handle() override { return frmMain; }
    void placeAtTopLeftAndHide() override { ++placedAndHidden; }
    std::string idleText() override { return txtIdle; }
    void setIdleText(const std::string& text) override { txtIdle = text; }
    void setIdleButtonEnabled(bool enabled) override { cmdIdle = enabled; }
    void setOffButtonEnabled(bool enabled) override { cmdOff = enabled; }
    void setCaption(const std::string& text) override { mainCaption = text; }
    std::string reasonBoxText() override { return txtRsn; }
    Timer& idleTimer() override { return *timer; }

    void setAsciiColorBox(const std::string& text) override { writeBox("txtAsciiColor", text); }
    void setFirstColorBox(const std::string& text) override { writeBox("txtFirstColor", text); }
    void setSecondColorBox(const std::string& text) override { writeBox("txtSecondColor", text); }
    void writeBox(const std::string& box, const std::string& text) {
        if (boxWrites.empty() && onDialogCreate) onDialogCreate();  // the real dialog's loading
        boxWrites.emplace_back(box, text);
    }

    void showSplash() override { ++splashes; }
    void showCommandsList() override { ++commandLists; }
    void start() override {
        ++scannerStarts;
        if (onScannerStart) onScannerStart();
    }
    void stop() override {
        ++scannerStops;
        if (onScannerStop) onScannerStop();
    }
};

}  // namespace lantern
