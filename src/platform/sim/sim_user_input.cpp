// The user at the simulated desktop: mouse presses and clicks, the two move loops of
// a drag, the close box, and the keyboard with its focus. Each follows what Windows
// does, so that a program which relies on a kinder desktop fails here first.

#include <algorithm>

#include "platform/sim/sim_toolkit.h"

namespace lantern::sim {
namespace {

// How long the user holds the mouse in a drag.
constexpr double kDragSeconds = 0.5;
// How far the pointer travels on after the button of a drag came up, before the user
// clicks again (twips): a window still following the pointer by then lands off by this.
constexpr double kPointerMovesOnTwips = 1500;

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::Button || kind == ControlKind::ListBox ||
           kind == ControlKind::ComboBox;
}

}  // namespace

std::shared_ptr<SimControl> SimToolkit::reachable(Control& control) {
    auto* sim = dynamic_cast<SimControl*>(&control);
    if (!sim || !sim->enabled() || !sim->spec().userReachable) return nullptr;
    const WindowNode* window = tree_.find(sim->form());
    if (!window || !window->visible) return nullptr;
    return sim->shared_from_this();
}

// ---- the mouse

void SimToolkit::pressMouse(Control& control, MouseButton button) {
    noteInput();
    auto reached = reachable(control);
    if (!reached) return;
    userActivates(*reached);
    std::function<void(MouseButton)> onMouseDown = reached->onMouseDown;
    held_ = button;  // until the handler returns: a drag it starts sees the button held
    if (onMouseDown) onMouseDown(button);
    held_.reset();
}

void SimToolkit::click(Control& control) {
    noteInput();
    auto reached = reachable(control);
    if (!reached) return;
    userActivates(*reached);
    std::function<void(MouseButton)> onMouseDown = reached->onMouseDown;
    held_ = MouseButton::Left;
    if (onMouseDown) onMouseDown(MouseButton::Left);
    held_.reset();
    // The press may have closed the window or disabled the control: no click then.
    if (!reachable(*reached)) return;
    std::function<void()> onClick = reached->onClick;
    if (onClick) onClick();
}

void SimToolkit::userClose(Window& window) {
    noteInput();
    if (window.alive()) close(window.handle());
}

// The system's move loop, started by WM_NCLBUTTONDOWN on the caption. As on Windows
// (and under Wine), only the left button's release ends it: started while the right
// or middle button is held, it goes on after that button came up, and the window
// follows the pointer until the user's next left click.
void SimToolkit::moveLoop(WindowHandle handle) {
    const bool endsAtRelease = !held_ || *held_ == MouseButton::Left;
    userDrags(handle, endsAtRelease ? 0 : kPointerMovesOnTwips);
}

// A move loop of the program's own, which ends when the button that began it comes up.
void SimToolkit::followPointer(WindowHandle handle, MouseButton) { userDrags(handle, 0); }

void SimToolkit::userDrags(WindowHandle handle, double movedOnAfterRelease) {
    // Events run while the user drags, as in a real move loop.
    clock_.runUntil(clock_.now() + kDragSeconds);
    if (drags.empty()) return;  // released where it was
    auto [left, top] = drags.front();
    drags.pop_front();
    moveWindow(handle, left + movedOnAfterRelease, top + movedOnAfterRelease);
}

// ---- the keyboard

// A press on a control activates its window; a control that takes the focus gets it,
// while a press on a label or picture leaves the focus where it was in that window.
void SimToolkit::userActivates(SimControl& control) {
    if (active_ != control.form()) focus_.reset();
    active_ = control.form();
    if (takesFocus(control.spec().kind)) focus_ = control.shared_from_this();
}

SimControl* SimToolkit::focused() {
    auto control = focus_.lock();
    if (!control || !reachable(*control) || control->form() != active_) return nullptr;
    return control.get();
}

// Tab as the dialog manager moves it: to the next control after the focus, in the
// order they were added, that is enabled, a tab stop and reachable; round to the first.
void SimToolkit::pressTab() {
    noteInput();
    auto it = forms_.find(active_);
    if (it == forms_.end() || !it->second->visible()) return;
    std::vector<SimControl*> stops;
    for (const auto& candidate : it->second->sharedControls()) {
        if (takesFocus(candidate->spec().kind) && reachable(*candidate)) stops.push_back(candidate.get());
    }
    if (stops.empty()) return;
    auto current = std::find(stops.begin(), stops.end(), focused());
    const bool wraps = current == stops.end() || current + 1 == stops.end();
    focus_ = (wraps ? stops.front() : *(current + 1))->shared_from_this();
}

void SimToolkit::typeKeys(const std::string& text) {
    noteInput();
    if (SimControl* control = focused()) type(*control, text);
}

void SimToolkit::type(Control& control, const std::string& text) {
    noteInput();
    auto reached = reachable(control);
    if (!reached) return;
    const ControlSpec& spec = reached->spec();
    if (spec.kind != ControlKind::TextBox && spec.kind != ControlKind::ComboBox) return;
    std::string typed = text;
    if (spec.maxLength > 0 && typed.size() > static_cast<std::size_t>(spec.maxLength)) {
        typed.resize(static_cast<std::size_t>(spec.maxLength));  // the box takes no more
    }
    reached->setText(typed);
}

}  // namespace lantern::sim
