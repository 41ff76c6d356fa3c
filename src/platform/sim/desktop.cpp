#include "platform/sim/desktop.h"

#include "platform/messages.h"

namespace lantern::sim {

// ---- window tree

WindowHandle Desktop::createWindow(WindowHandle parent, const std::string& className, const std::string& caption) {
    return tree_.create(parent, className, caption, false);
}

WindowHandle Desktop::createWindowAtBottom(WindowHandle parent, const std::string& className,
                                           const std::string& caption) {
    return tree_.create(parent, className, caption, true);
}

void Desktop::setHandler(WindowHandle window, MessageHandler handler) {
    if (WindowNode* node = tree_.find(window)) node->handler = std::move(handler);
}

std::string Desktop::caption(WindowHandle window) const {
    const WindowNode* node = tree_.findEver(window);
    return node ? node->caption : std::string();
}

void Desktop::setCaption(WindowHandle window, const std::string& caption) {
    if (WindowNode* node = tree_.find(window)) node->caption = caption;
}

void Desktop::misreportTextLength(WindowHandle window, std::intptr_t length) {
    if (WindowNode* node = tree_.find(window)) node->misreportedLength = length;
}

std::string Desktop::className(WindowHandle window) const {
    const WindowNode* node = tree_.findEver(window);
    return node ? node->className : std::string();
}

WindowHandle Desktop::parent(WindowHandle window) const {
    const WindowNode* node = tree_.find(window);
    return node ? node->parent : 0;
}

bool Desktop::minimized(WindowHandle window) const {
    const WindowNode* node = tree_.findEver(window);
    return node && node->minimized;
}

bool Desktop::visible(WindowHandle window) const {
    const WindowNode* node = tree_.find(window);
    return node && node->visible;
}

int Desktop::topmostCalls(WindowHandle window) const {
    const WindowNode* node = tree_.findEver(window);
    return node ? node->topmostCalls : 0;
}

// ---- message recorder

std::vector<RecordedMessage> Desktop::messagesTo(WindowHandle window) const {
    std::vector<RecordedMessage> selected;
    for (const auto& message : windows_.messages) {
        if (message.window == window) selected.push_back(message);
    }
    return selected;
}

// ---- virtual clock and events

void Desktop::setTimeOfDay(double secondsSinceMidnight) {
    events_.midnightOffset = secondsSinceMidnight - clock_.now();
}

void Desktop::runFor(double seconds) {
    double deadline = clock_.now() + seconds;
    run([&] { clock_.runUntil(deadline); });
}

bool Desktop::run(const std::function<void()>& body) {
    try {
        body();
        return false;
    } catch (const ProgramEnded&) {
        return true;
    }
}

// ---- the session

bool Desktop::endSession() {
    const std::vector<WindowHandle> windows = toolkit_.liveForms();
    bool agreed = true;
    run([&] {
        for (WindowHandle window : windows) {
            // A window that has gone meanwhile has nothing to refuse.
            const SendResult answer = windows_.sendMessage(window, msg::QueryEndSession, 0, 0);
            agreed = agreed && (!answer.delivered || answer.value != 0);
        }
        for (WindowHandle window : windows) windows_.sendMessage(window, msg::EndSession, agreed ? 1 : 0, 0);
    });
    if (agreed && !toolkit_.ended) toolkit_.processEnds();
    return agreed;
}

}  // namespace lantern::sim
