#pragma once
// The chat scanner as start-up and shut-down drive it: start and stop, nothing else.
// ChatWatcher is the one implementation; the presence's and the windows' tests put a
// recorder of their own in its place.

namespace lantern {

class ChatScanner {
public:
    virtual ~ChatScanner() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

}  // namespace lantern
