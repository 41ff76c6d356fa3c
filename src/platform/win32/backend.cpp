#include "platform/win32/backend.h"

#include <cstring>
#include <vector>

#include "platform/win32/event_loop.h"
#include "platform/win32/form.h"
#include "platform/win32/frame_control.h"
#include "platform/win32/registry.h"
#include "platform/win32/surface_control.h"
#include "platform/win32/toolkit.h"
#include "platform/win32/window_system.h"
#include "platform/win32/window_timer.h"

namespace lantern::win32 {
namespace {

void registerClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    // A second backend in the same process (tests) finds the classes registered.
    RegisterClassExA(&windowClass);
}

}  // namespace

Backend::Backend(HINSTANCE module, const Win32Options& chosen) : instance(module), options(chosen) {
    // Before the first window: positions in physical pixels on every monitor.
    dpi.becomePerMonitorAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    registerClass(instance, kFormClass, objectWindowProc<Form>);
    registerClass(instance, kSurfaceClass, objectWindowProc<SurfaceControl>);
    registerClass(instance, kFrameClass, objectWindowProc<FrameControl>);
    registerClass(instance, kHostClass, hostProc);
    host = CreateWindowExA(0, kHostClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
}

Backend::~Backend() {
    if (host) DestroyWindow(host);
    if (instanceMutex) CloseHandle(instanceMutex);
}

LRESULT CALLBACK Backend::hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Backend* self = windowObject<Backend>(window, message, lParam);
    if (self && message == WM_TIMER) {
        auto found = self->timers.find(static_cast<UINT_PTR>(wParam));
        if (found != self->timers.end()) found->second->tick();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Backend::dispatch(MSG& message) {
    if (message.message == WM_QUIT) {
        quitSeen = true;
        quitCode = static_cast<int>(message.wParam);
        return;
    }
    if (message.hwnd) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root && (forms.count(root) || isDialogOfThisThread(root)) && IsDialogMessageA(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

// A message box or a dialog box of ours (the input box): its modal loop is the one
// that should see its keys, but a pause that runs inside that loop takes them from
// the queue first, and must route them as the dialog's own loop would.
bool isDialogOfThisThread(HWND window) {
    char className[16] = {};
    return ownedByThisThread(window) && GetClassNameA(window, className, sizeof className) > 0 &&
           std::strcmp(className, kDialogClass) == 0;
}

bool ownedByThisThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    // Room to spare, and a terminator of our own: the length is only a hint.
    std::vector<char> buffer(static_cast<std::size_t>(length) + 64, '\0');
    const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()) - 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

}  // namespace lantern::win32

namespace lantern {

Win32Platform::Win32Platform(HINSTANCE instance, const Win32Options& options)
    : backend_(std::make_unique<win32::Backend>(instance, options)),
      windows_(std::make_unique<win32::Win32WindowSystem>(*backend_)),
      registry_(std::make_unique<win32::Win32Registry>()),
      events_(std::make_unique<win32::Win32EventLoop>(*backend_)),
      toolkit_(std::make_unique<win32::Win32Toolkit>(*backend_)),
      platform_{*windows_, *registry_, *events_, *toolkit_} {}

Win32Platform::~Win32Platform() = default;

int Win32Platform::runMessageLoop() { return events_->run(); }

long Win32Platform::eventPasses() const { return backend_->eventPasses; }

std::unique_ptr<Win32Platform> makeWin32Platform(HINSTANCE instance, const Win32Options& options) {
    return std::make_unique<Win32Platform>(instance, options);
}

}  // namespace lantern
