// The signed-on screen name, read from the caption of the client's welcome window.

#include "client/client.h"
#include "client/window_io.h"
#include "common/text.h"

namespace lantern {

namespace {
constexpr const char* kWelcomeWord = "Welcome";
}

WindowHandle Client::findWelcome() {
    WindowSystem& windows = platform_.windows;
    // The topmost client window is taken on its caption alone.
    const std::optional<windowio::Captioned> first = windowio::withCaption(windows, firstClientWindow());
    if (!first) {
        return 0;
    }
    if (text::contains(first->caption, kWelcomeWord)) {
        return first->window;
    }
    // Further down, the caption must be backed by the welcome window's children.
    return windowio::walk(windows, platform_.events, first->window, [&](WindowHandle candidate) {
        const std::optional<std::string> caption = windowio::readText(windows, candidate);
        if (!caption) {
            return windowio::Verdict::GiveUp;
        }
        const bool isWelcome =
            text::contains(*caption, kWelcomeWord) &&
            windowio::hasChildOfEach(windows, candidate, {"_aol_icon", "_aol_static", "_aol_glyph", "richcntlstatic"});
        return isWelcome ? windowio::Verdict::Take : windowio::Verdict::Skip;
    });
}

std::string Client::readScreenName() {
    const WindowHandle welcome = findWelcome();
    if (welcome == 0) {
        return kNotOnline;
    }
    // A welcome window that closed since it was found means nobody is signed on
    // now; an empty name would otherwise pass for one.
    const std::optional<std::string> caption = windowio::readText(platform_.windows, welcome);
    if (!caption) {
        return kNotOnline;
    }
    return text::removeAll(text::removeAll(*caption, "Welcome, "), "!");
}

}  // namespace lantern
