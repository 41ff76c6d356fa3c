// The chat command processor: every line of the chat room passes through here. Only
// the signed-on user's own lines can run a command; every line, whoever wrote it,
// gets the chores (our window kept on top, the client's transfer windows minimised).

#include <string>

#include "common/text.h"
#include "idle/presence.h"
#include "style/lines.h"

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
    const bool fromSignedOnUser = namesSomeone(signedOn) && signedOn == author && !client_.takeOwnEcho(said);

    if (fromSignedOnUser) {
        if (text::matchesPattern(line, ".pr *")) {
            const std::string room = text::from(line, 5);
            client_.sendChat(privateRoomLine(style_, room));
            openLinkAndCloseKeywordWindow(client_, kPrivateRoomLink + room);
        }
        if (text::matchesPattern(line, ".aim *")) {
            const std::string name = text::from(line, 6);
            client_.sendChat(chatRoomLine(style_, name));
            openLinkAndCloseKeywordWindow(client_, kAimChatLink + name);
        }
        if (text::matchesPattern(line, ".*")) {
            const std::string keyword = line.substr(1);
            if (keyword == "end" || keyword == "exit") {
                endProgram(EndForm::ChatCommand);
            } else if (keyword == "idleon") {
                switchIdleOn(kChatCommandSwitch);
            } else if (keyword == "idleoff") {
                switchIdleOff(kChatCommandSwitch);
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

void Presence::showCommands() {
    windows_->showCommandsList();
    client_.sendChat(commandsLine(style_));
}

}  // namespace lantern
