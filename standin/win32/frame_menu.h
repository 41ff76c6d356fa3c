#pragma once
// The frame's menu, for a person trying the add-on by hand: make another member
// speak, open a second room, run transfers that move on by themselves, sign off and
// on, stall the client. Each item runs a control command, as the tests do.

#include <windows.h>

#include <set>

#include "standin/model/standin_client.h"
#include "standin/win32/win32_host.h"

namespace lantern::standin::win32 {

FrameMenu buildFrameMenu();

class MenuActions {
public:
    // The client and host are not owned; they outlive the actions.
    void attach(StandinClient& client, Win32Host& host) {
        client_ = &client;
        host_ = &host;
    }
    void run(int command);
    // Moves the transfers started from the menu on a little.
    void tick();

private:
    void say();
    void advance(TransferKind kind, int step);

    StandinClient* client_ = nullptr;  // not owned
    Win32Host* host_ = nullptr;  // not owned
    std::set<TransferKind> moving_;  // transfers that the tick moves on
    int chatter_ = 0;
};

}  // namespace lantern::standin::win32
