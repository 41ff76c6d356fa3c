#include "ui/user_interface.h"

#include "ui/commands_list.h"
#include "ui/main_window.h"
#include "ui/menu_window.h"
#include "ui/splash.h"
#include "ui/style_dialog.h"

namespace lantern {

struct UserInterface::Impl {
    Impl(Platform& platform, Presence& presence)
        : mainWindow(platform, presence),
          styleDialog(platform, presence),
          commandsList(platform, presence),
          splash(platform, mainWindow),
          menu(platform, presence, mainWindow, styleDialog, commandsList) {
        mainWindow.onMenuRequested = [this](Window& over, double x, double y) { menu.popup(over, x, y); };
    }

    MainWindow mainWindow;
    StyleDialog styleDialog;
    CommandsList commandsList;
    Splash splash;
    MenuWindow menu;
};

UserInterface::UserInterface(Platform& platform, Presence& presence)
    : impl_(std::make_unique<Impl>(platform, presence)) {}

UserInterface::~UserInterface() = default;

MainWindowView& UserInterface::mainWindow() { return impl_->mainWindow; }
StyleDialogView& UserInterface::styleDialog() { return impl_->styleDialog; }
void UserInterface::showSplash() { impl_->splash.show(); }
void UserInterface::showCommandsList() { impl_->commandsList.show(); }

}  // namespace lantern
