#include "platform/sim/sim_toolkit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "platform/messages.h"

namespace lantern::sim {

namespace {

constexpr double kTwipsPerPixel = 15;
// A bordered window's frame: a 4-pixel border all round and an 18-pixel caption.
constexpr double kBorderTwips = 4 * kTwipsPerPixel;
constexpr double kCaptionTwips = 18 * kTwipsPerPixel;
// Where a new window appears before the program places it (as a window manager's
// default placement, not the corner, so that a forgotten placement shows).
constexpr double kDefaultLeft = 100 * kTwipsPerPixel;
constexpr double kDefaultTop = 80 * kTwipsPerPixel;

// Adding 0 turns a -0 (from a small negative) into 0, so traces never read "-0".
double toWholePixel(double twips) { return std::round(twips / kTwipsPerPixel) * kTwipsPerPixel + 0.0; }

}  // namespace

SimToolkit::SimToolkit(WindowTree& tree, EventQueue& clock)
    : tree_(tree), clock_(clock), link_(std::make_shared<ToolkitLink>()) {
    link_->toolkit = this;
}

SimToolkit::~SimToolkit() { link_->toolkit = nullptr; }

// ---- windows

std::unique_ptr<Window> SimToolkit::createWindow(const WindowSpec& spec) {
    WindowHandle handle = tree_.create(0, "LanternForm", spec.caption, false);
    WindowNode& node = *tree_.find(handle);
    node.visible = false;  // loaded, not shown
    node.left = kDefaultLeft;
    node.top = kDefaultTop;
    const bool framed = spec.border != Border::None;
    node.width = spec.clientWidth + (framed ? 2 * kBorderTwips : 0);
    node.height = spec.clientHeight + (framed ? 2 * kBorderTwips + kCaptionTwips : 0);
    node.handler = [this](WindowHandle self, unsigned message, std::uintptr_t wParam, std::intptr_t, std::string&) {
        return formMessage(self, message, wParam);
    };
    auto form = std::make_unique<SimForm>(link_, spec, handle);
    forms_[handle] = form.get();
    return form;
}

SimForm* SimToolkit::form(const std::string& name) {
    // The newest live one: a window closed and created anew is the new one.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        if (it->second->spec().name == name && it->second->alive()) return it->second;
    }
    return nullptr;
}

std::optional<std::intptr_t> SimToolkit::formMessage(WindowHandle handle, unsigned message, std::uintptr_t wParam) {
    if (message == msg::Close) {
        close(handle);
        return 0;
    }
    if (message == msg::NcLButtonDown && wParam == kHtCaption) {
        moveLoop(handle);
        return 0;
    }
    if (message == msg::QueryEndSession) return 1;  // the session may end
    if (message == msg::EndSession) {
        if (wParam) sessionEnds(handle);
        return 0;
    }
    return std::nullopt;
}

void SimToolkit::sessionEnds(WindowHandle handle) {
    auto it = forms_.find(handle);
    if (it == forms_.end() || !it->second->alive() || it->second->sessionEndRaised) return;
    it->second->sessionEndRaised = true;
    std::function<void()> onSessionEnd = it->second->onSessionEnd;
    if (onSessionEnd) onSessionEnd();
}

std::vector<WindowHandle> SimToolkit::liveForms() const {
    std::vector<WindowHandle> live;
    for (const auto& [handle, form] : forms_) {
        if (form->alive()) live.push_back(handle);
    }
    return live;
}

void SimToolkit::close(WindowHandle handle) {
    auto it = forms_.find(handle);
    if (it == forms_.end() || !it->second->alive()) return;
    std::function<void()> onClose = it->second->onClose;  // a copy: the handler may end its window
    if (onClose) onClose();
    tree_.destroy(handle);
}

void SimToolkit::moveWindow(WindowHandle handle, double left, double top) {
    WindowNode* node = tree_.find(handle);
    if (!node) return;
    left = toWholePixel(left);
    top = toWholePixel(top);
    if (clamp_) {
        left = std::clamp(left, clamp_->minLeft, clamp_->maxLeft);
        top = std::clamp(top, clamp_->minTop, clamp_->maxTop);
    }
    node->left = left;
    node->top = top;
}

void SimToolkit::clampMoves(double minLeft, double minTop, double maxLeft, double maxTop) {
    // The bounds, too, lie on whole pixels, inside what was asked.
    auto inward = [](double twips, bool up) {
        double pixels = twips / kTwipsPerPixel;
        return (up ? std::ceil(pixels) : std::floor(pixels)) * kTwipsPerPixel;
    };
    clamp_ = Clamp{inward(minLeft, true), inward(minTop, true), inward(maxLeft, false), inward(maxTop, false)};
}

void SimToolkit::setScreenSize(double width, double height) {
    screenWidth_ = width;
    screenHeight_ = height;
}

void SimToolkit::schedulePaint(SimForm& form) {
    if (form.paintPending) return;
    form.paintPending = true;
    // Painted when the program next lets events run, as a real window is.
    WindowHandle handle = form.handle();
    clock_.post(0, [this, handle] {
        auto it = forms_.find(handle);
        if (it == forms_.end()) return;
        it->second->paintPending = false;
        if (it->second->visible()) paint(*it->second);
    });
}

void SimToolkit::paint(Window& window) {
    if (!window.visible()) return;
    std::function<void()> onPaint = window.onPaint;
    if (onPaint) onPaint();
}

// ---- timers, menus, dialogs

std::unique_ptr<Timer> SimToolkit::createTimer() {
    auto timer = std::make_unique<SimTimer>(clock_);
    timers_.push_back(timer->state());
    return timer;
}

namespace {

// The first item of that name below `menu`, depth first, or null.
const MenuItemSpec* findItem(const MenuItemSpec& menu, const std::string& name) {
    for (const MenuItemSpec& child : menu.children) {
        if (child.name == name) return &child;
        if (const MenuItemSpec* found = findItem(child, name)) return found;
    }
    return nullptr;
}

void setItemsEnabled(MenuItemSpec& item, const std::string& name, bool enabled) {
    if (item.name == name) item.enabled = enabled;
    for (MenuItemSpec& child : item.children) setItemsEnabled(child, name, enabled);
}

// The commands the user can click: enabled, neither a separator nor a submenu, and
// reached through enabled submenus only.
void addChoosable(const MenuItemSpec& item, std::vector<std::string>& choosable) {
    for (const MenuItemSpec& child : item.children) {
        if (!child.enabled) continue;
        if (!child.children.empty()) {
            addChoosable(child, choosable);
        } else if (child.caption != "-") {
            choosable.push_back(child.name);
        }
    }
}

class SimPopupMenu final : public PopupMenu {
public:
    SimPopupMenu(std::weak_ptr<ToolkitLink> link, const MenuItemSpec& root) : link_(std::move(link)), root_(root) {}

    bool enabled(const std::string& itemName) const override {
        const MenuItemSpec* item = findItem(root_, itemName);
        return item && item->enabled;
    }

    void setEnabled(const std::string& itemName, bool enabled) override {
        for (MenuItemSpec& child : root_.children) setItemsEnabled(child, itemName, enabled);
    }

    void popup(Window& over, double x, double y) override {
        auto link = link_.lock();
        if (!link || !link->toolkit) return;
        std::vector<std::string> choosable;
        addChoosable(root_, choosable);
        auto choice = link->toolkit->trackPopup({over.handle(), x, y, root_}, choosable);
        std::function<void(const std::string&)> onChooseNow = onChoose;
        if (choice && onChooseNow) onChooseNow(*choice);
    }

private:
    std::weak_ptr<ToolkitLink> link_;
    MenuItemSpec root_;  // as built, with the flags as the program set them since
};

}  // namespace

bool ShownPopup::enabled(const std::string& itemName) const {
    const MenuItemSpec* item = findItem(root, itemName);
    if (!item) throw std::out_of_range("no menu item " + itemName);
    return item->enabled;
}

std::unique_ptr<PopupMenu> SimToolkit::createPopupMenu(Window&, const MenuItemSpec& root) {
    return std::make_unique<SimPopupMenu>(link_, root);
}

std::optional<std::string> SimToolkit::trackPopup(const ShownPopup& shown, const std::vector<std::string>& choosable) {
    popups.push_back(shown);
    if (popupChoices.empty()) return std::nullopt;  // dismissed
    std::string choice = popupChoices.front();
    popupChoices.pop_front();
    if (std::find(choosable.begin(), choosable.end(), choice) == choosable.end()) return std::nullopt;
    return choice;
}

int SimToolkit::messageBox(const std::string& text, const std::string& title, unsigned style) {
    const std::size_t index = messageBoxes.size();
    messageBoxes.push_back({text, title, style, clock_.now(), clock_.now()});
    if (boxesStayOpen) {
        // Only an OK button: Escape, too, answers OK (as MessageBoxA's does).
        OpenBox box{{OpenBox::Part::Ok}};
        runModal(box);
        messageBoxes[index].closedAt = box.answeredAt;
    }
    return mb::IdOk;
}

std::optional<std::string> SimToolkit::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    const std::size_t index = inputBoxes.size();
    inputBoxes.push_back({prompt, title, defaultText, clock_.now(), clock_.now()});
    std::optional<std::string> typed;
    if (!inputAnswers.empty()) {
        typed = inputAnswers.front();
        inputAnswers.pop_front();
    }
    if (!boxesStayOpen) return typed;  // nothing queued: cancelled
    OpenBox box{{OpenBox::Part::Edit, OpenBox::Part::Ok, OpenBox::Part::Cancel}};
    runModal(box);
    inputBoxes[index].closedAt = box.answeredAt;
    if (!box.accepted) return std::nullopt;
    return typed.value_or(defaultText);
}

namespace {
// How long a box may wait for its answer before the test is taken to have forgotten it.
constexpr double kLongestOpenBox = 3600;
// How far the box's loop lets time run between looks at its answer.
constexpr double kModalLoopStep = 0.05;
}  // namespace

void SimToolkit::runModal(OpenBox& box) {
    const double giveUp = clock_.now() + kLongestOpenBox;
    pumps_.push_back(true);  // the dialog's own loop
    openBoxes_.push_back(&box);
    while (!box.answered && clock_.now() < giveUp) clock_.runUntil(clock_.now() + kModalLoopStep);
    openBoxes_.pop_back();
    pumps_.pop_back();
    if (!box.answered) throw std::logic_error("a modal box that nobody answered");
}

void SimToolkit::pressKeyInBox(DialogKey key) {
    if (openBoxes_.empty()) return;
    // Keys go to the innermost box, which has the focus; whether it sees them as a
    // dialog's depends on the loop that takes them from the queue.
    if (pumps_.back()) openBoxes_.back()->dialogKey(key, clock_.now());
}

void OpenBox::dialogKey(DialogKey key, double now) {
    if (answered) return;
    answeredAt = now;
    switch (key) {
    case DialogKey::Tab:
        focus = (focus + 1) % parts.size();
        return;
    case DialogKey::Escape:
    case DialogKey::AltF4:
        // A box without Cancel takes Escape for its only button.
        accepted = std::find(parts.begin(), parts.end(), Part::Cancel) == parts.end();
        answered = true;
        return;
    case DialogKey::Enter:
        // The focused button, or the default (OK) from anywhere else.
        accepted = parts[focus] != Part::Cancel;
        answered = true;
        return;
    }
}

// ---- the program as a whole

bool SimToolkit::previousInstanceRunning() {
    // Like a named mutex: the first check also marks this instance as running,
    // until the program ends.
    bool running = previousInstance || thisInstanceRunning_;
    thisInstanceRunning_ = true;
    return running;
}

void SimToolkit::endProgramNow() {
    processEnds();
    throw ProgramEnded{};
}

void SimToolkit::processEnds() {
    ended = true;
    thisInstanceRunning_ = false;
    // Nothing of the program runs again: its timers fall silent and its windows go,
    // as they do when a process ends.
    for (auto& weak : timers_) {
        if (auto state = weak.lock()) state->silenced = true;
    }
    timers_.clear();
    for (auto& [handle, form] : forms_) tree_.destroy(handle);
}

}  // namespace lantern::sim
