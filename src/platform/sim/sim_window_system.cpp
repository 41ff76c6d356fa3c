#include "platform/sim/sim_window_system.h"

#include <algorithm>
#include <cstring>

#include "platform/messages.h"

namespace lantern::sim {

WindowHandle SimWindowSystem::findWindow(const std::string& className) { return tree_.findChild(0, 0, className); }

WindowHandle SimWindowSystem::findChild(WindowHandle parent, WindowHandle after, const std::string& className) {
    return tree_.findChild(parent, after, className);
}

WindowHandle SimWindowSystem::getWindow(WindowHandle window, unsigned relation) {
    return tree_.sibling(window, relation);
}

SendResult SimWindowSystem::deliverMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                           std::intptr_t lParam, Patience patience) {
    std::string text;
    // WM_GETTEXT without a buffer copies nothing.
    return send(window, message, wParam, lParam, text, 0, patience);
}

SendResult SimWindowSystem::deliverSetText(WindowHandle window, const std::string& text, Patience patience) {
    std::string carried = text;
    return send(window, msg::SetText, 0, 0, carried, 0, patience);
}

SendResult SimWindowSystem::deliverGetText(WindowHandle window, std::size_t capacity, std::string& buffer,
                                           Patience patience) {
    // Room for the terminating NUL, and never past the caller's buffer.
    std::size_t room = capacity == 0 ? 0 : std::min(capacity - 1, buffer.size());
    std::string answer;
    SendResult result = send(window, msg::GetText, capacity, 0, answer, room, patience);
    if (result.delivered) std::memcpy(buffer.data(), answer.data(), answer.size());
    return result;
}

bool SimWindowSystem::notifyWhenAnswering(WindowHandle window, std::function<void()> answered) {
    RecordedMessage record;
    record.time = clock_.now();
    record.window = window;
    if (const WindowNode* ever = tree_.findEver(window)) record.windowClass = ever->className;
    record.message = msg::Null;
    // What SendMessageCallbackA says: whether the message was queued for the window.
    record.delivered = tree_.find(window) != nullptr;
    messages.push_back(record);
    if (!record.delivered) return false;
    answerWhenFree(window, std::move(answered));
    return true;
}

class SimWindowSystem::Watch final : public ChangeWatch {
public:
    Watch(const std::shared_ptr<Watches>& watches, std::uint64_t id) : watches_(watches), id_(id) {}
    ~Watch() override {
        if (auto watches = watches_.lock()) watches->erase(id_);
    }

private:
    std::weak_ptr<Watches> watches_;
    std::uint64_t id_;
};

std::unique_ptr<ChangeWatch> SimWindowSystem::watchChanges(WindowHandle window, std::function<void()> changed) {
    if (!tree_.find(window)) return nullptr;
    const std::uint64_t id = nextWatch_++;
    (*watches_)[id] = {window, std::move(changed)};
    return std::make_unique<Watch>(watches_, id);
}

void SimWindowSystem::reportChange(WindowHandle window) {
    for (const auto& [id, watched] : *watches_) {
        bool inside = false;
        for (const WindowNode* node = tree_.find(window); node && !inside; node = tree_.find(node->parent)) {
            inside = node->handle == watched.window;
        }
        if (!inside) continue;
        // Reported later, and only to a watch that is still there then.
        clock_.post(0, [watches = std::weak_ptr<Watches>(watches_), id = id] {
            auto alive = watches.lock();
            if (!alive) return;
            auto found = alive->find(id);
            if (found != alive->end()) found->second.changed();
        });
    }
}

void SimWindowSystem::answerWhenFree(WindowHandle window, std::function<void()> answered) {
    // The answer comes back through our queue: as an event, never inside the call.
    clock_.post(hangRemaining(window), [this, window, answered = std::move(answered)]() mutable {
        if (!tree_.find(window)) return;  // it ended without answering
        if (hangRemaining(window) > 0) {  // hung again meanwhile
            answerWhenFree(window, std::move(answered));
            return;
        }
        answered();
    });
}

double SimWindowSystem::hungFor(WindowHandle window) const {
    double since = clock_.now();
    for (const WindowNode* node = tree_.find(window); node; node = tree_.find(node->parent)) {
        if (node->hungUntil > clock_.now()) since = std::min(since, node->hungSince);
    }
    return clock_.now() - since;
}

double SimWindowSystem::hangRemaining(WindowHandle window) const {
    double until = 0;
    for (const WindowNode* node = tree_.find(window); node; node = tree_.find(node->parent)) {
        until = std::max(until, node->hungUntil);
    }
    return std::max(0.0, until - clock_.now());
}

void SimWindowSystem::hang(WindowHandle window, double seconds) {
    WindowNode* node = tree_.find(window);
    if (!node) return;
    if (node->hungUntil <= clock_.now()) node->hungSince = clock_.now();  // else the hang goes on
    node->hungUntil = clock_.now() + seconds;
}

SendResult SimWindowSystem::send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::string& text, std::size_t textRoom, Patience patience) {
    RecordedMessage record;
    record.time = clock_.now();
    record.window = window;
    if (const WindowNode* ever = tree_.findEver(window)) record.windowClass = ever->className;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    if (message == msg::SetText) record.text = text;
    record.delivered = false;
    messages.push_back(record);
    // An index, not a reference: the handler may send more and grow the record.
    const std::size_t index = messages.size() - 1;

    if (!tree_.find(window)) return {};
    double hung = hangRemaining(window);
    if (hung > 0) {
        const bool glance = patience == Patience::Glance;
        if (glance && hungFor(window) >= kHungAfterSeconds) return {};  // known to be hung: at once
        const double wait = glance ? kGlanceSeconds : sendTimeout_;
        // The sender is blocked: time passes, but nothing else runs meanwhile.
        clock_.advanceTo(clock_.now() + std::min(hung, wait));
        if (hung > wait) return {};
    }
    messages[index].delivered = true;

    MessageHandler handler = tree_.find(window)->handler;  // a copy: it may replace itself
    std::optional<std::intptr_t> answer;
    if (handler) answer = handler(window, message, wParam, lParam, text);
    SendResult result{true, 0};
    if (answer) {
        result.value = *answer;
    } else if (WindowNode* node = tree_.find(window)) {
        result.value = defaultBehaviour(*node, message, text);
    }
    if (message == msg::GetText) {
        // What a real WM_GETTEXT copies, whatever the window claims.
        if (text.size() > textRoom) text.resize(textRoom);
        result.value = static_cast<std::intptr_t>(text.size());
        messages[index].text = text;
    }
    return result;
}

std::intptr_t SimWindowSystem::defaultBehaviour(WindowNode& node, unsigned message, std::string& text) {
    switch (message) {
    case msg::SetText:
        node.caption = text;
        return 1;
    case msg::GetText:
        text = node.caption;
        return static_cast<std::intptr_t>(text.size());
    case msg::GetTextLength:
        return node.misreportedLength.value_or(static_cast<std::intptr_t>(node.caption.size()));
    case msg::Close:
        tree_.destroy(node.handle);
        return 0;
    default:
        return 0;
    }
}

bool SimWindowSystem::showWindow(WindowHandle window, int command) {
    WindowNode* node = tree_.find(window);
    if (!node) return false;
    switch (command) {
    case sw::Hide:
        node->visible = false;
        break;
    case sw::Minimize:
        node->minimized = true;
        node->visible = true;
        break;
    default:
        node->visible = true;
        break;
    }
    return true;
}

bool SimWindowSystem::setTopmost(WindowHandle window) {
    WindowNode* node = tree_.find(window);
    if (!node) return false;
    ++node->topmostCalls;
    tree_.bringToTop(window);
    return true;
}

}  // namespace lantern::sim
