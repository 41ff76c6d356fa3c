#pragma once
// The window seam as the chat watcher uses it from its timer: every send only glances
// (Patience::Glance), so that no poll holds up our windows, and the first window that
// left a glance unanswered while it still exists is noted: the client has stalled.

#include <utility>

#include "platform/window_system.h"

namespace lantern {

class GlancingWindows final : public WindowSystem {
public:
    explicit GlancingWindows(WindowSystem& windows) : windows_(windows) {}

    // The window that left a glance unanswered since the last call, or 0; forgotten then.
    WindowHandle takeStalled() { return std::exchange(stalled_, 0); }

    bool notifyWhenAnswering(WindowHandle window, std::function<void()> answered) override {
        return windows_.notifyWhenAnswering(window, std::move(answered));
    }
    std::unique_ptr<ChangeWatch> watchChanges(WindowHandle window, std::function<void()> changed) override {
        return windows_.watchChanges(window, std::move(changed));
    }
    WindowHandle findWindow(const std::string& className) override { return windows_.findWindow(className); }
    WindowHandle findChild(WindowHandle parent, WindowHandle after, const std::string& className) override {
        return windows_.findChild(parent, after, className);
    }
    WindowHandle getWindow(WindowHandle window, unsigned relation) override {
        return windows_.getWindow(window, relation);
    }
    bool showWindow(WindowHandle window, int command) override { return windows_.showWindow(window, command); }
    bool setTopmost(WindowHandle window) override { return windows_.setTopmost(window); }
    void releaseCapture() override { windows_.releaseCapture(); }
    bool isWindow(WindowHandle window) override { return windows_.isWindow(window); }
    void setSendTimeout(double seconds) override { windows_.setSendTimeout(seconds); }

protected:
    SendResult deliverMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                              Patience) override {
        return noted(window, windows_.sendMessage(window, message, wParam, lParam, Patience::Glance));
    }
    SendResult deliverSetText(WindowHandle window, const std::string& text, Patience) override {
        return noted(window, windows_.sendSetText(window, text, Patience::Glance));
    }
    SendResult deliverGetText(WindowHandle window, std::size_t capacity, std::string& buffer, Patience) override {
        return noted(window, windows_.sendGetText(window, capacity, buffer, Patience::Glance));
    }

private:
    SendResult noted(WindowHandle window, const SendResult& result) {
        if (!result.delivered && stalled_ == 0 && windows_.isWindow(window)) stalled_ = window;
        return result;
    }

    WindowSystem& windows_;  // not owned
    WindowHandle stalled_ = 0;
};

}  // namespace lantern
