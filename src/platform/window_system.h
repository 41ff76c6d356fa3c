#pragma once
// The seam to windows, ours and the chat client's: as thin as the platform calls it
// stands for (FindWindowA, FindWindowExA, GetWindow, SendMessageA, ShowWindow,
// SetWindowPos, ReleaseCapture), so the code in client/ reads like the algorithms
// and the simulated desktop can record every message in order.

#include <cstddef>
#include <cstdint>
#include <string>

namespace lantern {

// An opaque window handle; 0 means that no such window was found.
using WindowHandle = std::uintptr_t;

// What came back from a send. `delivered` is false when the window does not exist
// or did not answer in time (a hung client); callers then treat it as a missing
// window or an empty text and give up the rest of their operation.
struct SendResult {
    bool delivered = false;
    std::intptr_t value = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // FindWindowA(className, NULL): the first top-level window of that class. Class
    // names match without regard to case.
    virtual WindowHandle findWindow(const std::string& className) = 0;

    // FindWindowExA(parent, after, className, NULL): the first direct child of
    // `parent` of that class that comes after `after` (0: from the first child).
    virtual WindowHandle findChild(WindowHandle parent, WindowHandle after,
                                   const std::string& className) = 0;

    // GetWindow(window, relation) with gw::First or gw::Next.
    virtual WindowHandle getWindow(WindowHandle window, unsigned relation) = 0;

    // SendMessage with plain numbers.
    virtual SendResult sendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;

    // WM_SETTEXT with wParam 0 and `text` (CP1252 bytes, no NUL inside).
    virtual SendResult sendSetText(WindowHandle window, const std::string& text) = 0;

    // WM_GETTEXT with wParam `capacity` (characters including the terminating NUL).
    // `buffer` is resized to capacity - 1 bytes beforehand by the caller and receives
    // what the window copied; the backend never writes beyond it. Result: the count
    // of characters copied.
    virtual SendResult sendGetText(WindowHandle window, std::size_t capacity, std::string& buffer) = 0;

    // ShowWindow(window, command). False when the window does not exist.
    virtual bool showWindow(WindowHandle window, int command) = 0;

    // SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE).
    virtual bool setTopmost(WindowHandle window) = 0;

    // ReleaseCapture().
    virtual void releaseCapture() = 0;

    // Whether the handle names a window that exists now.
    virtual bool isWindow(WindowHandle window) = 0;

    // How long a send to another program's window waits for its answer before it
    // counts as not delivered (SendMessageTimeoutA's timeout), from now on.
    virtual void setSendTimeout(double seconds) = 0;
};

}  // namespace lantern
