#include "ui/menu_window.h"

#include "common/text.h"
#include "style/lines.h"
#include "ui/about_box.h"

namespace lantern {
namespace {

MenuItemSpec item(const std::string& name, const std::string& caption, bool enabled = true) {
    return MenuItemSpec{name, caption, {}, enabled};
}

}  // namespace

MenuItemSpec MenuWindow::menuTree() {
    MenuItemSpec idle{"mnuOptsIdle", "&Idle", {item("mnuOptsIdleOn", "&On"), item("mnuOptsIdleOff", "O&ff", false)}};
    return MenuItemSpec{"mnuOpts",
                        "&Opts",
                        {
                            idle,
                            item("mnuOptsReason", "&Reason"),
                            item("mnuOptsDash2", "-"),
                            item("mnuOptsComs", "View &Coms"),
                            item("mnuOptsAscii", "&Modify Ascii"),
                            item("mnuOptsDash", "-"),
                            item("mnuOptsAbout", "&About"),
                            item("mnuOptsDash1", "-"),
                            item("mnuOptsExit", "&Exit"),
                        }};
}

MenuWindow::MenuWindow(Platform& platform, Presence& presence, MainWindow& mainWindow, StyleDialog& styleDialog,
                       CommandsList& commandsList)
    : platform_(platform),
      presence_(presence),
      mainWindow_(mainWindow),
      styleDialog_(styleDialog),
      commandsList_(commandsList) {}

void MenuWindow::popup(Window& over, double x, double y) {
    Form& form = ensureCreated();
    auto running = form_.running();
    form.menu->popup(over, x, y);
}

// The window is made once; only if something else closed it is it made again, with
// the item flags it starts with.
MenuWindow::Form& MenuWindow::ensureCreated() {
    Form* live = form_.get();
    if (live && live->window->alive()) return *live;

    auto form = std::make_unique<Form>();
    form->window = platform_.toolkit.createWindow(
        WindowSpec{.name = "frmMenu", .caption = "Menu", .clientWidth = 3000, .clientHeight = 2000});
    form->menu = platform_.toolkit.createPopupMenu(*form->window, menuTree());
    form->menu->onChoose = [this](const std::string& chosen) { choose(chosen); };
    return form_.replace(std::move(form));
}

void MenuWindow::choose(const std::string& chosen) {
    if (chosen == "mnuOptsIdleOn") {
        idleOn();
    } else if (chosen == "mnuOptsIdleOff") {
        idleOff();
    } else if (chosen == "mnuOptsReason") {
        askReason();
    } else if (chosen == "mnuOptsComs") {
        commandsList_.show();
    } else if (chosen == "mnuOptsAscii") {
        styleDialog_.show();
    } else if (chosen == "mnuOptsAbout") {
        showAboutBox(platform_.toolkit, presence_.appTitle());
    } else if (chosen == "mnuOptsExit") {
        presence_.endProgram(EndForm::Menu);
    }
}

void MenuWindow::idleOnAutomatically(IdleTime gone) {
    ensureCreated();
    idleOn(gone);
}

void MenuWindow::idleOffAutomatically() {
    ensureCreated();
    idleOff();
}

void MenuWindow::enableIdleItems(bool onEnabled) {
    PopupMenu& menu = *form_.get()->menu;
    menu.setEnabled(onEnabled ? "mnuOptsIdleOff" : "mnuOptsIdleOn", false);
    menu.setEnabled(onEnabled ? "mnuOptsIdleOn" : "mnuOptsIdleOff", true);
}

// Counters and reason stay as they are: switching on again counts on from them.
void MenuWindow::idleOn(std::optional<IdleTime> counters) {
    enableIdleItems(false);
    presence_.switchIdleOn(kMenuSwitch, counters);
}

// Posts and zeroes even when idling was already off (switched off from the chat).
void MenuWindow::idleOff() {
    enableIdleItems(true);
    presence_.switchIdleOff(kMenuSwitch);
}

// Only the reason of the idle lines changes; the reason box on the main window does not.
void MenuWindow::askReason() {
    const std::optional<std::string> answer = platform_.toolkit.inputBox(kReasonPrompt, presence_.appTitle(), "");
    const std::string reason = text::toLower(answer.value_or(""));
    if (!reason.empty()) presence_.setReason(reason);
}

}  // namespace lantern
