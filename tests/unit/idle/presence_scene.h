#pragma once
// The presence on the simulated desktop, wired to simple views, with the stand-in
// chat client beside it (signed on as kUser, in one room) unless a test says
// otherwise. Registry opens are counted, to prove that nothing was read.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "client/client.h"
#include "expected_lines.h"
#include "fake_views.h"
#include "idle/presence.h"
#include "platform/messages.h"
#include "platform/sim/desktop.h"
#include "standin/sim/sim_standin.h"
#include "style/settings.h"

namespace lantern {

inline constexpr const char* kUser = "Zephyr Lights";

class CountingRegistry : public Registry {
public:
    explicit CountingRegistry(Registry& inner) : inner_(inner) {}
    long openKey(const std::string& path, RegistryKey& key) override {
        ++opens;
        return inner_.openKey(path, key);
    }
    long createKey(const std::string& path, RegistryKey& key) override {
        ++opens;
        return inner_.createKey(path, key);
    }
    long queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                    unsigned long* size) override {
        return inner_.queryValue(key, name, type, data, size);
    }
    long setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                  unsigned long size) override {
        return inner_.setValue(key, name, type, data, size);
    }
    long closeKey(RegistryKey key) override { return inner_.closeKey(key); }
    int opens = 0;

private:
    Registry& inner_;  // not owned
};

// Counts ShowWindow(SW_MINIMIZE) per window: the desktop only tells whether a
// window is minimised, not how often it was asked.
class CountingWindows : public WindowSystem {
public:
    explicit CountingWindows(WindowSystem& inner) : inner_(inner) {}
    WindowHandle findWindow(const std::string& c) override { return inner_.findWindow(c); }
    WindowHandle findChild(WindowHandle p, WindowHandle a, const std::string& c) override {
        return inner_.findChild(p, a, c);
    }
    WindowHandle getWindow(WindowHandle w, unsigned r) override { return inner_.getWindow(w, r); }
    SendResult sendMessage(WindowHandle w, unsigned m, std::uintptr_t wp, std::intptr_t lp) override {
        return inner_.sendMessage(w, m, wp, lp);
    }
    SendResult sendSetText(WindowHandle w, const std::string& t) override { return inner_.sendSetText(w, t); }
    SendResult sendGetText(WindowHandle w, std::size_t c, std::string& b) override {
        return inner_.sendGetText(w, c, b);
    }
    bool showWindow(WindowHandle w, int command) override {
        minimised[w] += command == sw::Minimize ? 1 : 0;
        return inner_.showWindow(w, command);
    }
    bool setTopmost(WindowHandle w) override { return inner_.setTopmost(w); }
    void releaseCapture() override { inner_.releaseCapture(); }
    bool isWindow(WindowHandle w) override { return inner_.isWindow(w); }
    std::map<WindowHandle, int> minimised;

private:
    WindowSystem& inner_;  // not owned
};

class PresenceScene : public ::testing::Test {
protected:
    sim::Desktop desktop;
    CountingRegistry registry{desktop.registry()};
    CountingWindows windowSystem{desktop.windows()};
    Platform platform{windowSystem, registry, desktop.events(), desktop.toolkit()};
    Client client{platform};
    Presence presence{platform, client};
    fake::MainWindow mainWindow{desktop};
    fake::StyleDialog dialog;
    fake::Windows windows;
    fake::Scanner scanner;
    std::optional<standin::SimStandin> chat;

    const expected::Style defaults{expected::defaultPrefix("000000"), "ff3300", "000066"};

    PresenceScene() {
        presence.attach(mainWindow, dialog, windows, scanner);
        chat.emplace(desktop, standin::Options{.screenName = kUser, .rooms = {"Lobby"}});
    }

    // Each returns whether the program ended inside.
    bool startUp() {
        return desktop.run([&] { presence.startUp(); });
    }
    bool line(const std::string& author, const std::string& text) {
        return desktop.run([&] { presence.onChatLine(author, text); });
    }
    bool userSays(const std::string& text) { return line(kUser, text); }

    // Start-up, then forget what it posted and wrote.
    void started() {
        ASSERT_FALSE(startUp());
        chat->record().clear();
        dialog.writes.clear();
    }

    // What the menu's Off does to the state (its own line aside).
    void menuOff() {
        mainWindow.setIdleText("off");
        presence.idle().idleOn = false;
        mainWindow.idleTimer().setEnabled(false);
        mainWindow.setOffButtonEnabled(false);
        mainWindow.setIdleButtonEnabled(true);
    }

    std::vector<std::string> posted() { return chat->record().posted(); }
    // The captions written to the client's frame, less the clearing before each.
    std::vector<std::string> frameCaptions() {
        std::vector<std::string> captions = chat->record().captions();
        std::erase(captions, "");
        return captions;
    }

    void storeSetting(const std::string& name, const std::string& text) {
        desktop.setRegistryValue(kSettingsKey, name, reg::Sz, text);
    }
    int writesOf(const std::string& name) {
        int count = 0;
        for (const sim::RegistryWrite& write : desktop.registryWrites()) {
            count += write.name == name ? 1 : 0;
        }
        return count;
    }
};

}  // namespace lantern
