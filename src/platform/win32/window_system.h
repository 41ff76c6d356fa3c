#pragma once
// WindowSystem over user32. Messages to windows of our own thread go through
// SendMessageA (our move loop must block until the mouse is released); messages to
// any other thread's windows - the chat client's - go through SendMessageTimeoutA,
// so a hung client costs at most the send timeout and then reads as "not delivered".

#include "platform/win32/backend.h"
#include "platform/window_system.h"

namespace lantern::win32 {

class Win32WindowSystem final : public WindowSystem {
public:
    explicit Win32WindowSystem(Backend& backend) : backend_(backend) {}

    WindowHandle findWindow(const std::string& className) override;
    WindowHandle findChild(WindowHandle parent, WindowHandle after, const std::string& className) override;
    WindowHandle getWindow(WindowHandle window, unsigned relation) override;
    bool notifyWhenAnswering(WindowHandle window, std::function<void()> answered) override;
    std::unique_ptr<ChangeWatch> watchChanges(WindowHandle window, std::function<void()> changed) override;
    bool showWindow(WindowHandle window, int command) override;
    bool setTopmost(WindowHandle window) override;
    void releaseCapture() override;
    bool isWindow(WindowHandle window) override;
    void setSendTimeout(double seconds) override;

protected:
    SendResult deliverMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                              Patience patience) override;
    SendResult deliverSetText(WindowHandle window, const std::string& text, Patience patience) override;
    SendResult deliverGetText(WindowHandle window, std::size_t capacity, std::string& buffer,
                              Patience patience) override;

private:
    SendResult send(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam, Patience patience);

    Backend& backend_;  // not owned
};

inline HWND toHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
inline WindowHandle toHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace lantern::win32
