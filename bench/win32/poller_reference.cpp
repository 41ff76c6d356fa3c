// The poller reference: the idle reference plus what the chat watcher does in a
// quiet room at its rate and nothing more. Every 40 ms it finds the chat room's
// transcript ("AOL Frame25" > "MDIClient" > the first "AOL Child" with a
// "RICHCNTLREADONLY" child) and asks it for its length, with the same call the
// watcher's glance makes (the wide WM_GETTEXTLENGTH, SMTO_ABORTIFHUNG, 200 ms). The
// watcher also reads the whole text once a second; this does not.
//
//   bench_poller_reference.exe

#include <windows.h>

namespace {

constexpr UINT kPollMilliseconds = 40;
constexpr UINT kGlanceMilliseconds = 200;

HWND findTranscript() {
    HWND frame = FindWindowA("AOL Frame25", nullptr);
    HWND mdi = frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
    for (HWND child = mdi ? FindWindowExA(mdi, nullptr, "AOL Child", nullptr) : nullptr; child;
         child = FindWindowExA(mdi, child, "AOL Child", nullptr)) {
        if (HWND transcript = FindWindowExA(child, nullptr, "RICHCNTLREADONLY", nullptr)) {
            return transcript;
        }
    }
    return nullptr;
}

void poll() {
    // Found afresh every time, as the watcher does.
    if (HWND transcript = findTranscript()) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(transcript, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kGlanceMilliseconds,
                            &length);
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        poll();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "LanternBenchPollerReference";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, "poller reference", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, kPollMilliseconds, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
