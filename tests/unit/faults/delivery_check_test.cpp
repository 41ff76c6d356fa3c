// The judge of where the add-on's messages go, on the stand-in client's real
// window tree: each kind of message is right for one kind of window only.

#include <gtest/gtest.h>

#include <functional>

#include "delivery_check.h"
#include "idle/presence.h"
#include "platform/messages.h"
#include "standin/sim/sim_standin.h"

namespace lantern::faults {
namespace {

class DeliveryCheck : public ::testing::Test {
protected:
    DeliveryCheck() {
        client.startTransfer(standin::TransferKind::Download);
        client.openRoom("Lobby");  // back on top of the transfer window
        std::string unused;
        const WindowHandle keywordButton = client.toolbarIcon(standin::kKeywordIconNumber);
        client.handleMessage(keywordButton, msg::LButtonDown, 0, unused);
        client.handleMessage(keywordButton, msg::KeyUp, kVkSpace, unused);
        // A client window with every part of a chat room but its combo box.
        lookalike = desktop.createWindow(client.mdiClient(), "AOL Child", "Lookalike");
        for (const char* className : {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Icon", "RICHCNTL"}) {
            desktop.createWindowAtBottom(lookalike, className);
        }
        ourWindow = desktop.createWindow(0, "LanternForm", "frmMain");
    }

    WindowHandle child(WindowHandle parent, const char* className) {
        return desktop.windows().findChild(parent, 0, className);
    }

    sim::Desktop desktop;
    standin::SimStandin client{desktop, standin::Options{.screenName = "Zephyr Lights", .rooms = {"Lobby"}}};
    WindowHandle lookalike = 0;
    WindowHandle ourWindow = 0;
};

SeamCall send(WindowHandle window, unsigned message, std::uintptr_t wParam = 0, const std::string* text = nullptr) {
    return {.kind = SeamCall::Kind::Send, .window = window, .message = message, .wParam = wParam, .text = text};
}

SeamCall minimise(WindowHandle window) {
    return {.kind = SeamCall::Kind::Show, .window = window, .showCommand = sw::Minimize};
}

TEST_F(DeliveryCheck, EachMessageIsRightForItsOwnKindOfWindowOnly) {
    const std::string chatLine = "<b>hi</b>";
    const std::string startCaption = kStartCaption;
    const WindowHandle room = client.roomWindow();
    const WindowHandle input = client.inputBox();
    const WindowHandle keyword = client.keywordWindow();
    const WindowHandle download = client.transferWindow(standin::TransferKind::Download);
    struct Case {
        const char* what;
        SeamCall call;
        bool right;
    };
    const Case cases[] = {
        {"return to the room's input box", send(input, msg::Char, kVkReturn), true},
        {"return to the keyword window's link box", send(client.keywordLinkBox(), msg::Char, kVkReturn), false},
        {"return to the input box of a room lookalike", send(child(lookalike, "richcntl"), msg::Char, kVkReturn), false},
        {"return to the room itself", send(room, msg::Char, kVkReturn), false},
        {"another character to the input box", send(input, msg::Char, 'a'), false},
        {"a line into the input box", send(input, msg::SetText, 0, &chatLine), true},
        {"a link into the link box", send(client.keywordLinkBox(), msg::SetText, 0, &chatLine), true},
        {"the start caption into the frame", send(client.frame(), msg::SetText, 0, &startCaption), true},
        {"a chat line into the frame", send(client.frame(), msg::SetText, 0, &chatLine), false},
        {"a line into the welcome window", send(client.welcomeWindow(), msg::SetText, 0, &chatLine), false},
        {"closing the keyword window", send(keyword, msg::Close), true},
        {"closing the room", send(room, msg::Close), false},
        {"pressing the 19th toolbar icon", send(client.toolbarIcon(19), msg::LButtonDown), true},
        {"releasing the 18th toolbar icon", send(client.toolbarIcon(18), msg::KeyUp, kVkSpace), false},
        {"pressing the go button", send(child(keyword, "_aol_icon"), msg::LButtonDown), true},
        {"pressing the room's send icon", send(child(room, "_aol_icon"), msg::LButtonDown), false},
        {"reading the transcript", send(child(room, "richcntlreadonly"), msg::GetText), true},
        {"minimising the download window", minimise(download), true},
        {"minimising the room", minimise(room), false},
        {"keeping a client window on top", {.kind = SeamCall::Kind::Topmost, .window = room}, false},
        {"keeping our own window on top", {.kind = SeamCall::Kind::Topmost, .window = ourWindow}, true},
        {"a move loop on our own window", send(ourWindow, msg::NcLButtonDown, kHtCaption), true},
        {"a move loop on the client's frame", send(client.frame(), msg::NcLButtonDown, kHtCaption), false},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.call.window, 0u) << c.what;
        EXPECT_EQ(!misdirected(desktop, c.call).has_value(), c.right) << c.what;
    }
}

TEST_F(DeliveryCheck, AWindowIsJudgedAsItStandsNow) {
    const WindowHandle room = client.roomWindow();
    const WindowHandle input = client.inputBox();
    // A window captioned as a transfer is what the finders' shortcut takes.
    desktop.setCaption(room, "File Transfer - 1% of x.zip");
    EXPECT_FALSE(misdirected(desktop, minimise(room)));
    // A window that has gone is never wrong: the message reaches nobody.
    client.closeRoom("Lobby");
    EXPECT_FALSE(misdirected(desktop, send(input, msg::Char, kVkReturn)));
}

}  // namespace
}  // namespace lantern::faults
