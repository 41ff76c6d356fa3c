#pragma once
// The whole of a bare Win32 program, for the reference programs: one borderless
// window shown as the add-on's bar is (a captioned one would stall Wine without a
// window manager), and its message loop; with a timer when asked. Header only: the references link nothing of
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
    // Shown, since a shown window costs memory of its own under Wine (its surface): at
    // the bottom left, without taking the keyboard from anyone.
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, className, className, WS_POPUP, 0, 728, 191, 32,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
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
