#pragma once
// Helpers for the tests of the Windows backend: a platform of their own, a window
// that lives on another thread (a stand-in for another program's window that can be
// made to hang), pumping events for a while, and the thread's CPU time.

#include <memory>
#include <string>
#include <thread>

#include "platform/win32/form_control.h"
#include "platform/win32/win32_platform.h"

namespace lantern::win32::testing {

std::unique_ptr<Win32Platform> makeTestPlatform(const Win32Options& options = {});

// Runs events for `seconds` of real time through the platform's waits.
void pumpFor(EventLoop& events, double seconds);

// The window of a control made by the Windows toolkit.
HWND windowOf(Control& control);

// CPU seconds used by the calling thread so far (user and kernel).
double threadCpuSeconds();

// A plain window on a thread of its own. WM_SETTEXT and WM_GETTEXT work as for any
// window; kAnswer returns 42; kHang makes the thread stop answering for wParam ms.
class PeerWindow {
public:
    static constexpr UINT kAnswer = WM_APP + 1;
    static constexpr UINT kHang = WM_APP + 2;

    PeerWindow();
    ~PeerWindow();
    HWND hwnd() const { return hwnd_; }
    WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }
    void hangFor(unsigned milliseconds) { PostMessageA(hwnd_, kHang, milliseconds, 0); }

private:
    void run();
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;    // owned by the peer thread; set before `ready_`, which publishes it
    HANDLE ready_ = nullptr;  // owned: set when the window exists
    std::thread thread_;
};

}  // namespace lantern::win32::testing
