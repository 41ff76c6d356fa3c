#pragma once
// Working the chat client through its windows: the locators, the window primitives,
// the chat sender, the screen name and keyword navigation, the file transfer windows.
// Every call looks its windows up afresh; no handle is kept between calls. Nothing
// here reports an error: a missing window gives 0, an empty text or no effect.

#include <deque>
#include <string>

#include "platform/toolkit.h"

namespace lantern {

class Client {
public:
    explicit Client(Platform& platform);

    // ---- locators and primitives
    WindowHandle findMainFrame();
    WindowHandle findChatRoom();
    std::string readText(WindowHandle window);
    void writeText(WindowHandle window, const std::string& text);
    void clickWindow(WindowHandle window);
    void closeWindow(WindowHandle window);
    void minimizeWindow(WindowHandle window);
    void setMainCaption(const std::string& text);
    void sendChat(const std::string& text);
    void keepOnTop(WindowHandle ownWindow);
    void pauseSeconds(double seconds);

    // ---- screen name and keyword navigation
    WindowHandle findWelcome();
    std::string readScreenName();  // "[not online]" when nobody is signed on
    WindowHandle findKeywordWindow();
    void clickKeywordButton();
    void openKeyword(const std::string& link);

    // ---- file transfer status
    WindowHandle findDownloadWindow();
    WindowHandle findUploadWindow();
    std::string downloadTitleText();
    std::string downloadLabelText();
    std::string uploadTitleText();
    std::string uploadLabelText();

    // Whether `text`, a line of the signed-on user's as the room shows it, is the echo
    // of a line that sendChat posted lately; each posted line is recognised once.
    bool takeOwnEcho(const std::string& text);

    // How long openKeyword looks for the keyword window before it gives up.
    static constexpr double kKeywordWaitLimitSeconds = 10.0;

private:
    // The first of the MDI client's children (frame, MDI client, first "aol child",
    // then GW_HWNDFIRST), 0 when any step finds nothing.
    WindowHandle firstClientWindow();

    Platform& platform_;  // not owned
    // What the room shows of the lines posted lately, oldest first.
    std::deque<std::string> recentPosts_;
};

inline constexpr const char* kNotOnline = "[not online]";

// Whether a read of the signed-on name found somebody: not "[not online]" (nobody
// signed on, or the client did not answer) and not empty.
inline bool namesSomeone(const std::string& signedOnName) {
    return !signedOnName.empty() && signedOnName != kNotOnline;
}

}  // namespace lantern
