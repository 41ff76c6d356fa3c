#include "platform/win32/window_system.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace lantern::win32 {
namespace {

// Room past the capacity that WM_GETTEXT is given: a control that copies more than it
// was asked for writes into this slack, never past our buffer.
constexpr std::size_t kGetTextSlack = 256;

const char* classOrNull(const std::string& className) {
    return className.empty() ? nullptr : className.c_str();
}

}  // namespace

WindowHandle Win32WindowSystem::findWindow(const std::string& className) {
    return toHandle(FindWindowA(classOrNull(className), nullptr));
}

WindowHandle Win32WindowSystem::findChild(WindowHandle parent, WindowHandle after, const std::string& className) {
    // FindWindowExA with no parent would search the top-level windows; a walk whose
    // earlier step found nothing must find nothing here too.
    if (!parent) return 0;
    return toHandle(FindWindowExA(toHwnd(parent), toHwnd(after), classOrNull(className), nullptr));
}

WindowHandle Win32WindowSystem::getWindow(WindowHandle window, unsigned relation) {
    if (!window) return 0;
    return toHandle(GetWindow(toHwnd(window), relation));
}

SendResult Win32WindowSystem::send(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND target = toHwnd(window);
    if (!target || !IsWindow(target)) return {};
    if (ownedByThisThread(target)) {
        return {true, static_cast<std::intptr_t>(SendMessageA(target, message, wParam, lParam))};
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, backend_.options.sendTimeoutMs,
                             &answer)) {
        return {};  // timed out, or the window went away meanwhile
    }
    return {true, static_cast<std::intptr_t>(answer)};
}

SendResult Win32WindowSystem::sendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    return send(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

SendResult Win32WindowSystem::sendSetText(WindowHandle window, const std::string& text) {
    return send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

SendResult Win32WindowSystem::sendGetText(WindowHandle window, std::size_t capacity, std::string& buffer) {
    // The window writes into our own zeroed, over-allocated buffer; the terminator is
    // forced at the capacity, so a text that grew since its length was asked, or a
    // control that miscounts, can neither overflow nor leave the text unterminated.
    std::vector<char> received(capacity + kGetTextSlack, '\0');
    SendResult result = send(window, WM_GETTEXT, static_cast<WPARAM>(capacity),
                             reinterpret_cast<LPARAM>(received.data()));
    const std::size_t room = capacity > 0 ? capacity - 1 : 0;
    received[room] = '\0';
    received.back() = '\0';
    if (!result.delivered) return result;
    const std::size_t copied = std::strlen(received.data());
    std::memcpy(buffer.data(), received.data(), std::min(room, buffer.size()));
    result.value = static_cast<std::intptr_t>(std::min(copied, buffer.size()));
    return result;
}

bool Win32WindowSystem::showWindow(WindowHandle window, int command) {
    HWND target = toHwnd(window);
    if (!target || !IsWindow(target)) return false;
    if (ownedByThisThread(target)) {
        ShowWindow(target, command);
    } else {
        // ShowWindow waits for the other thread to answer; a hung client must not
        // hold us, and the window reacts as soon as it runs again.
        ShowWindowAsync(target, command);
    }
    return true;
}

bool Win32WindowSystem::setTopmost(WindowHandle window) {
    HWND target = toHwnd(window);
    if (!target || !IsWindow(target)) return false;
    // Raising the window must not take the keyboard away from where the user is
    // typing: it is kept on top after every chat line and every paint, and an
    // activation each time would send the user's keys to the title bar.
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
    if (!ownedByThisThread(target)) flags |= SWP_ASYNCWINDOWPOS;
    return SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, flags) != FALSE;
}

void Win32WindowSystem::releaseCapture() { ReleaseCapture(); }

bool Win32WindowSystem::isWindow(WindowHandle window) { return window && IsWindow(toHwnd(window)); }

void Win32WindowSystem::setSendTimeout(double seconds) {
    // At least a millisecond: SendMessageTimeoutA with 0 would give up without asking.
    backend_.options.sendTimeoutMs = static_cast<unsigned>(std::max(1.0, std::ceil(seconds * 1000)));
}

}  // namespace lantern::win32
