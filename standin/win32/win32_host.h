#pragma once
// The stand-in client as real Win32 windows: an MDI frame of class "AOL Frame25"
// with the system's "MDIClient" and "AOL Child" MDI children, and child controls
// registered under the class names of the chat client's contract. Every message of
// the contract that reaches one of them is put to the client model first; what the
// model leaves alone gets the window's ordinary behaviour, so a person can also use
// it: type into the input box, click buttons, move and close windows.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "standin/model/standin_client.h"
#include "standin/model/window_host.h"
#include "standin/win32/painting.h"
#include "standin/win32/transcript_view.h"

namespace lantern::standin::win32 {

// The frame's menu, made by the program: the bar, its "Window" menu (the MDI
// client lists the open windows there), what to do for a command, and a tick for
// things that move on by themselves.
struct FrameMenu {
    HMENU bar = nullptr;  // owned by the frame once it is made
    HMENU windowMenu = nullptr;  // a submenu of bar
    std::function<void(int)> onCommand;
    std::function<void()> onTick;
    UINT tickMilliseconds = 1000;
    std::function<void()> onFrameDestroyed;  // the program ends its message loop here
};

class Win32Host : public WindowHost {
public:
    Win32Host(HINSTANCE instance, FrameMenu menu);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    void attach(StandinClient& client) { client_ = &client; }
    HWND frame() const { return frame_; }
    HWND mdiClient() const { return mdiClient_; }

    WindowHandle create(const NewWindow& window) override;
    void destroy(WindowHandle window) override;
    std::string text(WindowHandle window) override;
    void setText(WindowHandle window, const std::string& text) override;
    std::vector<WindowHandle> children(WindowHandle parent) override;
    void bringToTop(WindowHandle window) override;
    bool minimized(WindowHandle window) override;
    void hang(WindowHandle frame, double seconds) override;
    double now() override;
    void windowReady(WindowHandle clientWindow) override;
    void transcriptChanged(WindowHandle view, const Transcript& transcript, std::size_t droppedFromTop,
                           bool reported) override;

private:
    using Handler = LRESULT (Win32Host::*)(HWND, UINT, WPARAM, LPARAM);
    // The window procedure of each class: finds the host (kept with the window from
    // WM_NCCREATE on) and calls its handler for that class.
    template <Handler handler>
    static LRESULT CALLBACK route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static Win32Host* hostOf(HWND window, UINT message, LPARAM lParam);
    void forget(HWND window);  // at WM_NCDESTROY

    LRESULT onFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onChild(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The model's answer to a message of the contract, or nullopt for the window's
    // ordinary behaviour.
    std::optional<LRESULT> askClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void registerClasses();
    HWND createFrame(const NewWindow& window);
    HWND createClientWindow(const NewWindow& window);
    HWND createControl(const NewWindow& window);
    void layoutFrame();
    void layoutToolbar(HWND strip);
    Part partOf(HWND window) const;
    std::string readText(HWND window);

    HINSTANCE instance_;
    FrameMenu menu_;
    StandinClient* client_ = nullptr;  // not owned; set once the client is built
    HWND frame_ = nullptr;  // owned: destroyed with the host if still there
    HWND mdiClient_ = nullptr;  // child of frame_
    WNDPROC systemEditProc_ = nullptr;  // the EDIT class's procedure, for the superclasses
    std::map<HWND, Part> parts_;
    std::map<HWND, std::unique_ptr<TranscriptView>> views_;  // by their "RICHCNTLREADONLY" window
    // The whole text of an edit box that a program set longer than a person could
    // type: the box shows its start (the system's edit grows slow, and on 32 bits
    // runs out of memory, on megabytes in one line), and answers with all of it
    // until a person changes what it shows.
    std::map<HWND, std::string> heldTexts_;
    HWND pressed_ = nullptr;  // the button held down with the mouse
    int internal_ = 0;  // > 0 while the host itself reads or writes a window
    Painter painter_;
};

}  // namespace lantern::standin::win32
