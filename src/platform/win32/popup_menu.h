#pragma once
// A popup menu built once from a MenuItemSpec tree: CreatePopupMenu for the root and
// every item with children, "-" as a separator, captions with their "&" marks as
// given. Items are enabled and disabled in the menu itself, and read back from it.

#include <map>
#include <string>

#include "platform/toolkit.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class PopupMenuTree final : public PopupMenu {
public:
    explicit PopupMenuTree(Backend& backend, const MenuItemSpec& root);
    ~PopupMenuTree() override;
    PopupMenuTree(const PopupMenuTree&) = delete;
    PopupMenuTree& operator=(const PopupMenuTree&) = delete;

    bool enabled(const std::string& itemName) const override;
    void setEnabled(const std::string& itemName, bool enabled) override;
    void popup(Window& over, double x, double y) override;

    HMENU menu() const { return root_; }

private:
    // Where an item sits: submenus are addressed by position in their parent, plain
    // items by their command id.
    struct Place {
        HMENU parent = nullptr;  // not owned: part of the tree under root_
        UINT position = 0;
        UINT command = 0;  // 0 for a submenu
    };

    void build(HMENU menu, const MenuItemSpec& spec);

    Backend& backend_;  // not owned
    HMENU root_ = nullptr;  // owned: destroying it destroys the submenus
    std::map<std::string, Place> places_;
    std::map<UINT, std::string> commands_;
};

}  // namespace lantern::win32
