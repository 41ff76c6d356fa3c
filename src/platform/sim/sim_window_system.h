#pragma once
// The window seam on the simulated desktop: lookups in the window tree, and sends
// that run the window's handler at once (or wait for a hung window in virtual time),
// each recorded in order with what it carried and whether it was delivered.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/event_queue.h"
#include "platform/sim/window_tree.h"

namespace lantern::sim {

// One message as it was sent. `text` is the text carried (WM_SETTEXT) or returned
// (WM_GETTEXT); `time` is virtual seconds since the desktop was made.
struct RecordedMessage {
    double time = 0;
    WindowHandle window = 0;
    std::string windowClass;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::string text;
    bool delivered = true;
};

class SimWindowSystem final : public WindowSystem {
public:
    SimWindowSystem(WindowTree& tree, EventQueue& clock) : tree_(tree), clock_(clock) {}

    WindowHandle findWindow(const std::string& className) override;
    WindowHandle findChild(WindowHandle parent, WindowHandle after, const std::string& className) override;
    WindowHandle getWindow(WindowHandle window, unsigned relation) override;
    bool notifyWhenAnswering(WindowHandle window, std::function<void()> answered) override;
    std::unique_ptr<ChangeWatch> watchChanges(WindowHandle window, std::function<void()> changed) override;
    // The window's program changed a value of `window` that the system reports (as it
    // does a scroll bar's position): each watch on it or on a window above it hears of
    // it as an event, as an out-of-context report comes through the watcher's queue.
    void reportChange(WindowHandle window);
    bool showWindow(WindowHandle window, int command) override;
    bool setTopmost(WindowHandle window) override;
    void releaseCapture() override { ++releaseCaptureCalls_; }
    bool isWindow(WindowHandle window) override { return tree_.find(window) != nullptr; }

    void setSendTimeout(double seconds) override { sendTimeout_ = seconds; }
    void hang(WindowHandle window, double seconds);

    std::vector<RecordedMessage> messages;
    int releaseCaptureCalls() const { return releaseCaptureCalls_; }

    // A glance fails at once on a window hung this long (what IsHungAppWindow counts),
    // and otherwise waits this long before it fails.
    static constexpr double kHungAfterSeconds = 5.0;
    static constexpr double kGlanceSeconds = 0.2;

protected:
    SendResult deliverMessage(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                              Patience patience) override;
    SendResult deliverSetText(WindowHandle window, const std::string& text, Patience patience) override;
    SendResult deliverGetText(WindowHandle window, std::size_t capacity, std::string& buffer,
                              Patience patience) override;

private:
    // Records the send, waits out a hang as long as the patience allows, runs the
    // handler or the default behaviour. `text` carries WM_SETTEXT's text in and
    // WM_GETTEXT's text out, cut to `textRoom` bytes.
    SendResult send(WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                    std::string& text, std::size_t textRoom, Patience patience);
    // How long the window (or a window above it, on the same thread) stays hung, and
    // how long it has been hung.
    double hangRemaining(WindowHandle window) const;
    double hungFor(WindowHandle window) const;
    // Runs `answered` as an event once the window answers again.
    void answerWhenFree(WindowHandle window, std::function<void()> answered);
    std::intptr_t defaultBehaviour(WindowNode& node, unsigned message, std::string& text);

    struct Watched {
        WindowHandle window = 0;
        std::function<void()> changed;
    };
    using Watches = std::map<std::uint64_t, Watched>;
    class Watch;

    WindowTree& tree_;  // not owned: the desktop's
    EventQueue& clock_;  // not owned: the desktop's
    double sendTimeout_ = 20.0;
    int releaseCaptureCalls_ = 0;
    // Shared with each watch, which may outlive the desktop.
    std::shared_ptr<Watches> watches_ = std::make_shared<Watches>();
    std::uint64_t nextWatch_ = 0;
};

}  // namespace lantern::sim
