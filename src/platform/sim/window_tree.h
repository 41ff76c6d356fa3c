#pragma once
// The windows of the simulated desktop: a tree in sibling (Z) order under an
// invisible root, each window with its class, caption, handler and the state that
// tests look at. Handles are never reused, so a handle kept past its window's end
// finds nothing instead of another window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/window_system.h"

namespace lantern::sim {

// A window's answer to a message. `text` is in/out: the text of WM_SETTEXT on the way
// in, the text to copy back for WM_GETTEXT on the way out. Returning nullopt asks for
// the default behaviour: WM_SETTEXT sets the caption, WM_GETTEXT/WM_GETTEXTLENGTH
// read it, WM_CLOSE destroys the window, everything else answers 0.
using MessageHandler = std::function<std::optional<std::intptr_t>(
    WindowHandle self, unsigned message, std::uintptr_t wParam, std::intptr_t lParam, std::string& text)>;

struct WindowNode {
    WindowHandle handle = 0;
    WindowHandle parent = 0;  // 0: a top-level window
    std::string className;
    std::string caption;
    std::vector<WindowHandle> children;  // first = top of the Z order
    MessageHandler handler;
    bool alive = true;
    bool visible = true;
    bool minimized = false;
    int topmostCalls = 0;
    double hungUntil = 0;  // virtual time; the window answers nothing before it
    double hungSince = 0;  // virtual time the hang that lasts until hungUntil began
    // What the window answers to WM_GETTEXTLENGTH instead of its caption's length.
    std::optional<std::intptr_t> misreportedLength;
    // Outer rectangle on the screen, twips (top-level windows of ours).
    double left = 0, top = 0, width = 0, height = 0;
};

class WindowTree {
public:
    WindowHandle create(WindowHandle parent, const std::string& className, const std::string& caption, bool atBottom);
    // Ends the window and all below it; they stay known as dead handles.
    void destroy(WindowHandle window);

    // The live window, or null.
    WindowNode* find(WindowHandle window);
    const WindowNode* find(WindowHandle window) const;
    // Any window that ever existed, dead or alive, or null.
    const WindowNode* findEver(WindowHandle window) const;

    // The live children of `parent` (0: the top-level windows) in sibling order.
    const std::vector<WindowHandle>& children(WindowHandle parent) const;

    // FindWindowExA: the first child of `parent` after `after` whose class matches
    // without regard to case; 0 when `after` is not a child of `parent`.
    WindowHandle findChild(WindowHandle parent, WindowHandle after, const std::string& className) const;
    // GetWindow with GW_HWNDFIRST or GW_HWNDNEXT.
    WindowHandle sibling(WindowHandle window, unsigned relation) const;
    void bringToTop(WindowHandle window);

private:
    std::vector<WindowHandle>& siblingsOf(WindowHandle parent);

    std::unordered_map<WindowHandle, WindowNode> nodes_;
    std::vector<WindowHandle> topLevel_;
    WindowHandle nextHandle_ = 0x10010;
};

}  // namespace lantern::sim
