#pragma once
// The seam to windows, ours and the chat client's: as thin as the platform calls it
// stands for (FindWindowA, FindWindowExA, GetWindow, SendMessageTimeoutA,
// SendMessageCallbackA, ShowWindow, SetWindowPos, ReleaseCapture), so the code in
// client/ reads like the algorithms and the simulated desktop can record every
// message in order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
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

// How long a send to another thread's window may wait for its answer. Sends to our
// own windows are plain SendMessageA whatever the patience.
enum class Patience {
    // SendMessageTimeoutA with SMTO_NORMAL and the send timeout (20 s): rides out the
    // client's ordinary stalls. For what the user or the timer started.
    RideOutStalls,
    // SendMessageTimeoutA with SMTO_NORMAL | SMTO_ABORTIFHUNG and 200 ms: fails at once
    // on a window the system already counts as hung (no answer for 5 s), and after
    // 200 ms on one that has just stopped answering. For looks that repeat on their
    // own (the chat watcher's polls), which must never hold up our windows.
    Glance,
};

// A window's change reports for as long as it lives (see watchChanges).
class ChangeWatch {
public:
    virtual ~ChangeWatch() = default;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // SendMessageTimeoutA with plain numbers.
    SendResult sendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                           Patience patience = Patience::RideOutStalls) {
        return deliverMessage(window, message, wParam, lParam, patience);
    }

    // WM_SETTEXT with wParam 0 and `text` (CP1252 bytes, no NUL inside).
    SendResult sendSetText(WindowHandle window, const std::string& text, Patience patience = Patience::RideOutStalls) {
        return deliverSetText(window, text, patience);
    }

    // WM_GETTEXT with wParam `capacity` (characters including the terminating NUL).
    // `buffer` is resized to capacity - 1 bytes beforehand by the caller and receives
    // what the window copied; the backend never writes beyond it. Result: the count
    // of characters copied.
    SendResult sendGetText(WindowHandle window, std::size_t capacity, std::string& buffer,
                           Patience patience = Patience::RideOutStalls) {
        return deliverGetText(window, capacity, buffer, patience);
    }

    // SendMessageCallbackA(window, WM_NULL, 0, 0, ...): returns at once; `answered`
    // runs later on our thread, while it lets events run, once the window's thread has
    // handled the message (at once for a window that is not hung). False, and
    // `answered` never runs, when the window does not exist; it never runs either for
    // a window that ends before it answers.
    virtual bool notifyWhenAnswering(WindowHandle window, std::function<void()> answered) = 0;

    // SetWinEventHook(EVENT_OBJECT_VALUECHANGE, ..., WINEVENT_OUTOFCONTEXT) for the
    // process of `window`: `changed` runs later on our thread, while it lets events run,
    // each time the system reports that a value of `window` or of a window inside it
    // changed, such as a scroll bar's position as a transcript scrolls on to a new
    // line. A hint, never a promise: many windows report nothing, a hung program
    // reports nothing, and reports come a little after the change. nullptr when the
    // window does not exist or no report can be had (the default).
    virtual std::unique_ptr<ChangeWatch> watchChanges(WindowHandle window, std::function<void()> changed) {
        (void)window;
        (void)changed;
        return nullptr;
    }

    // FindWindowA(className, NULL): the first top-level window of that class. Class
    // names match without regard to case.
    virtual WindowHandle findWindow(const std::string& className) = 0;

    // FindWindowExA(parent, after, className, NULL): the first direct child of
    // `parent` of that class that comes after `after` (0: from the first child).
    virtual WindowHandle findChild(WindowHandle parent, WindowHandle after, const std::string& className) = 0;

    // GetWindow(window, relation) with gw::First or gw::Next.
    virtual WindowHandle getWindow(WindowHandle window, unsigned relation) = 0;

    // ShowWindow(window, command). False when the window does not exist.
    virtual bool showWindow(WindowHandle window, int command) = 0;

    // SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE |
    // SWP_NOACTIVATE): raised without taking the keyboard from where the user types;
    // asynchronously (SWP_ASYNCWINDOWPOS) for another thread's window.
    virtual bool setTopmost(WindowHandle window) = 0;

    // ReleaseCapture().
    virtual void releaseCapture() = 0;

    // Whether the handle names a window that exists now.
    virtual bool isWindow(WindowHandle window) = 0;

    // How long a send to another program's window waits for its answer before it
    // counts as not delivered (SendMessageTimeoutA's timeout), from now on.
    virtual void setSendTimeout(double seconds) = 0;

protected:
    // The three sends above, as each backend makes them.
    virtual SendResult deliverMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam, Patience patience) = 0;
    virtual SendResult deliverSetText(WindowHandle window, const std::string& text, Patience patience) = 0;
    virtual SendResult deliverGetText(WindowHandle window, std::size_t capacity, std::string& buffer,
                                      Patience patience) = 0;
};

}  // namespace lantern
