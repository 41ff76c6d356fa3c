#include "ui/commands_list.h"

namespace lantern {
namespace {

const WindowSpec kList{.name = "frmComs",
                       .caption = "cmds",
                       .clientWidth = 2895,
                       .clientHeight = 1035,
                       .border = Border::FixedSingle,
                       .minButton = false,
                       .maxButton = false,
                       .icon = "commands"};

}  // namespace

CommandsList::CommandsList(Platform& platform, Client& client) : platform_(platform), client_(client) {}

void CommandsList::createAndLoad() {
    Window& window = window_.replace(platform_.toolkit.createWindow(kList));
    Control& list = window.add({.kind = ControlKind::ListBox, .name = "lstComs", .place = {0, 0, 2895, 1035}});
    client_.keepOnTop(window.handle());
    for (const char* line : kCommandLines) list.addItem(line);
}

}  // namespace lantern
