#include "watched_seams.h"

#include "platform/messages.h"

namespace lantern::faults {

namespace {

// A toolkit timer whose every tick is reported as one operation.
class WatchedTimer final : public Timer {
public:
    WatchedTimer(std::unique_ptr<Timer> inner, SeamObserver& observer)
        : inner_(std::move(inner)), observer_(observer) {
        inner_->onTick = [this] {
            // A copy: the handler may replace itself.
            std::function<void()> tick = onTick;
            if (!tick) return;
            struct Ends {
                SeamObserver& observer;
                ~Ends() { observer.operationEnds(); }
            } ends{observer_};
            observer_.operationBegins(*this);
            tick();
        };
    }
    unsigned interval() const override { return inner_->interval(); }
    void setInterval(unsigned milliseconds) override { inner_->setInterval(milliseconds); }
    bool enabled() const override { return inner_->enabled(); }
    void setEnabled(bool enabled) override { inner_->setEnabled(enabled); }

private:
    std::unique_ptr<Timer> inner_;  // owned
    SeamObserver& observer_;        // not owned
};

}  // namespace

WindowHandle WatchedWindows::findWindow(const std::string& className) {
    lookup(0);
    return inner_.findWindow(className);
}

WindowHandle WatchedWindows::findChild(WindowHandle parent, WindowHandle after, const std::string& className) {
    lookup(parent);
    return inner_.findChild(parent, after, className);
}

WindowHandle WatchedWindows::getWindow(WindowHandle window, unsigned relation) {
    lookup(window);
    return inner_.getWindow(window, relation);
}

SendResult WatchedWindows::sendMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    observer_.beforeCall({.kind = SeamCall::Kind::Send, .window = window, .message = message, .wParam = wParam});
    return inner_.sendMessage(window, message, wParam, lParam);
}

SendResult WatchedWindows::sendSetText(WindowHandle window, const std::string& text) {
    observer_.beforeCall({.kind = SeamCall::Kind::Send, .window = window, .message = msg::SetText, .text = &text});
    return inner_.sendSetText(window, text);
}

SendResult WatchedWindows::sendGetText(WindowHandle window, std::size_t capacity, std::string& buffer) {
    observer_.beforeCall(
        {.kind = SeamCall::Kind::Send, .window = window, .message = msg::GetText, .wParam = capacity});
    return inner_.sendGetText(window, capacity, buffer);
}

bool WatchedWindows::showWindow(WindowHandle window, int command) {
    observer_.beforeCall({.kind = SeamCall::Kind::Show, .window = window, .showCommand = command});
    return inner_.showWindow(window, command);
}

bool WatchedWindows::setTopmost(WindowHandle window) {
    observer_.beforeCall({.kind = SeamCall::Kind::Topmost, .window = window});
    return inner_.setTopmost(window);
}

void WatchedEvents::doEvents() {
    observer_.beforeCall({.kind = SeamCall::Kind::Wait});
    inner_.doEvents();
}

void WatchedEvents::waitForEvents(double seconds) {
    observer_.beforeCall({.kind = SeamCall::Kind::Wait});
    inner_.waitForEvents(seconds);
}

std::unique_ptr<Timer> WatchedToolkit::createTimer() {
    return std::make_unique<WatchedTimer>(inner_.createTimer(), observer_);
}

}  // namespace lantern::faults
