// The idle report: once a minute while idling is on, count one minute and post the
// idle line, or one line per running file transfer instead.

#include <cstdint>
#include <string>

#include "idle/presence.h"
#include "style/lines.h"

namespace lantern {

namespace {

constexpr const char* kIdleOffText = "off";

// The counters are 16-bit on purpose; past the top they wrap.
std::int16_t plusOne(std::int16_t counter) { return static_cast<std::int16_t>(counter + 1); }

}  // namespace

void Presence::idleTick() {
    Timer& timer = mainWindow_->idleTimer();

    // "off" in the box pauses the report without stopping the timer.
    if (mainWindow_->idleText() == kIdleOffText) {
        return;
    }
    loadColours();
    if (!idle_.idleOn) {
        timer.setEnabled(false);
        return;
    }
    if (idle_.reasonText.empty()) {
        idle_.reasonText = kDefaultReason;
    }

    idle_.idleMins = plusOne(idle_.idleMins);
    if (idle_.idleMins == 60) {
        idle_.idleHrs = plusOne(idle_.idleHrs);
        idle_.idleMins = 0;
        if (idle_.idleHrs == 24) {
            idle_.idleDays = plusOne(idle_.idleDays);
            idle_.idleHrs = 0;
        }
    }

    // The switches again: other events may have run since they were first looked at.
    if (!idle_.idleOn) {
        timer.setEnabled(false);
        return;
    }
    if (mainWindow_->idleText() == kIdleOffText) {
        return;
    }

    // Both searches come before anything is posted.
    const bool uploading = client_.findUploadWindow() != 0;
    const bool downloading = client_.findDownloadWindow() != 0;
    if (!uploading && !downloading) {
        client_.sendChat(idleLine());
        return;
    }
    // A transfer that ended since the search posts nothing.
    if (client_.findUploadWindow() != 0) {
        client_.sendChat(uploadLine());
    }
    if (client_.findDownloadWindow() != 0) {
        client_.sendChat(downloadLine());
    }
}

std::string Presence::idleLine() {
    return lantern::idleLine(style_, {idle_.idleDays, idle_.idleHrs, idle_.idleMins}, idle_.reasonText);
}

std::string Presence::uploadLine() {
    // The label is read before the title, each with its own search.
    std::string label = client_.uploadLabelText();
    std::string title = client_.uploadTitleText();
    return lantern::uploadLine(style_, label, title, idle_.reasonText);
}

std::string Presence::downloadLine() {
    std::string label = client_.downloadLabelText();
    std::string title = client_.downloadTitleText();
    return lantern::downloadLine(style_, label, title, idle_.reasonText);
}

}  // namespace lantern
