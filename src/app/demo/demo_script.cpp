// The session that `make demo` plays: a short evening in the Lobby, told step by
// step. Add steps here as the program grows.

#include "app/demo/demo_session.h"
#include "style/settings.h"
#include "ui/auto_idle.h"

namespace lantern::demo {

namespace {

using standin::TransferKind;

void typeInto(DemoSession& s, const char* form, const char* control, const std::string& text) {
    Window* window = s.desktop().form(form);
    if (Control* box = window ? window->control(control) : nullptr) s.desktop().type(*box, text);
}

}  // namespace

std::vector<Step> demoScript() {
    return {
        {0, "The chat client runs: \"lantern tester\" is in the Lobby, half-way through typing a message.",
         [](DemoSession& s) {
             s.client().type("brb, getting cof");
             s.say("client caption: \"" + s.desktop().caption(s.client().frame()) + "\"");
         }},
        {1, "lantern-idle starts.",
         [](DemoSession& s) {
             s.app().start();
             s.say("the half-typed message is back in the input box: \"" + s.client().inputText() + "\"");
         }},
        {2, "The user clicks the splash; the title bar comes up at the top-left corner.",
         [](DemoSession& s) {
             s.clickControl("frmSplash", "Image1");
             s.showWindows();
         }},
        {3, "The user types .idleon in the room.",
         [](DemoSession& s) {
             s.client().send(".idleon");
             s.letTimePass(2);
         }},
        {0, "Three minutes pass.", [](DemoSession& s) { s.letTimePass(180); }},
        {5, "buddy speaks, then tries .end (only the signed-on user commands, so nothing happens).",
         [](DemoSession& s) {
             s.client().say("buddy", "hey, anyone around?");
             s.letTimePass(2);
             s.client().say("buddy", ".end");
             s.letTimePass(2);
         }},
        {10, "A download starts: while it runs, the minute's line shows its progress.",
         [](DemoSession& s) {
             s.client().startTransfer(TransferKind::Download, "sunset.jpg", 2400000);
             s.client().setTransferProgress(TransferKind::Download, 35);
             s.letTimePass(60);
             s.client().setTransferProgress(TransferKind::Download, 80);
             s.letTimePass(60);
             s.client().stopTransfer(TransferKind::Download);
         }},
        {0, "An hour passes (the middle of it elided): the minutes roll over into an hour.",
         [](DemoSession& s) { s.letTimePass(3600, 2, 3); }},
        {5, "The user moves to a private room with .pr lantern lounge.",
         [](DemoSession& s) {
             s.client().send(".pr Lantern Lounge");
             s.letTimePass(15);
         }},
        {5, "From the bar's menu: Reason \"AFK Lunch\", then Idle > On (the menu's own flags say On).",
         [](DemoSession& s) {
             s.desktop().queueInputBoxAnswer(std::string("AFK Lunch"));
             s.chooseFromMenu("mnuOptsReason");
             s.chooseFromMenu("mnuOptsIdleOn");
             s.letTimePass(61);
         }},
        {5, "Idle > Off from the menu zeroes the counters; Idle > On starts again at one minute.",
         [](DemoSession& s) {
             s.chooseFromMenu("mnuOptsIdleOff");
             s.letTimePass(3);
             s.chooseFromMenu("mnuOptsIdleOn");
             s.letTimePass(61);
         }},
        {5, "Modify Ascii: Wingdings \"J\" in green, lines in blue and grey, then \"set ascii to selected\".",
         [](DemoSession& s) {
             s.chooseFromMenu("mnuOptsAscii");
             typeInto(s, "frmAscii", "cboAscii", "Wingdings");
             typeInto(s, "frmAscii", "txtAscii", "J");
             typeInto(s, "frmAscii", "txtAsciiColor", "00aa00");
             typeInto(s, "frmAscii", "txtFirstColor", "0066cc");
             typeInto(s, "frmAscii", "txtSecondColor", "555555");
             s.clickControl("frmAscii", "cmdSet");
             s.showWindows();
             s.letTimePass(61);
         }},
        {5, "The user stores autoIdle = 5 (auto-idle after five minutes), types .idleoff and walks away.",
         [](DemoSession& s) {
             s.desktop().setRegistryValue(kSettingsKey, kAutoIdleSetting, reg::Sz, "5");
             s.desktop().userInput();  // the keys of the line
             s.client().send(".idleoff");
             s.letTimePass(5);
         }},
        {0, "Five minutes without keyboard or mouse: idling switches on by itself, counting from five.",
         [](DemoSession& s) { s.letTimePass(5 * 60 + 60); }},
        {5, "The user moves the mouse: idling switches off again.",
         [](DemoSession& s) {
             s.desktop().userInput();
             s.letTimePass(3);
         }},
        {5, "The user types .end.",
         [](DemoSession& s) {
             s.desktop().userInput();
             s.client().send(".end");
             s.letTimePass(5);
         }},
    };
}

}  // namespace lantern::demo
