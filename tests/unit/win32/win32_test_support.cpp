#include "win32_test_support.h"

namespace lantern::win32::testing {

std::unique_ptr<Win32Platform> makeTestPlatform(const Win32Options& options) {
    return makeWin32Platform(GetModuleHandleA(nullptr), options);
}

void pumpFor(EventLoop& events, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        events.waitForEvents(static_cast<double>(end - now) / 1000.0);
    }
}

HWND windowOf(Control& control) { return dynamic_cast<FormControl&>(control).hwnd(); }

double threadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

PeerWindow::PeerWindow() : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { run(); });
    WaitForSingleObject(ready_, 10000);
}

PeerWindow::~PeerWindow() {
    if (hwnd_) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    thread_.join();
    CloseHandle(ready_);
}

void PeerWindow::run() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LanternTestPeer";
    RegisterClassA(&windowClass);
    hwnd_ = CreateWindowExA(0, "LanternTestPeer", "peer", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetEvent(ready_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

LRESULT CALLBACK PeerWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAnswer:
        return 42;
    case kHang:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace lantern::win32::testing
