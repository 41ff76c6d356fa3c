#include "platform/win32/window_system.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace lantern::win32 {
namespace {

// Room past the capacity that WM_GETTEXT is given: a control that copies more than it
// was asked for writes into this slack, never past our buffer.
constexpr std::size_t kGetTextSlack = 256;

const char* classOrNull(const std::string& className) { return className.empty() ? nullptr : className.c_str(); }

// The reply to notifyWhenAnswering's WM_NULL: runs the callback it carries, once.
void CALLBACK runAnswered(HWND, UINT, ULONG_PTR data, LRESULT) {
    const std::unique_ptr<std::function<void()>> answered(reinterpret_cast<std::function<void()>*>(data));
    (*answered)();
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

SendResult Win32WindowSystem::send(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam, Patience patience) {
    HWND target = toHwnd(window);
    if (!target || !IsWindow(target)) return {};
    if (ownedByThisThread(target)) {
        return {true, static_cast<std::intptr_t>(SendMessageA(target, message, wParam, lParam))};
    }
    // A glance must not hold our windows: it gives up at once on a window the system
    // counts as hung and soon on one that has just stopped; the rest ride out stalls.
    const bool glance = patience == Patience::Glance;
    const UINT flags = glance ? SMTO_NORMAL | SMTO_ABORTIFHUNG : SMTO_NORMAL;
    const UINT timeout = glance ? backend_.options.glanceTimeoutMs : backend_.options.sendTimeoutMs;
    // Wine answers an ANSI WM_GETTEXTLENGTH to another process's window by sending it
    // a WM_GETTEXT of its own as well, one that waits on a hung client for as long as it
    // hangs, whatever our timeout. The wide call has no such step, and in CP1252 every
    // character is one wide character, so it counts the same.
    const auto sendTimeout = message == WM_GETTEXTLENGTH ? SendMessageTimeoutW : SendMessageTimeoutA;
    DWORD_PTR answer = 0;
    if (!sendTimeout(target, message, wParam, lParam, flags, timeout, &answer)) {
        return {};  // timed out, or the window went away meanwhile
    }
    return {true, static_cast<std::intptr_t>(answer)};
}

SendResult Win32WindowSystem::deliverMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                             std::intptr_t lParam, Patience patience) {
    return send(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam), patience);
}

SendResult Win32WindowSystem::deliverSetText(WindowHandle window, const std::string& text, Patience patience) {
    return send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), patience);
}

bool Win32WindowSystem::notifyWhenAnswering(WindowHandle window, std::function<void()> answered) {
    HWND target = toHwnd(window);
    if (!target || !IsWindow(target)) return false;
    // Owned by the system's pending reply until it comes; a window that ends before it
    // answers never replies, and the callback is then lost with it (a few bytes).
    auto* pending = new std::function<void()>(std::move(answered));
    if (!SendMessageCallbackA(target, WM_NULL, 0, 0, runAnswered, reinterpret_cast<ULONG_PTR>(pending))) {
        delete pending;
        return false;
    }
    return true;
}

SendResult Win32WindowSystem::deliverGetText(WindowHandle window, std::size_t capacity, std::string& buffer,
                                             Patience patience) {
    // The window writes into our own zeroed, over-allocated buffer; the terminator is
    // forced at the capacity, so a text that grew since its length was asked, or a
    // control that miscounts, can neither overflow nor leave the text unterminated.
    std::vector<char> received(capacity + kGetTextSlack, '\0');
    SendResult result =
        send(window, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(received.data()), patience);
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
