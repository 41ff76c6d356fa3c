#include "platform/sim/desktop.h"

#include <cmath>

#include "platform/messages.h"
#include "platform/sim/event_queue.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_toolkit.h"
#include "platform/sim/sim_window_system.h"
#include "platform/sim/window_tree.h"

namespace lantern::sim {

namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kShortestWait = 1e-6;

// The event seam on the virtual clock.
class SimEventLoop final : public EventLoop {
public:
    SimEventLoop(EventQueue& clock, SimToolkit& toolkit) : clock_(clock), toolkit_(toolkit) {}

    void doEvents() override {
        ++waits;
        // Like every pump of the Windows backend, it hands a modal box its keys.
        SimToolkit::ProgramPump pump(toolkit_, true);
        clock_.runDue();
    }

    void waitForEvents(double seconds) override {
        ++waits;
        // A wait for any time at all lets the clock move on by at least a microsecond
        // (a real wait lasts at least a millisecond). Without that, a wait for less
        // than the clock can tell apart from now would end at once, and a caller that
        // re-reads the clock to wait out the rest would wait for ever.
        if (seconds > 0) seconds = std::max(seconds, kShortestWait);
        SimToolkit::ProgramPump pump(toolkit_, true);
        clock_.runUntil(clock_.now() + std::max(0.0, seconds));
    }

    double timeOfDay() override {
        double time = std::fmod(midnightOffset + clock_.now(), kSecondsPerDay);
        return time < 0 ? time + kSecondsPerDay : time;
    }

    double secondsSinceInput() override { return clock_.now() - toolkit_.lastInputAt(); }

    long waits = 0;
    double midnightOffset = 12 * 3600;  // the time of day when the clock read 0: noon

private:
    EventQueue& clock_;  // not owned: the desktop's
    SimToolkit& toolkit_;  // not owned: where the user's input arrives and keys for a modal box wait
};

}  // namespace

struct Desktop::Impl {
    // Declared in the order they depend on one another; destroyed in reverse.
    EventQueue clock;
    WindowTree tree;
    SimWindowSystem windows{tree, clock};
    SimRegistry registry;
    SimToolkit toolkit{tree, clock};
    SimEventLoop events{clock, toolkit};

    template <typename Body>
    bool runCatchingEnd(Body&& body) {
        try {
            body();
            return false;
        } catch (const ProgramEnded&) {
            return true;
        }
    }
};

Desktop::Desktop() : impl_(std::make_unique<Impl>()) {}
Desktop::~Desktop() = default;

WindowSystem& Desktop::windows() { return impl_->windows; }
Registry& Desktop::registry() { return impl_->registry; }
EventLoop& Desktop::events() { return impl_->events; }
Toolkit& Desktop::toolkit() { return impl_->toolkit; }
Platform Desktop::platform() { return Platform{windows(), registry(), events(), toolkit()}; }

// ---- window tree

WindowHandle Desktop::createWindow(WindowHandle parent, const std::string& className, const std::string& caption) {
    return impl_->tree.create(parent, className, caption, false);
}

WindowHandle Desktop::createWindowAtBottom(WindowHandle parent, const std::string& className,
                                           const std::string& caption) {
    return impl_->tree.create(parent, className, caption, true);
}

void Desktop::destroyWindow(WindowHandle window) { impl_->tree.destroy(window); }
bool Desktop::exists(WindowHandle window) const { return impl_->tree.find(window) != nullptr; }

void Desktop::setHandler(WindowHandle window, MessageHandler handler) {
    if (WindowNode* node = impl_->tree.find(window)) node->handler = std::move(handler);
}

std::string Desktop::caption(WindowHandle window) const {
    const WindowNode* node = impl_->tree.findEver(window);
    return node ? node->caption : std::string();
}

void Desktop::setCaption(WindowHandle window, const std::string& caption) {
    if (WindowNode* node = impl_->tree.find(window)) node->caption = caption;
}

void Desktop::misreportTextLength(WindowHandle window, std::intptr_t length) {
    if (WindowNode* node = impl_->tree.find(window)) node->misreportedLength = length;
}

std::string Desktop::className(WindowHandle window) const {
    const WindowNode* node = impl_->tree.findEver(window);
    return node ? node->className : std::string();
}

WindowHandle Desktop::parent(WindowHandle window) const {
    const WindowNode* node = impl_->tree.find(window);
    return node ? node->parent : 0;
}

std::vector<WindowHandle> Desktop::children(WindowHandle window) const { return impl_->tree.children(window); }
void Desktop::bringToTop(WindowHandle window) { impl_->tree.bringToTop(window); }

bool Desktop::minimized(WindowHandle window) const {
    const WindowNode* node = impl_->tree.findEver(window);
    return node && node->minimized;
}

bool Desktop::visible(WindowHandle window) const {
    const WindowNode* node = impl_->tree.find(window);
    return node && node->visible;
}

int Desktop::topmostCalls(WindowHandle window) const {
    const WindowNode* node = impl_->tree.findEver(window);
    return node ? node->topmostCalls : 0;
}

int Desktop::releaseCaptureCalls() const { return impl_->windows.releaseCaptureCalls(); }

void Desktop::hang(WindowHandle window, double seconds) { impl_->windows.hang(window, seconds); }
void Desktop::reportChange(WindowHandle window) { impl_->windows.reportChange(window); }
void Desktop::setSendTimeout(double seconds) { impl_->windows.setSendTimeout(seconds); }

// ---- message recorder

const std::vector<RecordedMessage>& Desktop::messages() const { return impl_->windows.messages; }
void Desktop::clearMessages() { impl_->windows.messages.clear(); }

std::vector<RecordedMessage> Desktop::messagesTo(WindowHandle window) const {
    std::vector<RecordedMessage> selected;
    for (const auto& message : impl_->windows.messages) {
        if (message.window == window) selected.push_back(message);
    }
    return selected;
}

// ---- virtual clock and events

double Desktop::now() const { return impl_->clock.now(); }

void Desktop::setTimeOfDay(double secondsSinceMidnight) {
    impl_->events.midnightOffset = secondsSinceMidnight - impl_->clock.now();
}

void Desktop::post(double delay, std::function<void()> event) { impl_->clock.post(delay, std::move(event)); }

void Desktop::runFor(double seconds) {
    double deadline = impl_->clock.now() + seconds;
    run([&] { impl_->clock.runUntil(deadline); });
}

bool Desktop::run(const std::function<void()>& body) { return impl_->runCatchingEnd(body); }
bool Desktop::programEnded() const { return impl_->toolkit.ended; }
long Desktop::eventWaits() const { return impl_->events.waits; }

// ---- registry

std::optional<Desktop::Value> Desktop::registryValue(const std::string& path, const std::string& name) const {
    return impl_->registry.value(path, name);
}

void Desktop::setRegistryValue(const std::string& path, const std::string& name, unsigned long type,
                               const std::string& data) {
    impl_->registry.put(path, name, type, data);
}

bool Desktop::keyExists(const std::string& path) const { return impl_->registry.keyExists(path); }
const std::vector<RegistryWrite>& Desktop::registryWrites() const { return impl_->registry.writes(); }
void Desktop::denyRegistry(bool denied) { impl_->registry.deny(denied); }

// ---- the headless toolkit

Window* Desktop::form(const std::string& name) { return impl_->toolkit.form(name); }
void Desktop::pressMouse(Control& control, MouseButton button) { impl_->toolkit.pressMouse(control, button); }
void Desktop::click(Control& control) { impl_->toolkit.click(control); }
void Desktop::userClose(Window& window) { impl_->toolkit.userClose(window); }
void Desktop::type(Control& control, const std::string& text) { impl_->toolkit.type(control, text); }
void Desktop::paint(Window& window) { impl_->toolkit.paint(window); }
void Desktop::pressTab() { impl_->toolkit.pressTab(); }
void Desktop::userInput() { impl_->toolkit.noteInput(); }
void Desktop::typeKeys(const std::string& text) { impl_->toolkit.typeKeys(text); }
const Control* Desktop::focusedControl() { return impl_->toolkit.focused(); }

const std::vector<ShownMessageBox>& Desktop::messageBoxes() const { return impl_->toolkit.messageBoxes; }

void Desktop::keepBoxesOpen() { impl_->toolkit.boxesStayOpen = true; }
void Desktop::pressKeyInBox(DialogKey key) { impl_->toolkit.pressKeyInBox(key); }

void Desktop::queueInputBoxAnswer(std::optional<std::string> answer) {
    impl_->toolkit.inputAnswers.push_back(std::move(answer));
}

const std::vector<ShownInputBox>& Desktop::inputBoxes() const { return impl_->toolkit.inputBoxes; }

const std::vector<ShownPopup>& Desktop::popups() const { return impl_->toolkit.popups; }
void Desktop::queuePopupChoice(const std::string& itemName) { impl_->toolkit.popupChoices.push_back(itemName); }

void Desktop::setScreenSize(double widthTwips, double heightTwips) {
    impl_->toolkit.setScreenSize(widthTwips, heightTwips);
}

void Desktop::queueDrag(double left, double top) { impl_->toolkit.drags.emplace_back(left, top); }

void Desktop::clampMoves(double minLeft, double minTop, double maxLeft, double maxTop) {
    impl_->toolkit.clampMoves(minLeft, minTop, maxLeft, maxTop);
}

void Desktop::setPreviousInstanceRunning(bool running) { impl_->toolkit.previousInstance = running; }

bool Desktop::endSession() {
    const std::vector<WindowHandle> windows = impl_->toolkit.liveForms();
    bool agreed = true;
    run([&] {
        for (WindowHandle window : windows) {
            // A window that has gone meanwhile has nothing to refuse.
            const SendResult answer = impl_->windows.sendMessage(window, msg::QueryEndSession, 0, 0);
            agreed = agreed && (!answer.delivered || answer.value != 0);
        }
        for (WindowHandle window : windows) impl_->windows.sendMessage(window, msg::EndSession, agreed ? 1 : 0, 0);
    });
    if (agreed && !impl_->toolkit.ended) impl_->toolkit.processEnds();
    return agreed;
}

}  // namespace lantern::sim
