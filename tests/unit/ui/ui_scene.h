#pragma once
// The program's windows on the simulated desktop, wired to the presence as the entry
// point wires them, beside a small chat client: "tester" signed on, in one room whose
// input box records every line posted.

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

// Lets events run through the desktop, but throws once far more passes were asked
// for than any glide or post needs: a loop that would never end fails its test.
class BoundedEvents : public EventLoop {
public:
    explicit BoundedEvents(EventLoop& inner) : inner_(inner) {}
    void doEvents() override { count(); inner_.doEvents(); }
    void waitForEvents(double seconds) override { count(); inner_.waitForEvents(seconds); }
    double timeOfDay() override { return inner_.timeOfDay(); }

private:
    void count() {
        if (++passes_ > 50000) throw std::runtime_error("events asked for without end");
    }
    EventLoop& inner_;  // not owned
    long passes_ = 0;
};

struct IdleScanner : ChatScanner {
    void start() override {}
    void stop() override {}
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
    IdleScanner scanner;
    std::vector<std::string> posted;  // raw mark-up of every line the room received
    std::function<void()> onPost;     // runs as a line arrives, to look at the state then

    UiScene() {
        presence.attach(ui.mainWindow(), ui.styleDialog(), ui, scanner);
        const WindowHandle mdi = desktop.createWindow(desktop.createWindow(0, "AOL Frame25", "AOL"), "MDIClient");
        const WindowHandle welcome = desktop.createWindowAtBottom(mdi, "AOL Child", "Welcome, tester!");
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

    // Start-up, then the click on the splash; what start-up posted is forgotten.
    void startProgram() {
        presence.startUp();
        desktop.click(control("frmSplash", "Image1"));
        posted.clear();
    }

    Window& form(const std::string& name) {
        if (Window* window = desktop.form(name)) return *window;
        throw std::runtime_error("no live window " + name);
    }
    Control& control(const std::string& formName, const std::string& name) {
        if (Control* found = form(formName).control(name)) return *found;
        throw std::runtime_error("no control " + name + " on " + formName);
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
    std::string stored(const std::string& name) {
        const std::optional<sim::Desktop::Value> value = desktop.registryValue(kSettingsKey, name);
        return value ? value->data : "(missing)";
    }
};

}  // namespace lantern
