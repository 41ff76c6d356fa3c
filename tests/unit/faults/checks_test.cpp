// The judges of the fault schedules must reject what is wrong, or a schedule would
// pass over a fault of the add-on.

#include <gtest/gtest.h>

#include "checks.h"
#include "idle/presence.h"
#include "platform/messages.h"
#include "standin/sim/sim_standin.h"

namespace lantern::faults {
namespace {

SeamCall send(WindowHandle window, unsigned message, std::uintptr_t wParam = 0, const std::string* text = nullptr) {
    return {SeamCall::Kind::Send, window, message, wParam, text};
}

TEST(DeliveryCheck, EachMessageIsRightForItsOwnKindOfWindowOnly) {
    sim::Desktop desktop;
    standin::SimStandin client{desktop, {.rooms = {"Lobby"}}};
    client.startTransfer(standin::TransferKind::Download);
    client.openRoom("Lobby");  // back on top of the transfer window
    std::string unused;
    const WindowHandle keywordButton = client.toolbarIcon(standin::kKeywordIconNumber);
    for (unsigned m : {msg::LButtonDown, msg::KeyUp}) client.handleMessage(keywordButton, m, kVkSpace, unused);
    const WindowHandle ours = desktop.createWindow(0, "LanternForm", "frmMain");
    const WindowHandle room = client.roomWindow(), input = client.inputBox(), keyword = client.keywordWindow();
    const WindowHandle linkBox = client.keywordLinkBox(), frame = client.frame();
    auto child = [&](WindowHandle parent, const char* c) { return desktop.windows().findChild(parent, 0, c); };
    auto minimise = [](WindowHandle w) { return SeamCall{SeamCall::Kind::Show, w, 0, sw::Minimize}; };
    const std::string line = "<b>hi</b>", start = kStartCaption;
    const struct {
        const char* what;
        SeamCall call;
        bool right;
    } cases[] = {
        {"return to the room's input box", send(input, msg::Char, kVkReturn), true},
        {"return to the link box", send(linkBox, msg::Char, kVkReturn), false},
        {"another character to the input box", send(input, msg::Char, 'a'), false},
        {"a line into the input box", send(input, msg::SetText, 0, &line), true},
        {"a link into the link box", send(linkBox, msg::SetText, 0, &line), true},
        {"the start caption into the frame", send(frame, msg::SetText, 0, &start), true},
        {"a chat line into the frame", send(frame, msg::SetText, 0, &line), false},
        {"a line into the room's transcript", send(child(room, "richcntlreadonly"), msg::SetText, 0, &line), false},
        {"closing the keyword window", send(keyword, msg::Close), true},
        {"closing the room", send(room, msg::Close), false},
        {"pressing the keyword button", send(keywordButton, msg::LButtonDown), true},
        {"releasing the 18th toolbar icon", send(client.toolbarIcon(18), msg::KeyUp, kVkSpace), false},
        {"pressing the go button", send(child(keyword, "_aol_icon"), msg::LButtonDown), true},
        {"pressing the room's send icon", send(child(room, "_aol_icon"), msg::LButtonDown), false},
        {"reading the transcript", send(child(room, "richcntlreadonly"), msg::GetText), true},
        {"minimising the download window", minimise(client.transferWindow(standin::TransferKind::Download)), true},
        {"minimising the room", minimise(room), false},
        {"a client window on top", {SeamCall::Kind::Topmost, room}, false},
        {"our own window on top", {SeamCall::Kind::Topmost, ours}, true},
        {"a move loop on our own window", send(ours, msg::NcLButtonDown, kHtCaption), true},
        {"a move loop on the client's frame", send(frame, msg::NcLButtonDown, kHtCaption), false},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.call.window, 0u) << c.what;
        EXPECT_EQ(!misdirected(desktop, &client, c.call), c.right) << c.what;
    }
    // A room captioned as a transfer is what the finders' shortcut takes; a window
    // that has gone is never wrong: the message reaches nobody.
    desktop.setCaption(room, "File Transfer - 1% of x.zip");
    EXPECT_FALSE(misdirected(desktop, &client, minimise(room)));
    client.closeRoom("Lobby");
    EXPECT_FALSE(misdirected(desktop, &client, send(input, msg::Char, kVkReturn)));
}

TEST(LineForms, EachLineIsKnownWithItsValueAndNearMissesAreNot) {
    const expected::Style style{expected::defaultPrefix("000000"), "ff3300", "000066"};
    const expected::Style other{expected::defaultPrefix("000000"), "ff3300", "0000ff"};
    using F = LineForm;
    const struct {
        std::string line;
        LineForm form;
        std::string value = "";
        long minutes = 0;
    } cases[] = {
        {expected::loadBanner(style), F::LoadBanner},
        {expected::commandIdleBanner(style, false), F::IdleOffBanner},
        {expected::roomLine(style, false, "night owls "), F::PrivateRoomLine, "night owls "},
        {expected::roomLine(style, true, "lanternchat"), F::ChatRoomLine, "lanternchat"},
        {expected::idleLine(style, 2, 23, 59, "out"), F::IdleLine, "out", 2 * 1440 + 23 * 60 + 59},
        {expected::transferLine(style, "u", "about 2 minutes", "23% of a.doc", "uppin."), F::TransferLine, "uppin."},
        {expected::transferLine(style, "d", "", "", "uppin."), F::TransferLine, "uppin."},
        // Near misses: another colour, a character more or less, a count out of range, another marker.
        {expected::loadBanner(other), F::Unknown},
        {expected::loadBanner(style) + " ", F::Unknown},
        {expected::commandsLine(style).substr(1), F::Unknown},
        {expected::idleLine(style, 0, 0, 60, "uppin."), F::Unknown},
        {expected::idleLine(style, 0, 24, 0, "uppin."), F::Unknown},
        {expected::roomLine(other, true, "x"), F::Unknown},
        {expected::transferLine(style, "x", "", "", "uppin."), F::Unknown},
        {".idleon", F::Unknown},
    };
    for (const auto& c : cases) {
        const PostedForm posted = classify(c.line, style);
        EXPECT_EQ(posted.form, c.form) << c.line;
        EXPECT_EQ(posted.value, c.value) << c.line;
        EXPECT_EQ(posted.idleMinutes, c.minutes) << c.line;
    }
}

}  // namespace
}  // namespace lantern::faults
