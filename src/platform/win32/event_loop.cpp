#include "platform/win32/event_loop.h"

#include <cmath>

namespace lantern::win32 {
namespace {

// At most this many messages per doEvents, so a window that keeps posting to itself
// cannot hold a caller inside one call for ever.
constexpr int kMessagesPerPass = 512;

// While a loop reads this thread's mouse and keyboard (a popup menu being tracked,
// the system's move loop of a drag, or our own), a handler that runs inside it (a
// timer tick, a chat line) and pauses must leave that input alone: taken and
// dispatched here, a key meant for the menu or the release that ends a drag would be
// lost.
bool loopReadsInput(const Backend& backend) {
    if (backend.followingPointer) return true;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE)) != 0;
}

}  // namespace

void Win32EventLoop::doEvents() {
    ++backend_.eventPasses;
    const UINT removal =
        loopReadsInput(backend_) ? PM_REMOVE | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT : PM_REMOVE;
    MSG message;
    for (int i = 0; i < kMessagesPerPass && !backend_.quitSeen; ++i) {
        if (!PeekMessageA(&message, nullptr, 0, 0, removal)) break;
        backend_.dispatch(message);
    }
}

void Win32EventLoop::waitForEvents(double seconds) {
    doEvents();
    if (!(seconds > 0)) return;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::ceil(seconds * 1000.0));
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        const DWORD remaining = static_cast<DWORD>(deadline - now);
        if (backend_.quitSeen) {
            // The program is on its way out and runs no more events; the pause still
            // lasts its time, without a loop around an empty queue.
            Sleep(remaining);
            return;
        }
        // Input left for such a loop must not end every wait at once.
        const bool leaveInput = loopReadsInput(backend_);
        MsgWaitForMultipleObjectsEx(0, nullptr, remaining,
                                    leaveInput ? QS_SENDMESSAGE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT : QS_ALLINPUT,
                                    leaveInput ? 0 : MWMO_INPUTAVAILABLE);
        doEvents();
    }
}

double Win32EventLoop::timeOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

double Win32EventLoop::secondsSinceInput() {
    LASTINPUTINFO last{};
    last.cbSize = sizeof last;
    if (!GetLastInputInfo(&last)) return 0;  // unknown: as if the user were there
    // Both are the same 32-bit tick count: the difference is right across its wrap.
    const DWORD idle = GetTickCount() - last.dwTime;
    return idle / 1000.0;
}

int Win32EventLoop::run() {
    MSG message;
    while (!backend_.quitSeen) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            backend_.quitSeen = true;
            backend_.quitCode = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) break;
        backend_.dispatch(message);
    }
    return backend_.quitCode;
}

}  // namespace lantern::win32
