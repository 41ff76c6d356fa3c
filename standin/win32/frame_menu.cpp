#include "standin/win32/frame_menu.h"

#include <initializer_list>
#include <iterator>
#include <string>

#include "standin/model/commands.h"

namespace lantern::standin::win32 {

namespace {

enum Command {
    kSomeoneSpeaks = 100,
    kOpenSecondRoom,
    kCloseTopRoom,
    kStartDownload,
    kStopDownload,
    kStartUpload,
    kStopUpload,
    kSignOn,
    kSignOff,
    kHang,
    kExit,
    kCascade,
    kTile,
};

struct Chatter {
    const char* name;
    const char* markup;
};

const Chatter kChatter[] = {
    {"SkaterGrl1985", "<font color=#FF0066>heyyy room</font> <b>:)</b>"},
    {"BuddyBoy77", "<font face=\"Comic Sans MS\" color=#0000FF>anyone here from ohio?</font>"},
    {"NightOwl", "<b>brb</b> <font color=#008000>getting pizza</font>"},
    {"xXDragonXx", "<font color=#800080>lol</font> <i>nice</i>"},
    {"MsMarple", "<font face=Georgia color=#663300>who is idle in here?</font>"},
};

const char* const kSecondRoom = "Town Square";

}  // namespace

namespace {

struct MenuItem {
    int command;  // 0: a separator
    const char* text;
};

HMENU popup(std::initializer_list<MenuItem> items) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        AppendMenuA(menu, item.command ? MF_STRING : MF_SEPARATOR, static_cast<UINT_PTR>(item.command), item.text);
    }
    return menu;
}

void addPopup(HMENU bar, HMENU menu, const char* title) {
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), title);
}

}  // namespace

FrameMenu buildFrameMenu() {
    FrameMenu menu;
    menu.bar = CreateMenu();
    addPopup(menu.bar,
             popup({{kSomeoneSpeaks, "Someone &Speaks"},
                    {kOpenSecondRoom, "&Open a Second Room"},
                    {kCloseTopRoom, "&Leave the Top Room"}}),
             "&Chat");
    addPopup(menu.bar,
             popup({{kStartDownload, "Start a &Download"},
                    {kStopDownload, "Stop the Download"},
                    {0, nullptr},
                    {kStartUpload, "Start an &Upload"},
                    {kStopUpload, "Stop the Upload"}}),
             "&Transfers");
    addPopup(menu.bar,
             popup({{kSignOn, "Sign &On"},
                    {kSignOff, "Sign O&ff"},
                    {0, nullptr},
                    {kHang, "&Hang for 5 Seconds"},
                    {0, nullptr},
                    {kExit, "E&xit"}}),
             "&Account");
    menu.windowMenu = popup({{kCascade, "&Cascade"}, {kTile, "&Tile"}});
    addPopup(menu.bar, menu.windowMenu, "&Window");
    return menu;
}

void MenuActions::run(int command) {
    if (!client_ || !client_->running()) return;
    switch (command) {
    case kSomeoneSpeaks:
        say();
        break;
    case kOpenSecondRoom:
        client_->openRoom(kSecondRoom);
        break;
    case kCloseTopRoom:
        if (auto rooms = client_->roomNames(); !rooms.empty()) client_->closeRoom(rooms.front());
        break;
    case kStartDownload:
    case kStartUpload: {
        TransferKind kind = command == kStartDownload ? TransferKind::Download : TransferKind::Upload;
        if (client_->startTransfer(kind)) moving_.insert(kind);
        break;
    }
    case kStopDownload:
        client_->stopTransfer(TransferKind::Download);
        break;
    case kStopUpload:
        client_->stopTransfer(TransferKind::Upload);
        break;
    case kSignOn:
        client_->signOn(client_->screenName().empty() ? "lantern tester" : client_->screenName());
        break;
    case kSignOff:
        client_->signOff();
        break;
    case kHang:
        client_->hang(5);
        break;
    case kExit:
        PostMessageA(host_->frame(), WM_CLOSE, 0, 0);
        break;
    case kCascade:
        SendMessageA(host_->mdiClient(), WM_MDICASCADE, 0, 0);
        break;
    case kTile:
        SendMessageA(host_->mdiClient(), WM_MDITILE, MDITILE_VERTICAL, 0);
        break;
    default:
        break;
    }
}

void MenuActions::say() {
    const Chatter& line = kChatter[chatter_++ % std::size(kChatter)];
    client_->say(line.name, line.markup);
}

void MenuActions::tick() {
    if (!client_ || !client_->running()) return;
    advance(TransferKind::Download, 3);
    advance(TransferKind::Upload, 5);
}

void MenuActions::advance(TransferKind kind, int step) {
    const TransferState* transfer = client_->transfer(kind);
    if (!transfer || !moving_.count(kind)) {
        moving_.erase(kind);
        return;
    }
    if (transfer->percent < 100) client_->setTransferProgress(kind, transfer->percent + step);
}

}  // namespace lantern::standin::win32
