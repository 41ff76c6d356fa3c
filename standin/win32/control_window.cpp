#include "standin/win32/control_window.h"

#include <cstdio>

#include "standin/model/commands.h"

namespace lantern::standin::win32 {

namespace {

constexpr ULONG_PTR kCommandTag = 0x4C53;  // "LS": a stand-in command
constexpr UINT kSendTimeoutMilliseconds = 60000;  // rides out a hang of up to a minute

}  // namespace

ControlWindow::ControlWindow(HINSTANCE instance, StandinClient& client, LogFile& log) : client_(client), log_(log) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kControlClass;
    RegisterClassExA(&windowClass);
    // A plain top-level window that is never shown, so FindWindowA finds it.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kControlClass, "lantern stand-in control", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, instance, this);
}

ControlWindow::~ControlWindow() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK ControlWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || (data->cbData > 0 && !data->lpData)) return FALSE;
        std::string command(static_cast<const char*>(data->lpData), data->cbData);
        while (!command.empty() && command.back() == '\0') command.pop_back();
        CommandResult result = runCommand(self->client_, command);
        self->log_.writeCommand(command, result.ok ? "ok" : "refused: " + result.message);
        return result.ok ? TRUE : FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int sendCommand(const std::string& command) {
    HWND control = FindWindowA(kControlClass, nullptr);
    if (!control) {
        std::fprintf(stderr, "standin-client: no stand-in client is running\n");
        return 2;
    }
    COPYDATASTRUCT data{kCommandTag, static_cast<DWORD>(command.size()), const_cast<char*>(command.data())};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                             kSendTimeoutMilliseconds, &answer)) {
        std::fprintf(stderr, "standin-client: the stand-in did not answer\n");
        return 3;
    }
    if (!answer) {
        std::fprintf(stderr, "standin-client: the stand-in refused \"%s\"\n", command.c_str());
        return 1;
    }
    return 0;
}

}  // namespace lantern::standin::win32
