#pragma once
// The whole of a bare Win32 program, for the reference programs: one borderless
// window shown as the add-on's bar is (a captioned one would stall Wine without a
// window manager), and its message loop; with a timer, or taking the focus as the
// add-on's windows do, when asked. Header only: the references link nothing of ours.

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

struct BareWindow {
    const char* className;
    UINT timerMs = 0;  // `tick` this often (none: 0)
    void (*tick)() = nullptr;
    // Activated and given the keyboard, as the add-on's splash and bar are. Under Wine
    // the first focus of a thread sets up its input context, which loads COM.
    bool takesFocus = false;
};

// Runs the window's message loop until it ends.
inline int runBareWindow(HINSTANCE instance, const BareWindow& spec) {
    const char* className = spec.className;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bare::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    // Shown, since a shown window costs memory of its own under Wine (its surface): at
    // the bottom left, and without taking the keyboard from anyone unless asked.
    const DWORD exStyle = WS_EX_TOOLWINDOW | (spec.takesFocus ? 0 : WS_EX_NOACTIVATE);
    HWND window =
        CreateWindowExA(exStyle, className, className, WS_POPUP, 0, 728, 191, 32, nullptr, nullptr, instance, nullptr);
    if (spec.takesFocus) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
    } else {
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    if (spec.timerMs > 0) {
        bare::onTimer = spec.tick;
        SetTimer(window, 1, spec.timerMs, nullptr);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace lantern::bench
