#pragma once
// The real Windows backend: the four seams of platform/ over user32, gdi32, comctl32
// and advapi32, ANSI calls throughout. The entry point makes one and hands its
// Platform to the core.

#include <memory>
#include <string>

#include "platform/toolkit.h"
#include "platform/win32/windows_api.h"

namespace lantern {

namespace win32 {
struct Backend;
class Win32WindowSystem;
class Win32Registry;
class Win32EventLoop;
class Win32Toolkit;
}  // namespace win32

struct Win32Options {
    // How long a message to another program's window may take before we count it as
    // not delivered: long enough to ride out the client's ordinary stalls.
    unsigned sendTimeoutMs = 20000;
    // How long a glance (Patience::Glance) waits for a window that has just stopped
    // answering: short enough that the user does not notice it once.
    unsigned glanceTimeoutMs = 200;
    // The named mutex that marks a running instance.
    std::string instanceMutexName = "Local\\lantern-idle.single-instance";
};

class Win32Platform {
public:
    Win32Platform(HINSTANCE instance, const Win32Options& options);
    ~Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform& platform() { return platform_; }

    // Runs the program's message loop until WM_QUIT; returns the exit code it carried.
    int runMessageLoop();

    // How many times pending events were run (doEvents, and each wake of a wait).
    long eventPasses() const;

private:
    std::unique_ptr<win32::Backend> backend_;
    std::unique_ptr<win32::Win32WindowSystem> windows_;
    std::unique_ptr<win32::Win32Registry> registry_;
    std::unique_ptr<win32::Win32EventLoop> events_;
    std::unique_ptr<win32::Win32Toolkit> toolkit_;
    Platform platform_;  // references to the four seams above
};

std::unique_ptr<Win32Platform> makeWin32Platform(HINSTANCE instance, const Win32Options& options = {});

}  // namespace lantern
