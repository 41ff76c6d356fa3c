#pragma once
// The platform seams as the add-on sees them in a fault schedule: thin wrappers
// around the simulated desktop's seams that tell an observer about every call
// before it goes through. The observer can check where a message is going, let
// the chat client change under the add-on's feet, or stop a run that never ends.
// Every timer tick of the add-on (chat watcher polls and dispatches, the idle
// tick) is reported as one operation, begun and ended.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/toolkit.h"

namespace lantern::faults {

struct SeamCall {
    enum class Kind { Lookup, Send, Show, Topmost, Wait };
    Kind kind = Kind::Lookup;
    WindowHandle window = 0;
    unsigned message = 0;        // sends
    std::uintptr_t wParam = 0;   // sends
    const std::string* text = nullptr;  // WM_SETTEXT's text; null otherwise
    int showCommand = 0;         // shows
};

class SeamObserver {
public:
    virtual ~SeamObserver() = default;
    // Runs before the call reaches the desktop.
    virtual void beforeCall(const SeamCall& call) = 0;
    virtual void operationBegins(const Timer& timer) = 0;
    virtual void operationEnds() = 0;
    // The add-on asks to end at once.
    virtual void programEnds() = 0;
};

class WatchedWindows final : public WindowSystem {
public:
    WatchedWindows(WindowSystem& inner, SeamObserver& observer) : inner_(inner), observer_(observer) {}

    WindowHandle findWindow(const std::string& className) override;
    WindowHandle findChild(WindowHandle parent, WindowHandle after, const std::string& className) override;
    WindowHandle getWindow(WindowHandle window, unsigned relation) override;
    SendResult sendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
    SendResult sendSetText(WindowHandle window, const std::string& text) override;
    SendResult sendGetText(WindowHandle window, std::size_t capacity, std::string& buffer) override;
    bool showWindow(WindowHandle window, int command) override;
    bool setTopmost(WindowHandle window) override;
    void releaseCapture() override { inner_.releaseCapture(); }
    bool isWindow(WindowHandle window) override { return inner_.isWindow(window); }

private:
    void lookup(WindowHandle window) { observer_.beforeCall({.kind = SeamCall::Kind::Lookup, .window = window}); }

    WindowSystem& inner_;     // not owned: the desktop's
    SeamObserver& observer_;  // not owned
};

class WatchedEvents final : public EventLoop {
public:
    WatchedEvents(EventLoop& inner, SeamObserver& observer) : inner_(inner), observer_(observer) {}

    void doEvents() override;
    void waitForEvents(double seconds) override;
    double timeOfDay() override { return inner_.timeOfDay(); }

private:
    EventLoop& inner_;        // not owned: the desktop's
    SeamObserver& observer_;  // not owned
};

// Everything goes to the desktop's toolkit; only timers come back wrapped, so that
// each tick is reported as an operation.
class WatchedToolkit final : public Toolkit {
public:
    WatchedToolkit(Toolkit& inner, SeamObserver& observer) : inner_(inner), observer_(observer) {}

    std::unique_ptr<Window> createWindow(const WindowSpec& spec) override { return inner_.createWindow(spec); }
    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<PopupMenu> createPopupMenu(Window& owner, const MenuItemSpec& root) override {
        return inner_.createPopupMenu(owner, root);
    }
    int messageBox(const std::string& text, const std::string& title, unsigned style) override {
        return inner_.messageBox(text, title, style);
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override {
        return inner_.inputBox(prompt, title, defaultText);
    }
    double screenWidth() override { return inner_.screenWidth(); }
    double screenHeight() override { return inner_.screenHeight(); }
    bool previousInstanceRunning() override { return inner_.previousInstanceRunning(); }
    [[noreturn]] void endProgramNow() override {
        observer_.programEnds();
        inner_.endProgramNow();
        std::abort();  // the desktop's toolkit never comes back from it
    }

private:
    Toolkit& inner_;          // not owned: the desktop's
    SeamObserver& observer_;  // not owned
};

}  // namespace lantern::faults
