#pragma once
// Simple stand-ins for the windows above the presence: they hold what the presence
// writes into them, count what it asks of them, and let a test run code at the
// moment something happens.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "idle/presence.h"
#include "idle/views.h"
#include "platform/sim/desktop.h"

namespace lantern::fake {

class MainWindow : public MainWindowView {
public:
    explicit MainWindow(sim::Desktop& desktop)
        : handle_(desktop.createWindow(0, "LanternForm", "frmMain")), timer_(desktop.toolkit().createTimer()) {
        timer_->setInterval(kIdleIntervalMs);
    }
    WindowHandle handle() override { return handle_; }
    void placeAtTopLeftAndHide() override { ++placedAndHidden; }
    std::string idleText() override { return txtIdle; }
    void setIdleText(const std::string& text) override { txtIdle = text; }
    void setIdleButtonEnabled(bool enabled) override { cmdIdle = enabled; }
    void setOffButtonEnabled(bool enabled) override { cmdOff = enabled; }
    void setCaption(const std::string& text) override { caption = text; }
    std::string reasonBoxText() override { return txtRsn; }
    Timer& idleTimer() override { return *timer_; }

    std::string txtIdle = "off";
    std::string txtRsn;
    std::string caption = "frmMain";
    bool cmdIdle = true;
    bool cmdOff = false;
    int placedAndHidden = 0;

private:
    WindowHandle handle_;           // a window of the simulated desktop, lives with it
    std::unique_ptr<Timer> timer_;  // owned
};

class StyleDialog : public StyleDialogView {
public:
    void setAsciiColorBox(const std::string& text) override { write("txtAsciiColor", text); }
    void setFirstColorBox(const std::string& text) override { write("txtFirstColor", text); }
    void setSecondColorBox(const std::string& text) override { write("txtSecondColor", text); }

    // Runs before the first write, as the real dialog's loading would.
    std::function<void()> onCreate;
    std::vector<std::pair<std::string, std::string>> writes;  // box, text

private:
    void write(const std::string& box, const std::string& text) {
        if (writes.empty() && onCreate) {
            onCreate();
        }
        writes.emplace_back(box, text);
    }
};

class Windows : public SecondaryWindows {
public:
    void showSplash() override { ++splashes; }
    void showCommandsList() override { ++commandLists; }
    int splashes = 0;
    int commandLists = 0;
};

class Scanner : public ChatScanner {
public:
    void start() override {
        ++starts;
        if (onStart) onStart();
    }
    void stop() override {
        ++stops;
        if (onStop) onStop();
    }
    int starts = 0;
    int stops = 0;
    std::function<void()> onStart;
    std::function<void()> onStop;
};

}  // namespace lantern::fake
