#include "client/window_io.h"

#include <algorithm>
#include <utility>

#include "platform/messages.h"

namespace lantern::windowio {

std::size_t believableLength(std::intptr_t answered) {
    if (answered <= 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(answered), kMaxForeignTextLength);
}

std::optional<std::string> readText(WindowSystem& windows, WindowHandle window) {
    if (window == 0) {
        return std::nullopt;
    }
    const SendResult length = windows.sendMessage(window, msg::GetTextLength, 0, 0);
    if (!length.delivered) {
        return std::nullopt;
    }
    const std::size_t n = believableLength(length.value);

    std::string buffer(n, '\0');
    const SendResult copied = windows.sendGetText(window, n + 1, buffer);
    if (!copied.delivered) {
        return std::nullopt;
    }
    // The buffer starts all NUL: a text that shrank since its length was asked ends
    // at the first NUL; one that grew was cut at the room given.
    if (const std::size_t nul = buffer.find('\0'); nul != std::string::npos) {
        buffer.resize(nul);
    }
    return buffer;
}

std::optional<Captioned> withCaption(WindowSystem& windows, WindowHandle window) {
    std::optional<std::string> caption = readText(windows, window);
    if (!caption) {
        return std::nullopt;
    }
    return Captioned{window, std::move(*caption)};
}

bool writeText(WindowSystem& windows, WindowHandle window, const std::string& text) {
    if (window == 0) {
        return false;
    }
    return windows.sendSetText(window, "").delivered && windows.sendSetText(window, text).delivered;
}

bool click(WindowSystem& windows, WindowHandle window) {
    if (window == 0) {
        return false;
    }
    return windows.sendMessage(window, msg::LButtonDown, 0, 0).delivered &&
           windows.sendMessage(window, msg::KeyUp, kVkSpace, 0).delivered;
}

bool hasChildOfEach(WindowSystem& windows, WindowHandle parent, std::initializer_list<const char*> classNames) {
    return std::all_of(classNames.begin(), classNames.end(),
                       [&](const char* className) { return windows.findChild(parent, 0, className) != 0; });
}

WindowHandle walk(WindowSystem& windows, EventLoop& events, WindowHandle first,
                  const std::function<Verdict(WindowHandle)>& test) {
    for (WindowHandle candidate = first; candidate != 0; candidate = windows.getWindow(candidate, gw::Next)) {
        events.doEvents();
        switch (test(candidate)) {
        case Verdict::Take:
            return candidate;
        case Verdict::GiveUp:
            return 0;
        case Verdict::Skip:
            break;
        }
    }
    return 0;
}

}  // namespace lantern::windowio
