#pragma once
// A chat client cut down to what the watcher looks at; the test writes the transcripts,
// and with `reportsChanges` the transcript reports each change as a standard control's
// scroll bar does.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <numeric>

#include "chatwatch/chat_watcher.h"
#include "chatwatch/transcript.h"
#include "platform/sim/desktop.h"

namespace lantern {

inline void PrintTo(const ChatLine& line, std::ostream* out) {
    *out << ::testing::PrintToString(line.screenName) << ":" << ::testing::PrintToString(line.text);
}

class WatcherScene : public ::testing::Test {
protected:
    WatcherScene() {
        watcher.setSignedOnNameReader([](Platform&) { return std::string("me"); });
    }

    void openClient() { mdi = desktop.createWindow(desktop.createWindow(0, "AOL Frame25"), "MDIClient"); }

    // A room on top of the other client windows; the transcript is its last child.
    WindowHandle openRoom(const std::string& history = "") {
        const WindowHandle room = desktop.createWindow(mdi, "AOL Child", "Lobby");
        for (const char* c : {"_AOL_Static", "_AOL_Combobox", "_AOL_Icon", "RICHCNTL", "RICHCNTLREADONLY"}) {
            transcripts[room] = desktop.createWindow(room, c);
        }
        desktop.setCaption(transcripts[room], history);
        return room;
    }

    WindowHandle watchNewRoom(std::size_t keep = 0) {
        openClient();
        const WindowHandle room = openRoom();
        keepLines = keep;
        watcher.start();
        return room;
    }

    // The client appends a line, then trims the oldest beyond `keepLines` (0: never).
    void say(WindowHandle room, const std::string& name, const std::string& text) {
        std::deque<std::string>& lines = shown[room];
        lines.push_back("\r\n" + name + ":\t" + text);
        if (keepLines > 0 && lines.size() > keepLines) lines.pop_front();
        show(room, std::accumulate(lines.begin(), lines.end(), std::string()));
    }

    void show(WindowHandle room, const std::string& text) {
        desktop.setCaption(transcripts.at(room), text);
        if (reportsChanges) desktop.reportChange(transcripts.at(room));
    }

    sim::Desktop desktop;
    Platform platform = desktop.platform();
    std::vector<ChatLine> received;  // what the handler was given
    std::vector<double> times;  // and when, in virtual seconds
    std::function<void(const ChatLine&)> whileHandling;
    int depth = 0, maxDepth = 0;
    ChatWatcher watcher{platform, [this](const std::string& name, const std::string& text) {
                            received.push_back({name, text});
                            times.push_back(desktop.now());
                            maxDepth = std::max(maxDepth, ++depth);
                            if (whileHandling) whileHandling(ChatLine{name, text});
                            --depth;
                        }};
    WindowHandle mdi = 0;
    std::map<WindowHandle, WindowHandle> transcripts;  // room -> its transcript
    std::map<WindowHandle, std::deque<std::string>> shown;
    std::size_t keepLines = 0;
    bool reportsChanges = false;
};

}  // namespace lantern
