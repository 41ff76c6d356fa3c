#pragma once
// EventLoop over the thread's message queue. Waits sleep in
// MsgWaitForMultipleObjectsEx until a message arrives or the time is up, and run
// what arrived; they never spin.

#include "platform/event_loop.h"
#include "platform/win32/backend.h"

namespace lantern::win32 {

class Win32EventLoop final : public EventLoop {
public:
    explicit Win32EventLoop(Backend& backend) : backend_(backend) {}

    void doEvents() override;
    void waitForEvents(double seconds) override;
    double timeOfDay() override;
    double secondsSinceInput() override;

    // The program's main loop: runs until WM_QUIT and answers its exit code.
    int run();

private:
    Backend& backend_;  // not owned
};

}  // namespace lantern::win32
