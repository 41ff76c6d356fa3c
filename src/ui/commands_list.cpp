#include "ui/commands_list.h"

#include "ui/layout.h"

namespace lantern {
namespace {

WindowSpec listSpec() {
    WindowSpec spec;
    spec.name = "frmComs";
    spec.caption = "cmds";
    spec.clientWidth = 2895;
    spec.clientHeight = 1035;
    spec.border = Border::FixedSingle;
    spec.minButton = false;
    spec.maxButton = false;
    spec.icon = "commands";
    return spec;
}

}  // namespace

CommandsList::CommandsList(Platform& platform, Presence& presence) : platform_(platform), presence_(presence) {}

void CommandsList::show() {
    Window* live = window_.get();
    if (!live || !live->alive()) createAndLoad();
    window_.get()->show();
}

void CommandsList::createAndLoad() {
    Window& window = window_.replace(platform_.toolkit.createWindow(listSpec()));
    Control& list = window.add(controlAt(ControlKind::ListBox, "lstComs", 0, 0, 2895, 1035));
    presence_.client().keepOnTop(window.handle());
    for (const char* line : kCommandLines) list.addItem(line);
}

}  // namespace lantern
