#include "ui/user_interface.h"

#include "ui/auto_idle.h"
#include "ui/commands_list.h"
#include "ui/main_window.h"
#include "ui/menu_window.h"
#include "ui/splash.h"
#include "ui/style_dialog.h"

namespace lantern {

struct UserInterface::Impl {
    Impl(Platform& platform, Client& client, Presence& presence)
        : mainWindow(platform, client, presence),
          styleDialog(platform, client, presence),
          commandsList(platform, client),
          splash(platform, mainWindow),
          menu(platform, presence, mainWindow, styleDialog, commandsList),
          autoIdle(platform, presence, mainWindow, menu) {
        mainWindow.onMenuRequested = [this](Window& over, double x, double y) { menu.popup(over, x, y); };
    }

    MainWindow mainWindow;
    StyleDialog styleDialog;
    CommandsList commandsList;
    Splash splash;
    MenuWindow menu;
    AutoIdle autoIdle;
};

UserInterface::UserInterface(Platform& platform, Client& client, Presence& presence)
    : impl_(std::make_unique<Impl>(platform, client, presence)) {}

UserInterface::~UserInterface() = default;

MainWindowView& UserInterface::mainWindow() { return impl_->mainWindow; }
StyleDialogView& UserInterface::styleDialog() { return impl_->styleDialog; }
void UserInterface::showSplash() { impl_->splash.show(); }
void UserInterface::startAutoIdle() { impl_->autoIdle.start(); }
void UserInterface::showCommandsList() { impl_->commandsList.show(); }

}  // namespace lantern
