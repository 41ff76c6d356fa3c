#pragma once
// The menu window (frmMenu): never shown, it owns the options menu that the main
// window pops up under its arrow. Its items switch idling on and off, ask for the
// idle reason, open the commands list, the ascii style dialog and the about box,
// and end the program.

#include <memory>
#include <string>

#include "idle/presence.h"
#include "ui/commands_list.h"
#include "ui/form_slot.h"
#include "ui/main_window.h"
#include "ui/style_dialog.h"

namespace lantern {

inline constexpr const char* kReasonPrompt = "Enter reason:";

class MenuWindow {
public:
    MenuWindow(Platform& platform, Presence& presence, MainWindow& mainWindow, StyleDialog& styleDialog,
               CommandsList& commandsList);

    // Creates the menu window on first use, then pops the menu up over `over` at
    // (x, y) and runs the chosen item.
    void popup(Window& over, double x, double y);

    // The menu tree, captions with their accelerators, in order.
    static MenuItemSpec menuTree();

    // What "&On" and "O&ff" do, for the automatic switch: its flags too (the menu
    // window is made first if it was never opened), with the counters at `gone`.
    void idleOnAutomatically(IdleTime gone);
    void idleOffAutomatically();

private:
    struct Form {
        std::unique_ptr<Window> window;  // owned: frmMenu, never shown
        std::unique_ptr<PopupMenu> menu;  // owned: mnuOpts
    };

    Form& ensureCreated();
    void choose(const std::string& item);
    void idleOn(std::optional<IdleTime> counters = std::nullopt);
    void idleOff();
    void askReason();
    // "&On" and "O&ff" each disable themselves and enable the other.
    void enableIdleItems(bool onEnabled);

    Platform& platform_;  // not owned
    Presence& presence_;  // not owned
    MainWindow& mainWindow_;  // not owned
    StyleDialog& styleDialog_;  // not owned
    CommandsList& commandsList_;  // not owned
    FormSlot<Form> form_;
};

}  // namespace lantern
