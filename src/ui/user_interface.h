#pragma once
// The program's own windows: the main window (frmMain), the menu window (frmMenu),
// the ascii style dialog (frmAscii), the commands list (frmComs), the splash
// (frmSplash) and the about box. It implements the views that the idle presence
// asks for.

#include <memory>

#include "idle/presence.h"
#include "idle/views.h"

namespace lantern {

class UserInterface : public SecondaryWindows {
public:
    UserInterface(Platform& platform, Client& client, Presence& presence);
    ~UserInterface() override;

    MainWindowView& mainWindow();
    StyleDialogView& styleDialog();
    void showSplash() override;
    // The automatic idle switch begins its checks (after start-up).
    void startAutoIdle();
    void showCommandsList() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lantern
