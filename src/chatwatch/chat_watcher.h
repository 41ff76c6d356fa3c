#pragma once
// Our chat watcher: reads the open chat room's transcript and raises one chat-line
// event per new line, with the author's screen name and the text. Lines that arrive
// while one is being handled are queued and handled after it, never nested.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chatwatch/chat_scanner.h"
#include "platform/toolkit.h"

namespace lantern {

using ChatLineHandler = std::function<void(const std::string& screenName, const std::string& text)>;

// What the watcher has done since it was made, for benchmarks and tests.
struct ChatWatcherStats {
    std::uint64_t linesSeen = 0;  // new chat lines found in the transcript
    std::uint64_t linesDelivered = 0;  // handler calls
    std::uint64_t linesCoalesced = 0;  // lines folded into a newer one (see line_queue.h)
    std::size_t queueLength = 0;  // lines waiting now
    std::size_t queuePeak = 0;  // the most that ever waited
    std::uint64_t clientStalls = 0;  // times the client stopped answering a glance
    std::uint64_t changeReports = 0;  // changes the system reported of the transcripts
    std::uint64_t changesUnreported = 0;  // rooms whose reports missed a change
    bool reportsTrusted = false;  // the open room's reports pace the watcher now
};

class ChatWatcher : public ChatScanner {
public:
    ChatWatcher(Platform& platform, ChatLineHandler onChatLine);
    ~ChatWatcher() override;
    void start() override;
    void stop() override;

    // How the watcher learns who is signed on, asked only when a backlog of lines
    // has built up (see line_queue.h); the entry point hands it the client's reading
    // of the welcome window. Without one, no line is folded.
    using SignedOnNameReader = std::function<std::string(Platform& seams)>;
    void setSignedOnNameReader(SignedOnNameReader reader);

    ChatWatcherStats stats() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lantern
