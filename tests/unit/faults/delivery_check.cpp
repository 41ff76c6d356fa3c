#include "delivery_check.h"

#include <algorithm>

#include "common/text.h"
#include "idle/presence.h"
#include "platform/messages.h"

namespace lantern::faults {

namespace {

bool isClass(const sim::Desktop& desktop, WindowHandle window, const char* className) {
    return text::equalsIgnoringCase(desktop.className(window), className);
}

bool isChatRoom(const sim::Desktop& desktop, WindowHandle window) {
    return hasChildrenOf(desktop, window, {"_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl"});
}

bool isKeywordWindow(const sim::Desktop& desktop, WindowHandle window) {
    return hasChildrenOf(desktop, window, {"_aol_glyph", "richcntlstatic", "_aol_edit", "_aol_icon"});
}

bool isTransferWindow(const sim::Desktop& desktop, WindowHandle window) {
    // By its children, or by the caption that the finders' shortcuts go by.
    return hasChildrenOf(desktop, window, {"_aol_static", "_aol_gauge", "_aol_checkbox", "_aol_icon", "_aol_image"}) ||
           hasChildrenOf(desktop, window, {"_aol_static", "_aol_gauge", "_aol_checkbox", "_aol_button"}) ||
           text::contains(desktop.caption(window), "File");
}

// The first direct child of `parent` of the class, 0 when none.
WindowHandle firstChildOf(const sim::Desktop& desktop, WindowHandle parent, const char* className) {
    for (WindowHandle child : desktop.children(parent)) {
        if (isClass(desktop, child, className)) return child;
    }
    return 0;
}

// The chat client's windows all live under its main frame.
bool isClientsWindow(const sim::Desktop& desktop, WindowHandle window) {
    for (WindowHandle w = window; w != 0; w = desktop.parent(w)) {
        if (isClass(desktop, w, "aol frame25")) return true;
    }
    return false;
}

bool isRoomInputBox(const sim::Desktop& desktop, WindowHandle window) {
    const WindowHandle room = desktop.parent(window);
    return isClass(desktop, window, "richcntl") && isChatRoom(desktop, room) &&
           firstChildOf(desktop, room, "richcntl") == window;
}

bool isKeywordButton(const sim::Desktop& desktop, WindowHandle window) {
    const WindowHandle strip = desktop.parent(window);
    if (!isClass(desktop, strip, "_aol_toolbar")) return false;
    int number = 0;
    for (WindowHandle child : desktop.children(strip)) {
        if (!isClass(desktop, child, "_aol_icon")) continue;
        if (++number == 19) return child == window;
    }
    return false;
}

bool isGoButton(const sim::Desktop& desktop, WindowHandle window) {
    const WindowHandle owner = desktop.parent(window);
    return isKeywordWindow(desktop, owner) && firstChildOf(desktop, owner, "_aol_icon") == window;
}

bool isLinkBox(const sim::Desktop& desktop, WindowHandle window) {
    const WindowHandle owner = desktop.parent(window);
    return isKeywordWindow(desktop, owner) && firstChildOf(desktop, owner, "_aol_edit") == window;
}

bool isMainFrame(const sim::Desktop& desktop, WindowHandle window) {
    return desktop.parent(window) == 0 && isClass(desktop, window, "aol frame25");
}

std::optional<std::string> checkSend(const sim::Desktop& desktop, const SeamCall& call) {
    const WindowHandle w = call.window;
    switch (call.message) {
        case msg::GetText:
        case msg::GetTextLength:
            return std::nullopt;  // reading harms nobody
        case msg::Char:
            if (call.wParam == kVkReturn && isRoomInputBox(desktop, w)) return std::nullopt;
            return "WM_CHAR " + std::to_string(call.wParam) + " to a window that is not a chat room's input box";
        case msg::SetText: {
            if (isRoomInputBox(desktop, w) || isLinkBox(desktop, w)) return std::nullopt;
            const std::string& text = call.text ? *call.text : std::string();
            if (isMainFrame(desktop, w) && (text.empty() || text == kStartCaption || text == kClosingCaption)) {
                return std::nullopt;
            }
            return "WM_SETTEXT \"" + text + "\" to a " + desktop.className(w) + " that is not meant for it";
        }
        case msg::Close:
            if (isKeywordWindow(desktop, w)) return std::nullopt;
            return "WM_CLOSE to a " + desktop.className(w) + " \"" + desktop.caption(w) +
                   "\" that is not the keyword window";
        case msg::LButtonDown:
        case msg::KeyUp:
            if (isKeywordButton(desktop, w) || isGoButton(desktop, w)) return std::nullopt;
            return messageName(call.message) + " to a " + desktop.className(w) +
                   " that is neither the keyword button nor the go button";
        default:
            if (!isClientsWindow(desktop, w)) return std::nullopt;  // our own windows
            return messageName(call.message) + " to the chat client's " + desktop.className(w);
    }
}

}  // namespace

bool hasChildrenOf(const sim::Desktop& desktop, WindowHandle window, std::initializer_list<const char*> classes) {
    if (window == 0) return false;
    const std::vector<WindowHandle> children = desktop.children(window);
    return std::all_of(classes.begin(), classes.end(), [&](const char* className) {
        return std::any_of(children.begin(), children.end(),
                           [&](WindowHandle child) { return isClass(desktop, child, className); });
    });
}

std::optional<std::string> misdirected(const sim::Desktop& desktop, const SeamCall& call) {
    if (call.window == 0 || !desktop.exists(call.window)) return std::nullopt;
    switch (call.kind) {
        case SeamCall::Kind::Send:
            return checkSend(desktop, call);
        case SeamCall::Kind::Show:
            if (call.showCommand == sw::Minimize && isTransferWindow(desktop, call.window)) return std::nullopt;
            if (!isClientsWindow(desktop, call.window)) return std::nullopt;
            return "ShowWindow " + std::to_string(call.showCommand) + " on the chat client's " +
                   desktop.className(call.window) + " \"" + desktop.caption(call.window) + "\"";
        case SeamCall::Kind::Topmost:
            if (!isClientsWindow(desktop, call.window)) return std::nullopt;
            return "SetWindowPos(HWND_TOPMOST) on the chat client's " + desktop.className(call.window);
        default:
            return std::nullopt;
    }
}

}  // namespace lantern::faults
