#pragma once
// The program's windows on the simulated desktop, with a small chat client beside
// them: a signed-on user ("tester") in one chat room whose input box records every
// line posted. The presence is wired to the windows as the entry point wires it.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "client/client.h"
#include "idle/presence.h"
#include "platform/messages.h"
#include "platform/sim/desktop.h"
#include "style/settings.h"
#include "ui/user_interface.h"

namespace lantern {

// Thrown when a piece of code lets events run far more often than any glide or post
// needs: a loop that would never end fails its test instead of hanging it.
struct RunawayLoop {};

class BoundedEvents : public EventLoop {
public:
    static constexpr long kLimit = 50000;
    explicit BoundedEvents(EventLoop& inner) : inner_(inner) {}
    void doEvents() override {
        if (++calls_ > kLimit) throw RunawayLoop{};
        inner_.doEvents();
    }
    void waitForEvents(double seconds) override {
        if (++calls_ > kLimit) throw RunawayLoop{};
        inner_.waitForEvents(seconds);
    }
    double timeOfDay() override { return inner_.timeOfDay(); }

private:
    EventLoop& inner_;  // not owned
    long calls_ = 0;
};

class RecordingScanner : public ChatScanner {
public:
    void start() override { ++starts; }
    void stop() override { ++stops; }
    int starts = 0;
    int stops = 0;
};

inline constexpr const char* kTester = "tester";

class UiScene : public ::testing::Test {
protected:
    sim::Desktop desktop;
    BoundedEvents events{desktop.events()};
    Platform platform{desktop.windows(), desktop.registry(), events, desktop.toolkit()};
    Client client{platform};
    Presence presence{platform, client};
    UserInterface ui{platform, presence};
    RecordingScanner scanner;

    std::vector<std::string> posted;  // every line the chat room received, raw mark-up
    std::function<void()> onPost;     // runs as a line arrives, to look at the state then

    UiScene() {
        presence.attach(ui.mainWindow(), ui.styleDialog(), ui, scanner);
        openChatClient();
    }

    // The client's frame with the welcome window on top and one chat room below it.
    void openChatClient() {
        const WindowHandle frame = desktop.createWindow(0, "AOL Frame25", "AOL");
        const WindowHandle mdi = desktop.createWindow(frame, "MDIClient");
        const WindowHandle welcome = desktop.createWindowAtBottom(mdi, "AOL Child", std::string("Welcome, ") + kTester + "!");
        for (const char* kind : {"_AOL_Icon", "_AOL_Static", "_AOL_Glyph", "RICHCNTLSTATIC"}) {
            desktop.createWindowAtBottom(welcome, kind);
        }
        const WindowHandle room = desktop.createWindowAtBottom(mdi, "AOL Child", "Lobby");
        WindowHandle input = 0;
        for (const char* kind : {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox", "_AOL_Icon", "RICHCNTL"}) {
            input = desktop.createWindowAtBottom(room, kind);
        }
        desktop.setHandler(input, [this](WindowHandle self, unsigned message, std::uintptr_t wParam, std::intptr_t,
                                         std::string&) -> std::optional<std::intptr_t> {
            if (message == msg::Char && wParam == kVkReturn) {
                posted.push_back(desktop.caption(self));
                if (onPost) onPost();
            }
            return std::nullopt;
        });
    }

    // Start-up as the program runs it, then a click on the splash; what start-up
    // posted is forgotten.
    void startProgram() {
        presence.startUp();
        desktop.click(control("frmSplash", "Image1"));
        posted.clear();
    }

    Window& form(const std::string& name) {
        Window* window = desktop.form(name);
        if (!window) throw std::runtime_error("no live window " + name);
        return *window;
    }

    Control& control(const std::string& formName, const std::string& name) {
        Control* found = form(formName).control(name);
        if (!found) throw std::runtime_error("no control " + name + " on " + formName);
        return *found;
    }

    std::string text(const std::string& formName, const std::string& name) { return control(formName, name).text(); }

    // The user picks `item` from the options menu under the main window's arrow.
    void choose(const std::string& item) {
        desktop.queuePopupChoice(item);
        desktop.click(control("frmMain", "lblPop"));
    }

    void store(const std::string& name, const std::string& value) {
        desktop.setRegistryValue(kSettingsKey, name, reg::Sz, value);
    }

    // The stored text, or "(missing)".
    std::string stored(const std::string& name) {
        const std::optional<sim::Desktop::Value> value = desktop.registryValue(kSettingsKey, name);
        return value ? value->data : "(missing)";
    }
};

}  // namespace lantern
