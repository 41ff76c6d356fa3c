#pragma once
// Our chat watcher: reads the open chat room's transcript and raises one chat-line
// event per new line, with the author's screen name and the text. Lines that arrive
// while one is being handled are queued and handled after it, never nested.

#include <functional>
#include <memory>
#include <string>

#include "chatwatch/chat_scanner.h"
#include "platform/toolkit.h"

namespace lantern {

using ChatLineHandler = std::function<void(const std::string& screenName, const std::string& text)>;

class ChatWatcher : public ChatScanner {
public:
    ChatWatcher(Platform& platform, ChatLineHandler onChatLine);
    ~ChatWatcher() override;
    void start() override;
    void stop() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lantern
