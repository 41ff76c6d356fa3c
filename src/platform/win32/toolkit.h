#pragma once
// Toolkit over user32: forms, timers and popup menus of this backend, the message
// box, our own input box, the screen size, the single-instance mutex and the end.

#include "platform/toolkit.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class Win32Toolkit final : public Toolkit {
public:
    explicit Win32Toolkit(Backend& backend) : backend_(backend) {}

    std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;
    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<PopupMenu> createPopupMenu(Window& owner, const MenuItemSpec& root) override;
    int messageBox(const std::string& text, const std::string& title, unsigned style) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    double screenWidth() override;
    double screenHeight() override;
    bool previousInstanceRunning() override;
    [[noreturn]] void endProgramNow() override;

private:
    Backend& backend_;  // not owned
};

// The modal prompt: a dialog box owned by the main window, with the prompt, an edit
// box holding `defaultText`, OK and Cancel. The answer, or nullopt when cancelled or
// closed.
std::optional<std::string> runInputBox(Backend& backend, const std::string& prompt, const std::string& title,
                                       const std::string& defaultText);

}  // namespace lantern::win32
