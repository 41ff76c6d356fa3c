#include "platform/win32/popup_menu.h"

#include "platform/win32/window_system.h"

namespace lantern::win32 {

PopupMenuTree::PopupMenuTree(Backend& backend, const MenuItemSpec& root) : backend_(backend), root_(CreatePopupMenu()) {
    build(root_, root);
}

PopupMenuTree::~PopupMenuTree() {
    if (root_) DestroyMenu(root_);
}

void PopupMenuTree::build(HMENU menu, const MenuItemSpec& spec) {
    UINT position = 0;
    for (const MenuItemSpec& item : spec.children) {
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        if (item.caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.children.empty()) {
            HMENU submenu = CreatePopupMenu();
            build(submenu, item);
            AppendMenuA(menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(submenu), item.caption.c_str());
            places_[item.name] = Place{menu, position, 0};
        } else {
            const UINT command = static_cast<UINT>(commands_.size() + 1);
            AppendMenuA(menu, MF_STRING | state, command, item.caption.c_str());
            places_[item.name] = Place{menu, position, command};
            commands_[command] = item.name;
        }
        ++position;
    }
}

bool PopupMenuTree::enabled(const std::string& itemName) const {
    auto found = places_.find(itemName);
    if (found == places_.end()) return false;
    const Place& place = found->second;
    const UINT state = place.command ? GetMenuState(place.parent, place.command, MF_BYCOMMAND)
                                     : GetMenuState(place.parent, place.position, MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void PopupMenuTree::setEnabled(const std::string& itemName, bool enabled) {
    auto found = places_.find(itemName);
    if (found == places_.end()) return;
    const Place& place = found->second;
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    if (place.command) {
        EnableMenuItem(place.parent, place.command, MF_BYCOMMAND | state);
    } else {
        EnableMenuItem(place.parent, place.position, MF_BYPOSITION | state);
    }
}

void PopupMenuTree::popup(Window& over, double x, double y) {
    HWND overWindow = toHwnd(over.handle());
    if (!overWindow || !IsWindow(overWindow)) return;
    const unsigned dpi = backend_.dpi.forWindow(overWindow);
    POINT at{twipsToPixels(x, dpi), twipsToPixels(y, dpi)};
    ClientToScreen(overWindow, &at);
    // The menu is tracked by the window it pops up over: it is visible, so it can be
    // the foreground window, and then a click elsewhere closes the menu. (The owner
    // of the menu is a hidden window, which cannot.)
    SetForegroundWindow(overWindow);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(root_, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, overWindow, nullptr));
    PostMessageA(overWindow, WM_NULL, 0, 0);
    auto found = commands_.find(chosen);
    if (found == commands_.end() || !onChoose) return;
    const std::string name = found->second;  // the handler may end the menu, or the program
    callCopy(onChoose, name);
}

}  // namespace lantern::win32
