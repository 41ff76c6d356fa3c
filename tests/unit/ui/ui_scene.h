#pragma once
// The program's windows on the simulated desktop, wired as the entry point wires
// them, beside the stand-in client; the chat scanner is left out (lines are handed
// to the presence by hand).

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "client/client.h"
#include "idle/presence.h"
#include "platform/sim/desktop.h"
#include "standin/sim/sim_standin.h"
#include "support/expected_lines.h"
#include "style/settings.h"
#include "ui/user_interface.h"

namespace lantern {

inline constexpr const char* kTester = "tester";

class UiScene : public ::testing::Test, ChatScanner {
protected:
    sim::Desktop desktop;
    Platform platform{desktop.platform()};
    Client client{platform};
    Presence presence{platform, client};
    UserInterface ui{platform, client, presence};
    standin::SimStandin chat{desktop, {.screenName = kTester}};

    UiScene() { presence.attach(ui.mainWindow(), ui.styleDialog(), ui, *this); }
    void start() override {}  // the chat scanner: lines are handed to the presence by hand
    void stop() override {}

    // Start-up, then the click on the splash; what start-up posted is forgotten.
    void startProgram() {
        presence.startUp();
        desktop.click(control("frmSplash", "Image1"));
        chat.record().clear();
    }
    std::vector<std::string> posted() { return chat.record().posted(); }
    // The menu's idle banners, in a fresh start-up's style.
    static std::string banner(IdleEvent event) {
        return expected::banner({}, event == IdleEvent::On ? expected::kMenuIdleOn : expected::kMenuIdleOff);
    }
    template <class T>
    static T& live(T* found, const std::string& name) {
        return found ? *found : throw std::runtime_error("nothing live named " + name);
    }
    Window& form(const std::string& name) { return live(desktop.form(name), name); }
    Control& control(const std::string& f, const std::string& name) { return live(form(f).control(name), name); }
    std::string text(const std::string& f, const std::string& name) { return control(f, name).text(); }
    // The user picks `item` from the options menu under the main window's arrow.
    void choose(const std::string& item) {
        desktop.queuePopupChoice(item);
        desktop.click(control("frmMain", "lblPop"));
    }
    void store(const char* name, const std::string& v) { desktop.setRegistryValue(kSettingsKey, name, reg::Sz, v); }
    std::string stored(const std::string& name) {
        return desktop.registryValue(kSettingsKey, name).value_or(sim::Desktop::Value{0, "(missing)"}).data;
    }
};

}  // namespace lantern
