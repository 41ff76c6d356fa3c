// The locators, the window primitives, the chat sender and the pause.

#include "client/client.h"

#include "common/text.h"

#include "client/client_windows.h"
#include "client/elapsed_clock.h"
#include "client/window_io.h"
#include "platform/messages.h"

namespace lantern {

namespace {
using clientwindows::kChatInputClass;

// The pauses while a chat line is typed and sent, in seconds: after clearing the
// box, after typing the line, after the carriage return.
constexpr double kPauseAfterClear = 0.3;
constexpr double kPauseAfterTyping = 0.3;
constexpr double kPauseAfterSend = 0.4;
}  // namespace

Client::Client(Platform& platform) : platform_(platform) {}

WindowHandle Client::findMainFrame() { return platform_.windows.findWindow(clientwindows::kMainFrameClass); }

WindowHandle Client::firstClientWindow() { return clientwindows::firstClientWindow(platform_.windows); }

WindowHandle Client::findChatRoom() {
    return windowio::walk(platform_.windows, platform_.events, firstClientWindow(), [this](WindowHandle candidate) {
        return clientwindows::isChatRoom(platform_.windows, candidate) ? windowio::Verdict::Take
                                                                       : windowio::Verdict::Skip;
    });
}

std::string Client::readText(WindowHandle window) { return windowio::readText(platform_.windows, window).value_or(""); }

void Client::writeText(WindowHandle window, const std::string& text) {
    windowio::writeText(platform_.windows, window, text);
}

void Client::clickWindow(WindowHandle window) { windowio::click(platform_.windows, window); }

void Client::closeWindow(WindowHandle window) {
    if (window != 0) {
        platform_.windows.sendMessage(window, msg::Close, 0, 0);
    }
}

void Client::minimizeWindow(WindowHandle window) {
    if (window != 0) {
        platform_.windows.showWindow(window, sw::Minimize);
    }
}

void Client::setMainCaption(const std::string& text) {
    if (const WindowHandle frame = findMainFrame(); frame != 0) {
        writeText(frame, text);
    }
}

namespace {
// Enough for every line one command or tick posts, with room to spare.
constexpr std::size_t kRecentPostsKept = 32;

void rememberPost(std::deque<std::string>& recent, const std::string& markup) {
    recent.push_back(text::stripMarkup(markup));
    if (recent.size() > kRecentPostsKept) recent.pop_front();
}
}  // namespace

bool Client::takeOwnEcho(const std::string& text) {
    for (auto it = recentPosts_.begin(); it != recentPosts_.end(); ++it) {
        if (*it == text) {
            recentPosts_.erase(it);
            return true;
        }
    }
    return false;
}

void Client::sendChat(const std::string& text) {
    WindowSystem& windows = platform_.windows;
    platform_.events.doEvents();
    if (text.empty()) {
        return;
    }
    const WindowHandle room = findChatRoom();
    if (room == 0) {
        return;  // no room open: the line is dropped
    }
    const WindowHandle input = windows.findChild(room, 0, kChatInputClass);

    // Each step goes on only if the box took the previous one: a box that closed or
    // a client that stopped answering ends the line there.
    const std::optional<std::string> halfTyped = windowio::readText(windows, input);
    if (!halfTyped) {
        return;
    }
    if (windowio::writeText(windows, input, "")) {
        pauseSeconds(kPauseAfterClear);
        if (windowio::writeText(windows, input, text)) {
            pauseSeconds(kPauseAfterTyping);
            if (windows.sendMessage(input, msg::Char, kVkReturn, 0).delivered) {
                rememberPost(recentPosts_, text);
                pauseSeconds(kPauseAfterSend);
            }
        }
    }
    // Give the user back what they had begun to type. Once the box may have been
    // changed this is tried even after a failed step: a client that stalled for a
    // while must not cost the user their half-typed message (one more wait at most).
    windowio::writeText(windows, input, *halfTyped);
}

void Client::keepOnTop(WindowHandle ownWindow) {
    if (ownWindow != 0) {
        platform_.windows.setTopmost(ownWindow);
    }
}

void Client::pauseSeconds(double seconds) {
    // Waits for events until the time is up rather than spinning; events run as
    // they come, so the user interface stays alive.
    ElapsedClock clock(platform_.events);
    for (double passed = 0; passed < seconds; passed = clock.elapsed()) {
        platform_.events.waitForEvents(seconds - passed);
    }
}

}  // namespace lantern
