#pragma once
// The whole of a bare Win32 program, for the reference programs: one window, never
// shown (without a window manager, Wine stalls a shown captioned window), and its
// message loop; with a timer when asked. Header only: the references link nothing of
// ours.

#include <windows.h>

namespace lantern::bench {

namespace bare {
inline void (*onTimer)() = nullptr;

inline LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (onTimer) {
            onTimer();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
}  // namespace bare

// Runs the window's message loop until it ends; `tick` every `timerMs` (none: 0).
inline int runBareWindow(HINSTANCE instance, const char* className, UINT timerMs = 0, void (*tick)() = nullptr) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bare::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA(className, className, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr);
    if (timerMs > 0) {
        bare::onTimer = tick;
        SetTimer(window, 1, timerMs, nullptr);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace lantern::bench
