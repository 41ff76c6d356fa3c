// Opening an in-client link the way a user does: the keyword button on the client's
// toolbar, the link typed into the keyword window, its go button clicked.

#include "client/client.h"
#include "client/elapsed_clock.h"
#include "client/window_io.h"

namespace lantern {

namespace {
constexpr const char* kEditClass = "_aol_edit";
constexpr const char* kIconClass = "_aol_icon";

// The keyword button is the 19th icon on the client's toolbar.
constexpr int kKeywordButtonPosition = 19;

// Between two looks for the keyword window, and before typing into it.
constexpr double kKeywordPause = 0.4;
}  // namespace

WindowHandle Client::findKeywordWindow() {
    WindowSystem& windows = platform_.windows;
    return windowio::walk(windows, platform_.events, firstClientWindow(), [&](WindowHandle candidate) {
        return windowio::hasChildOfEach(windows, candidate, {"_aol_glyph", "richcntlstatic", kEditClass, kIconClass})
                   ? windowio::Verdict::Take
                   : windowio::Verdict::Skip;
    });
}

void Client::clickKeywordButton() {
    WindowSystem& windows = platform_.windows;
    const WindowHandle frame = findMainFrame();
    if (frame == 0) {
        return;
    }
    const WindowHandle toolbarHost = windows.findChild(frame, 0, "aol toolbar");
    const WindowHandle toolbar = toolbarHost == 0 ? 0 : windows.findChild(toolbarHost, 0, "_aol_toolbar");
    if (toolbar == 0) {
        return;
    }
    WindowHandle icon = windows.findChild(toolbar, 0, kIconClass);
    for (int position = 1; position < kKeywordButtonPosition && icon != 0; ++position) {
        icon = windows.findChild(toolbar, icon, kIconClass);
    }
    // A toolbar with fewer icons has no keyword button: nothing is clicked (a
    // lookup after 0 would start again from the first icon).
    if (icon != 0) {
        windowio::click(windows, icon);
    }
}

void Client::openKeyword(const std::string& link) {
    WindowSystem& windows = platform_.windows;
    clickKeywordButton();
    platform_.events.doEvents();

    // The keyword window may never open (no client, nothing clicked): look for it
    // for a bounded time only.
    ElapsedClock clock(platform_.events);
    WindowHandle keywordWindow = 0;
    for (;;) {
        pauseSeconds(kKeywordPause);
        keywordWindow = findKeywordWindow();
        if (keywordWindow != 0) {
            break;
        }
        if (clock.elapsed() >= kKeywordWaitLimitSeconds) {
            return;
        }
    }

    pauseSeconds(kKeywordPause);
    const WindowHandle linkBox = windows.findChild(keywordWindow, 0, kEditClass);
    if (!windowio::writeText(windows, linkBox, link)) {
        return;  // the window closed or the client stopped answering
    }
    windowio::click(windows, windows.findChild(keywordWindow, 0, kIconClass));
}

}  // namespace lantern
