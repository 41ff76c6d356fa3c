// The idle reference: a bare Win32 program with one window that sits in its message
// loop and does nothing else. What Wine alone costs a program that waits, measured
// in the same run as the add-on (bench_beside_references.exe), so the add-on's quiet
// figures can be read against it.
//
//   bench_idle_reference.exe

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "LanternBenchIdleReference";
    RegisterClassA(&windowClass);
    // Never shown: without a window manager, Wine stalls a shown captioned window.
    CreateWindowA(windowClass.lpszClassName, "idle reference", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                  instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
