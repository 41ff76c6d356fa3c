#include "standin/win32/frame_menu.h"

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

FrameMenu buildFrameMenu() {
    FrameMenu menu;
    menu.bar = CreateMenu();
    HMENU chat = CreatePopupMenu();
    AppendMenuA(chat, MF_STRING, kSomeoneSpeaks, "Someone &Speaks");
    AppendMenuA(chat, MF_STRING, kOpenSecondRoom, "&Open a Second Room");
    AppendMenuA(chat, MF_STRING, kCloseTopRoom, "&Leave the Top Room");
    AppendMenuA(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(chat), "&Chat");

    HMENU transfers = CreatePopupMenu();
    AppendMenuA(transfers, MF_STRING, kStartDownload, "Start a &Download");
    AppendMenuA(transfers, MF_STRING, kStopDownload, "Stop the Download");
    AppendMenuA(transfers, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(transfers, MF_STRING, kStartUpload, "Start an &Upload");
    AppendMenuA(transfers, MF_STRING, kStopUpload, "Stop the Upload");
    AppendMenuA(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(transfers), "&Transfers");

    HMENU account = CreatePopupMenu();
    AppendMenuA(account, MF_STRING, kSignOn, "Sign &On");
    AppendMenuA(account, MF_STRING, kSignOff, "Sign O&ff");
    AppendMenuA(account, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(account, MF_STRING, kHang, "&Hang for 5 Seconds");
    AppendMenuA(account, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(account, MF_STRING, kExit, "E&xit");
    AppendMenuA(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(account), "&Account");

    menu.windowMenu = CreatePopupMenu();
    AppendMenuA(menu.windowMenu, MF_STRING, kCascade, "&Cascade");
    AppendMenuA(menu.windowMenu, MF_STRING, kTile, "&Tile");
    AppendMenuA(menu.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu.windowMenu), "&Window");
    return menu;
}

void MenuActions::run(int command) {
    if (!client_ || !client_->running()) return;
    switch (command) {
        case kSomeoneSpeaks: say(); break;
        case kOpenSecondRoom: client_->openRoom(kSecondRoom); break;
        case kCloseTopRoom:
            if (auto rooms = client_->roomNames(); !rooms.empty()) client_->closeRoom(rooms.front());
            break;
        case kStartDownload:
        case kStartUpload: {
            TransferKind kind = command == kStartDownload ? TransferKind::Download : TransferKind::Upload;
            if (client_->startTransfer(kind)) moving_.insert(kind);
            break;
        }
        case kStopDownload: client_->stopTransfer(TransferKind::Download); break;
        case kStopUpload: client_->stopTransfer(TransferKind::Upload); break;
        case kSignOn: client_->signOn(client_->screenName().empty() ? "lantern tester" : client_->screenName()); break;
        case kSignOff: client_->signOff(); break;
        case kHang: client_->hang(5); break;
        case kExit: PostMessageA(host_->frame(), WM_CLOSE, 0, 0); break;
        case kCascade: SendMessageA(host_->mdiClient(), WM_MDICASCADE, 0, 0); break;
        case kTile: SendMessageA(host_->mdiClient(), WM_MDITILE, MDITILE_VERTICAL, 0); break;
        default: break;
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
