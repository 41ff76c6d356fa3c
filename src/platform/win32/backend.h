#pragma once
// All state of the Windows backend, in one struct that every part of it shares: the
// module, the options, the DPI functions, the hidden window that receives timer
// ticks, the live timers and forms, and the single-instance mutex. Window procedures
// find their object through the window's user data, so nothing here is global.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "platform/win32/dpi.h"
#include "platform/win32/win32_platform.h"

namespace lantern::win32 {

class WindowTimer;

// The window classes of our own windows.
inline constexpr char kFormClass[] = "LanternForm";
inline constexpr char kSurfaceClass[] = "LanternSurface";  // labels and pictures
inline constexpr char kFrameClass[] = "LanternFrame";  // the frame that holds controls
inline constexpr char kHostClass[] = "LanternHost";  // the hidden timer window
inline constexpr char kDialogClass[] = "#32770";  // the system's dialog boxes

// Lets code that has just run a handler find out whether the handler destroyed the
// object it belongs to (a click that closes its window, a close that ends its form).
class LifeToken {
public:
    std::weak_ptr<char> watch() const { return token_; }

private:
    std::shared_ptr<char> token_ = std::make_shared<char>();
};

// Calls a copy of the handler, if one is set: the handler may replace itself or end
// the object that holds it.
template <class Handler, class... Args>
void callCopy(const Handler& handler, Args&&... args) {
    if (!handler) return;
    Handler copy = handler;
    copy(std::forward<Args>(args)...);
}

struct Backend {
    Backend(HINSTANCE module, const Win32Options& chosen);
    ~Backend();
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    // Routes one message as every message loop of ours does: Tab and arrow keys of our
    // forms and the keys of our thread's dialog boxes through IsDialogMessageA,
    // everything else translated and dispatched. A WM_QUIT is remembered instead.
    void dispatch(MSG& message);

    HINSTANCE instance;  // not owned: the module whose resources we load
    Win32Options options;
    DpiApi dpi;
    HWND host = nullptr;  // owned: message-only window for timer ticks
    std::map<UINT_PTR, WindowTimer*> timers;  // not owned: live timers by their id on `host`
    UINT_PTR nextTimerId = 1;
    std::set<HWND> forms;  // not owned: our live top-level forms
    HWND mainForm = nullptr;  // not owned: the first form, the program's main window, while it lives
    HANDLE instanceMutex = nullptr;  // owned: held while we run
    std::optional<bool> previousInstance;  // the answer of the first check
    bool followingPointer = false;  // a form's own move loop runs (Form::followPointer)
    bool quitSeen = false;
    int quitCode = 0;
    long eventPasses = 0;  // how often pending events were run: waits must not spin

private:
    static LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The object behind one of our windows: handed to CreateWindowExA, kept in the
// window's user data from WM_NCCREATE (its first message) on. Null before that, and
// after the object has cleared it when its window was destroyed.
template <class Object>
Object* windowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Object*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        return created;
    }
    return reinterpret_cast<Object*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The procedure of a class whose every window belongs to one object (a form, our own
// controls): the object learns its window at WM_NCCREATE and answers every message
// from then on in handleMessage. The class befriends its instance of it.
template <class Object>
LRESULT CALLBACK objectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Object* self = windowObject<Object>(window, message, lParam);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCCREATE) self->hwnd_ = window;
    return self->handleMessage(message, wParam, lParam);
}

// Whether the window belongs to the calling thread (and so may be sent to directly).
bool ownedByThisThread(HWND window);

// Whether the window is a dialog box (class #32770) of the calling thread.
bool isDialogOfThisThread(HWND window);

// A window's text through the ANSI calls, for our own windows.
std::string windowText(HWND window);

}  // namespace lantern::win32
