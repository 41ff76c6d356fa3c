#include "bench/win32/support/other_windows.h"

#include <algorithm>

#include "bench/win32/support/wine_session.h"

namespace lantern::bench {

std::vector<HWND> topLevelWindows(const char* className, DWORD processId) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            found.push_back(window);
        }
    }
    return found;
}

std::string captionOf(HWND window) {
    char text[256] = {};
    return std::string(text, std::max(GetWindowTextA(window, text, sizeof text), 0));
}

HWND visibleWindow(const char* className, DWORD processId, double seconds, HWND other) {
    const long long deadline = nowMs() + static_cast<long long>(seconds * 1000);
    do {
        for (HWND window : topLevelWindows(className, processId)) {
            if (window != other && IsWindowVisible(window)) {
                return window;
            }
        }
        sleepMs(10);
    } while (nowMs() < deadline);
    return nullptr;
}

TimedRead timeRead(HWND transcript) {
    TimedRead read;
    DWORD_PTR length = 0;
    const long long start = nowMs();
    if (!SendMessageTimeoutW(transcript, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 20000, &length)) {
        return read;
    }
    const long long measured = nowMs();
    std::vector<char> buffer(length + 1024 + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(transcript, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_NORMAL, 20000, &copied)) {
        return read;
    }
    read.answered = true;
    read.lengthMs = static_cast<double>(measured - start);
    read.textMs = static_cast<double>(nowMs() - measured);
    read.bytes = copied;
    return read;
}

}  // namespace lantern::bench
