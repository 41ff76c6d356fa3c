#pragma once
// The composition root: builds the client access, the idle presence, the user
// interface and the chat watcher over one platform and wires them together. Both
// entry points (WinMain and the simulator's terminal front end) use it.

#include <memory>

#include "chatwatch/chat_watcher.h"
#include "client/client.h"
#include "idle/presence.h"
#include "ui/user_interface.h"

namespace lantern {

class App {
public:
    explicit App(Platform& platform);
    // Creates the main window and runs start-up.
    void start();

    Presence& presence() { return presence_; }
    UserInterface& ui() { return *ui_; }
    // The chat watcher's counters (benchmarks); null before start.
    const ChatWatcher* chatWatcher() const { return watcher_.get(); }

private:
    Platform& platform_;  // not owned
    Client client_;
    Presence presence_;
    std::unique_ptr<UserInterface> ui_;
    std::unique_ptr<ChatWatcher> watcher_;
};

}  // namespace lantern
