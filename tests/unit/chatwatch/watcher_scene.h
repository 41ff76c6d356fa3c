#pragma once
// A chat client cut down to what the watcher looks at: the frame, the MDI client and
// chat rooms with their five kinds of children, whose transcript the test writes
// directly, as the client would append and trim it.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "chat_line_print.h"
#include "chatwatch/chat_watcher.h"
#include "chatwatch/transcript.h"
#include "platform/sim/desktop.h"

namespace lantern {

class WatcherScene : public ::testing::Test {
protected:
    // Every line the handler was given, and when (virtual seconds).
    struct Received {
        ChatLine line;
        double time = 0;
    };

    WatcherScene() {
        watcher.setSignedOnNameReader([this] {
            ++nameReads;
            return signedOnName;
        });
    }

    void openClient() {
        frame = desktop.createWindow(0, "AOL Frame25", "America Online");
        mdi = desktop.createWindow(frame, "MDIClient");
    }

    // A room on top of the other client windows.
    WindowHandle openRoom(const std::string& history = "") {
        const WindowHandle room = desktop.createWindow(mdi, "AOL Child", "Lobby");
        for (const char* childClass : {"_AOL_Static", "_AOL_Combobox", "_AOL_Icon", "RICHCNTL"}) {
            desktop.createWindow(room, childClass);
        }
        const WindowHandle transcript = desktop.createWindow(room, "RICHCNTLREADONLY");
        desktop.setCaption(transcript, history);
        transcripts[room] = transcript;
        return room;
    }

    // The client appends a line, then trims the oldest lines beyond `keepLines`.
    void say(WindowHandle room, const std::string& name, const std::string& text) {
        std::deque<std::string>& lines = shown[room];
        lines.push_back("\r\n" + name + ":\t" + text);
        while (keepLines > 0 && lines.size() > keepLines) {
            lines.pop_front();
        }
        std::string all;
        for (const std::string& line : lines) {
            all += line;
        }
        desktop.setCaption(transcripts.at(room), all);
    }

    // The handler: records the line, then does what the test asks of it.
    void handle(const std::string& name, const std::string& text) {
        received.push_back({{name, text}, desktop.now()});
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (whileHandling) {
            whileHandling(ChatLine{name, text});
        }
        --depth;
    }

    std::vector<ChatLine> receivedLines() const {
        std::vector<ChatLine> lines;
        for (const Received& r : received) {
            lines.push_back(r.line);
        }
        return lines;
    }

    long messagesTo(WindowHandle window, unsigned message) const {
        long count = 0;
        for (const sim::RecordedMessage& m : desktop.messagesTo(window)) {
            count += m.message == message ? 1 : 0;
        }
        return count;
    }

    sim::Desktop desktop;
    Platform platform = desktop.platform();
    std::vector<Received> received;
    std::function<void(const ChatLine&)> whileHandling;
    int depth = 0, maxDepth = 0;
    std::string signedOnName = "me";
    int nameReads = 0;
    ChatWatcher watcher{
        platform, [this](const std::string& name, const std::string& text) { handle(name, text); }};

    WindowHandle frame = 0, mdi = 0;
    std::map<WindowHandle, WindowHandle> transcripts;  // room -> its transcript
    std::map<WindowHandle, std::deque<std::string>> shown;
    std::size_t keepLines = 0;  // 0: the client never trims
};

}  // namespace lantern
