// The chat command processor: every line of the chat room passes through here. Only
// the signed-on user's own lines can run a command; every line, whoever wrote it,
// gets the chores (our window kept on top, the client's transfer windows minimised).

#include <string>

#include "common/text.h"
#include "idle/presence.h"

namespace lantern {

namespace {

constexpr const char* kPrivateRoomLink = "aol://2719:2-2-";
constexpr const char* kAimChatLink = "aol://2719:10-4-";

// Hands the link to the client's keyword window, gives the client a moment, then
// closes the keyword window if it is still there.
void openLinkAndCloseKeywordWindow(Client& client, const std::string& link) {
    client.openKeyword(link);
    client.pauseSeconds(0.6);
    if (WindowHandle keywordWindow = client.findKeywordWindow()) {
        client.closeWindow(keywordWindow);
    }
}

// The caption that ".idleon" gives our main window.
std::string idleCaption(const IdleState& idle) {
    return "Idle " + std::to_string(idle.idleDays) + " : " + std::to_string(idle.idleHrs) + " : " +
           std::to_string(idle.idleMins);
}

}  // namespace

void Presence::onChatLine(const std::string& screenName, const std::string& text) {
    // Our own copies: the pauses below let other events run, and nothing promises
    // that the caller's strings stay as they were meanwhile.
    const std::string author = screenName;
    const std::string said = text;

    client_.keepOnTop(mainWindow_->handle());
    const std::string line = text::toLower(said);

    // The signed-on name is read afresh for every line and compared exactly. Nobody
    // signed on means nobody may command us, whatever name a line carries.
    const std::string signedOn = client_.readScreenName();
    // Our own posted lines come back through the room under the user's name; taken
    // for commands, a prefix that begins with ".pr " would post for ever.
    const bool fromSignedOnUser = signedOn != kNotOnline && !signedOn.empty() && signedOn == author &&
                                  !client_.takeOwnEcho(said);

    if (fromSignedOnUser) {
        if (text::matchesPattern(line, ".pr *")) {
            const std::string room = text::from(line, 5);
            client_.sendChat(privateRoomLine(room));
            openLinkAndCloseKeywordWindow(client_, kPrivateRoomLink + room);
        }
        if (text::matchesPattern(line, ".aim *")) {
            const std::string name = text::from(line, 6);
            client_.sendChat(chatRoomLine(name));
            openLinkAndCloseKeywordWindow(client_, kAimChatLink + name);
        }
        if (text::matchesPattern(line, ".*")) {
            const std::string keyword = line.substr(1);
            if (keyword == "end" || keyword == "exit") {
                endProgram(EndForm::ChatCommand);
            } else if (keyword == "idleon") {
                idleOnByCommand();
            } else if (keyword == "idleoff") {
                idleOffByCommand();
            } else if (keyword == "coms") {
                showCommands();
            }
        }
    }

    // The chores.
    if (WindowHandle download = client_.findDownloadWindow()) {
        client_.minimizeWindow(download);
    }
    if (WindowHandle upload = client_.findUploadWindow()) {
        client_.minimizeWindow(upload);
    }
    client_.pauseSeconds(0.3);
}

void Presence::idleOnByCommand() {
    mainWindow_->setIdleText("on");
    idle_.idleOn = true;
    mainWindow_->setCaption(idleCaption(idle_));
    client_.sendChat(commandIdleBanner(style_, IdleEvent::On));
    // Posting lets other events run; if the menu switched idling off meanwhile, the
    // timer is enabled here all the same. Its ticks then find "off" in the box and
    // return at their first step, posting nothing, and the timer keeps running.
    mainWindow_->idleTimer().setEnabled(true);
    mainWindow_->setIdleButtonEnabled(false);
    mainWindow_->setOffButtonEnabled(true);
}

void Presence::idleOffByCommand() {
    mainWindow_->setIdleText("off");
    idle_.idleOn = false;
    mainWindow_->idleTimer().setEnabled(false);
    mainWindow_->setOffButtonEnabled(false);
    mainWindow_->setIdleButtonEnabled(true);
    // The counters are left as they stand, and so is the caption.
    client_.sendChat(commandIdleBanner(style_, IdleEvent::Off));
}

void Presence::showCommands() {
    windows_->showCommandsList();
    client_.sendChat(commandsLine());
}

// ---- the replies, piece by piece

std::string Presence::roomLineHead() {
    const std::string& c1 = style_.firstColor;
    const std::string& c2 = style_.secondColor;
    return style_.asciiPrefix + "<font color=#" + c1 + "><b>r</b><font color=#" + c2 + ">ollin <font color=#" +
           c1 + "><b>t</b><font color=#" + c2 + ">o <font color=#" + c1;
}

std::string Presence::privateRoomLine(const std::string& room) {
    // The room name is bold, and its bold tag is left open.
    return roomLineHead() + "><b>p</b><font color=#" + style_.secondColor + ">r <font color=#" +
           style_.firstColor + "><b>" + room;
}

std::string Presence::chatRoomLine(const std::string& name) {
    const std::string& c1 = style_.firstColor;
    const std::string& c2 = style_.secondColor;
    return roomLineHead() + "><b>a</b><font color=#" + c2 + ">im <font color=#" + c1 + "><b>c</b><font color=#" +
           c2 + ">hat <font color=#" + c1 + ">" + name;
}

std::string Presence::commandsLine() {
    const std::string& c1 = style_.firstColor;
    const std::string& c2 = style_.secondColor;
    return style_.asciiPrefix + "<font color=#" + c1 + "><b>v</b><font color=#" + c2 + ">iewing <font color=#" +
           c1 + "><b>c</b><font color=#" + c2 + ">ommands";
}

}  // namespace lantern
