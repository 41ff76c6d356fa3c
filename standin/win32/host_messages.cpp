// The stand-in's Win32 host at work: routing each window's messages to the client
// model, laying out the frame, and the edit boxes' text as a real control keeps it.

#include <algorithm>
#include <cstring>

#include "platform/messages.h"
#include "standin/win32/host_internal.h"
#include "standin/win32/layout.h"
#include "standin/win32/win32_host.h"

namespace lantern::standin::win32 {

namespace {

// The messages that the chat client's contract speaks of; the others never go to
// the model.
bool contractMessage(UINT message) {
    switch (message) {
    case msg::SetText:
    case msg::GetText:
    case msg::GetTextLength:
    case msg::Close:
    case msg::KeyDown:
    case msg::KeyUp:
    case msg::Char:
    case msg::LButtonDown:
    case msg::LButtonUp:
        return true;
    default:
        return false;
    }
}

// WM_GETTEXT's copy: what fits in the caller's buffer, NUL-terminated; the count copied.
LRESULT copyOut(const std::string& text, WPARAM capacity, LPARAM buffer) {
    if (capacity == 0 || buffer == 0) return 0;
    std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    auto* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

bool isButtonPart(Part part) { return part == Part::ToolbarIcon || part == Part::Icon || part == Part::PushButton; }

}  // namespace

Win32Host* Win32Host::hostOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        void* host = create->lpCreateParams;
        if (host && (create->dwExStyle & WS_EX_MDICHILD)) {
            host = reinterpret_cast<void*>(reinterpret_cast<MDICREATESTRUCTA*>(host)->lParam);
        }
        SetPropA(window, kHostProperty, host);
    }
    return static_cast<Win32Host*>(GetPropA(window, kHostProperty));
}

template <Win32Host::Handler handler>
LRESULT CALLBACK Win32Host::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Host* host = hostOf(window, message, lParam);
    if (!host) return DefWindowProcA(window, message, wParam, lParam);  // before WM_NCCREATE
    const LRESULT result = (host->*handler)(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) host->forget(window);  // the last message the window gets
    return result;
}

// The window classes registered in win32_host.cpp take these.
template LRESULT CALLBACK Win32Host::route<&Win32Host::onFrame>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK Win32Host::route<&Win32Host::onChild>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK Win32Host::route<&Win32Host::onControl>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK Win32Host::route<&Win32Host::onEdit>(HWND, UINT, WPARAM, LPARAM);

void Win32Host::forget(HWND window) {
    if (pressed_ == window) pressed_ = nullptr;
    RemovePropA(window, kHostProperty);
    parts_.erase(window);
    views_.erase(window);
    heldTexts_.erase(window);
}

std::optional<LRESULT> Win32Host::askClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!client_ || internal_ > 0 || !contractMessage(message)) return std::nullopt;
    std::string text;
    if (message == WM_SETTEXT && lParam) text = reinterpret_cast<const char*>(lParam);
    auto answer = client_->handleMessage(handleOf(window), message, wParam, text);
    if (!answer) return std::nullopt;
    if (message == WM_GETTEXT) return copyOut(text, wParam, lParam);
    return *answer;
}

LRESULT Win32Host::onFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = askClient(window, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && client_) client_->syncMinimized();
        layoutFrame();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) < 0xFF00 && menu_.onCommand) {
            menu_.onCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case kHangMessage:
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kTickTimer && menu_.onTick) menu_.onTick();
        return 0;
    case WM_DESTROY:
        if (window == frame_) {
            frame_ = nullptr;
            if (menu_.onFrameDestroyed) menu_.onFrameDestroyed();
        }
        break;
    default:
        break;
    }
    return DefFrameProcA(window, mdiClient_, message, wParam, lParam);
}

void Win32Host::layoutFrame() {
    if (!frame_) return;
    RECT client;
    GetClientRect(frame_, &client);
    HWND toolbar = FindWindowExA(frame_, nullptr, "AOL Toolbar", nullptr);
    int top = 0;
    if (toolbar) {
        MoveWindow(toolbar, 0, 0, client.right, kToolbarHeight, TRUE);
        HWND strip = GetWindow(toolbar, GW_CHILD);
        if (strip) {
            MoveWindow(strip, 0, 0, client.right, kToolbarHeight, TRUE);
            layoutToolbar(strip);
        }
        top = kToolbarHeight;
    }
    if (mdiClient_) MoveWindow(mdiClient_, 0, top, client.right, std::max(0L, client.bottom - top), TRUE);
}

void Win32Host::layoutToolbar(HWND strip) {
    int left = 4;
    for (HWND icon = GetWindow(strip, GW_CHILD); icon; icon = GetWindow(icon, GW_HWNDNEXT)) {
        MoveWindow(icon, left, 3, kToolbarIconWidth, kToolbarHeight - 6, TRUE);
        left += kToolbarIconWidth + 1;
    }
}

LRESULT Win32Host::onChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = askClient(window, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && client_) client_->syncMinimized();
        if (wParam != SIZE_MINIMIZED) layoutClientWindow(window, parts_);
        break;  // DefMDIChildProc must see WM_SIZE too
    default:
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

LRESULT Win32Host::onControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Part part = partOf(window);
    // A person's click: the button looks pressed while the real mouse button is
    // down. A click sent as messages (the add-on's) leaves the mouse alone.
    const bool mouseHeld = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (message == WM_LBUTTONDOWN && isButtonPart(part) && mouseHeld) {
        pressed_ = window;
        SetCapture(window);
        InvalidateRect(window, nullptr, FALSE);
    } else if ((message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) && pressed_ == window) {
        pressed_ = nullptr;
        if (message == WM_LBUTTONUP) ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
    }
    if (auto answer = askClient(window, message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_PAINT:
        painter_.paint(window, part, readText(window), pressed_ == window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_SIZE:
        if (part == Part::Transcript) {
            MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        } else if (part == Part::ToolbarStrip) {
            layoutToolbar(window);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32Host::onEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool logged = client_ && internal_ == 0 && contractMessage(message) && partOf(window) == Part::InputBox;
    std::string carried;
    if (logged && message == WM_SETTEXT && lParam) carried = reinterpret_cast<const char*>(lParam);

    // Logged as it arrives; a WM_GETTEXT once it has its answer, the text copied back.
    if (logged && message != WM_GETTEXT) client_->noteInputMessage(handleOf(window), message, wParam, carried);

    std::optional<LRESULT> answer = askClient(window, message, wParam, lParam);
    LRESULT result = answer ? *answer : editProc(window, message, wParam, lParam);

    if (logged && message == WM_GETTEXT) {
        if (lParam && result > 0)
            carried.assign(reinterpret_cast<const char*>(lParam), static_cast<std::size_t>(result));
        client_->noteInputMessage(handleOf(window), message, wParam, carried);
    }
    return result;
}

// The system's edit control, but for a text longer than a person could type, which
// the host holds (heldTexts_) and the box shows the start of.
LRESULT Win32Host::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = heldTexts_.find(window);
    switch (message) {
    case WM_SETTEXT: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const std::size_t length = std::strlen(text);
        if (length <= kTypedTextLimit) {
            if (held != heldTexts_.end()) heldTexts_.erase(held);
            break;
        }
        std::string& whole = heldTexts_[window];
        whole.assign(text, length);
        const std::string shown = whole.substr(0, kTypedTextLimit);
        return CallWindowProcA(systemEditProc_, window, message, wParam, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    case WM_GETTEXTLENGTH:
        if (held != heldTexts_.end()) return static_cast<LRESULT>(held->second.size());
        break;
    case WM_GETTEXT:
        if (held != heldTexts_.end()) return copyOut(held->second, wParam, lParam);
        break;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL: {
        if (held == heldTexts_.end()) break;
        // A person's edit: from now on the box holds what it shows.
        const LRESULT result = CallWindowProcA(systemEditProc_, window, message, wParam, lParam);
        const auto shownLength =
            static_cast<std::size_t>(CallWindowProcA(systemEditProc_, window, WM_GETTEXTLENGTH, 0, 0));
        std::string shown(shownLength + 1, '\0');
        CallWindowProcA(systemEditProc_, window, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()));
        shown.resize(shownLength);
        if (held->second.compare(0, shown.size(), shown) != 0 || shown.size() != kTypedTextLimit) {
            heldTexts_.erase(held);
        }
        return result;
    }
    default:
        break;
    }
    return CallWindowProcA(systemEditProc_, window, message, wParam, lParam);
}

}  // namespace lantern::standin::win32
