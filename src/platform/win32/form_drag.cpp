// A form's own move loop for a drag with the right or middle button. The system's
// move loop (WM_NCLBUTTONDOWN with HTCAPTION) ends only when the left button comes
// up, on Windows and under Wine alike; this one ends when the button that began it
// does, keeps the window at the pointer's offset meanwhile, and puts it back on Escape.

#include "platform/win32/form.h"

namespace lantern::win32 {
namespace {

struct ButtonMessages {
    UINT up;
    int virtualKey;
};

ButtonMessages messagesOf(MouseButton button) {
    switch (button) {
    case MouseButton::Right:
        return {WM_RBUTTONUP, VK_RBUTTON};
    case MouseButton::Middle:
        return {WM_MBUTTONUP, VK_MBUTTON};
    case MouseButton::Left:
        break;
    }
    return {WM_LBUTTONUP, VK_LBUTTON};
}

bool isKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Sets the flag for as long as the loop runs, whichever way it ends.
class FlagWhile {
public:
    explicit FlagWhile(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagWhile() { flag_ = false; }
    FlagWhile(const FlagWhile&) = delete;
    FlagWhile& operator=(const FlagWhile&) = delete;

private:
    bool& flag_;
};

}  // namespace

void Form::followPointer(MouseButton button) {
    const ButtonMessages messages = messagesOf(button);
    // Released already (the release is behind the press in the queue, or the button
    // never went down): nothing to follow. The logical state, as the messages say it.
    if (!hwnd_ || (GetKeyState(messages.virtualKey) & 0x8000) == 0) return;
    RECT start;
    POINT grip;
    GetWindowRect(hwnd_, &start);
    GetCursorPos(&grip);
    const HWND window = hwnd_;
    SetCapture(window);
    // Pauses of handlers that run inside the loop (a tick, a chat line) leave the
    // mouse and keys to it, or the release that ends it could be taken from it.
    FlagWhile following(backend_.followingPointer);
    MSG message;
    while (IsWindow(window) && GetCapture() == window) {  // another window may take the capture
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
            break;
        }
        if (got == -1 || message.message == messages.up) break;
        if (message.message == WM_MOUSEMOVE) {
            POINT now;
            GetCursorPos(&now);
            SetWindowPos(window, nullptr, start.left + now.x - grip.x, start.top + now.y - grip.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            SetWindowPos(window, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        if (isKeyMessage(message.message)) continue;  // the keyboard belongs to the drag, as in the system's loop
        backend_.dispatch(message);
    }
    if (GetCapture() == window) ReleaseCapture();
}

}  // namespace lantern::win32
