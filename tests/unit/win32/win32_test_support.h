#pragma once
// Helpers for the Windows backend tests: a platform, events run for a while, and a
// window on another thread (as another program's) that can be made to hang.

#include <atomic>
#include <memory>
#include <thread>

#include "platform/win32/form_control.h"
#include "platform/win32/win32_platform.h"

namespace lantern::win32::testing {

inline std::unique_ptr<Win32Platform> makeTestPlatform(const Win32Options& options = {}) {
    return makeWin32Platform(GetModuleHandleA(nullptr), options);
}

inline void pumpFor(EventLoop& events, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) events.waitForEvents((end - now) / 1e3);
}

inline HWND windowOf(Control& control) { return dynamic_cast<FormControl&>(control).hwnd(); }
inline HWND hwndOf(Window& window) { return reinterpret_cast<HWND>(window.handle()); }

// A window on a thread of its own, as another program's: kAnswer returns 42, kHang
// makes the thread stop answering for wParam ms.
class PeerWindow {
public:
    static constexpr UINT kAnswer = WM_APP + 1, kHang = WM_APP + 2;
    PeerWindow() { while (!hwnd_) Sleep(1); }
    ~PeerWindow() {
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd_.load()); }
    void hangFor(unsigned milliseconds) { PostMessageA(hwnd_, kHang, milliseconds, 0); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kAnswer) return 42;
        if (message == kHang) Sleep(static_cast<DWORD>(wParam));
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void run() {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA windowClass{.lpfnWndProc = windowProc, .hInstance = instance, .lpszClassName = "LanternTestPeer"};
        RegisterClassA(&windowClass);
        hwnd_ = CreateWindowExA(0, "LanternTestPeer", "", 0, 0, 0, 9, 9, nullptr, nullptr, instance, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }

    std::atomic<HWND> hwnd_ = nullptr;  // owned by the peer thread
    std::thread thread_{[this] { run(); }};
};

}  // namespace lantern::win32::testing
