#pragma once
// The main window (frmMain): a borderless, always-on-top title bar. Dragging its
// picture moves it and snaps it to the screen edges; its arrow opens the options
// menu. Beyond its visible area it carries the state controls of the idle presence.

#include <functional>
#include <memory>
#include <string>

#include "idle/presence.h"
#include "idle/views.h"

namespace lantern {

class MainWindow : public MainWindowView {
public:
    // The hot spot over the drop-down arrow; the menu opens at its bottom-left corner.
    static constexpr double kPopLeft = 2520, kPopTop = 120, kPopSize = 255;

    MainWindow(Platform& platform, Client& client, Presence& presence);

    // MainWindowView
    WindowHandle handle() override;
    void placeAtTopLeftAndHide() override;
    std::string idleText() override;
    void setIdleText(const std::string& text) override;
    void setIdleButtonEnabled(bool enabled) override;
    void setOffButtonEnabled(bool enabled) override;
    void setCaption(const std::string& caption) override;
    std::string reasonBoxText() override;
    Timer& idleTimer() override;

    void show();
    Window& window() { return *window_; }

    // The arrow was clicked: pop the options menu up over `over` at (x, y), twips in
    // its client coordinates.
    std::function<void(Window& over, double x, double y)> onMenuRequested;

private:
    void addControls();
    void dragAndSnap(MouseButton button);

    Platform& platform_;  // not owned
    Client& client_;  // not owned
    Presence& presence_;  // not owned
    std::unique_ptr<Window> window_;  // owned; lives for the whole run
    std::unique_ptr<Timer> idleTimer_;  // owned: tmrIdle
    // The state controls, owned by window_.
    Control* txtIdle_ = nullptr;
    Control* txtRsn_ = nullptr;
    Control* cmdIdle_ = nullptr;
    Control* cmdOff_ = nullptr;
};

}  // namespace lantern
