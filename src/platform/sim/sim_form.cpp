#include "platform/sim/sim_toolkit.h"

namespace lantern::sim {

SimControl::SimControl(const ControlSpec& spec, WindowHandle form)
    : spec_(spec), form_(form), text_(spec.text), enabled_(spec.enabled), font_(spec.font) {}

SimForm::SimForm(std::shared_ptr<ToolkitLink> link, const WindowSpec& spec, WindowHandle handle)
    : link_(link), spec_(spec), handle_(handle) {}

SimForm::~SimForm() {
    auto link = link_.lock();
    if (!link || !link->toolkit) return;
    link->toolkit->tree().destroy(handle_);
    link->toolkit->forgetForm(handle_);
}

WindowNode* SimForm::node() const {
    auto link = link_.lock();
    return link && link->toolkit ? link->toolkit->tree().find(handle_) : nullptr;
}

const WindowNode* SimForm::lastState() const {
    auto link = link_.lock();
    return link && link->toolkit ? link->toolkit->tree().findEver(handle_) : nullptr;
}

Control& SimForm::add(const ControlSpec& spec) {
    controls_.push_back(std::make_shared<SimControl>(spec, handle_));
    return *controls_.back();
}

std::vector<const SimControl*> SimForm::controls() const {
    std::vector<const SimControl*> inOrder;
    for (const auto& control : controls_) inOrder.push_back(control.get());
    return inOrder;
}

Control* SimForm::control(const std::string& name) {
    for (auto& control : controls_) {
        if (control->name() == name) return control.get();
    }
    return nullptr;
}

void SimForm::show() {
    WindowNode* window = node();
    if (!window) return;
    bool wasVisible = window->visible;
    window->visible = true;
    window->minimized = false;
    if (!wasVisible) link_.lock()->toolkit->schedulePaint(*this);
}

void SimForm::hide() {
    if (WindowNode* window = node()) window->visible = false;
}

bool SimForm::visible() const {
    const WindowNode* window = node();
    return window && window->visible;
}

double SimForm::lastRect(double WindowNode::*side) const {
    const WindowNode* window = lastState();
    return window ? window->*side : 0;
}

double SimForm::left() const { return lastRect(&WindowNode::left); }
double SimForm::top() const { return lastRect(&WindowNode::top); }
double SimForm::width() const { return lastRect(&WindowNode::width); }
double SimForm::height() const { return lastRect(&WindowNode::height); }

void SimForm::move(double newLeft, double newTop) {
    if (node()) link_.lock()->toolkit->moveWindow(handle_, newLeft, newTop);
}

void SimForm::followPointer(MouseButton button) {
    if (node()) link_.lock()->toolkit->followPointer(handle_, button);
}

std::string SimForm::caption() const {
    const WindowNode* window = lastState();
    return window ? window->caption : spec_.caption;
}

void SimForm::setCaption(const std::string& newCaption) {
    if (WindowNode* window = node()) window->caption = newCaption;
}

void SimForm::destroy() {
    if (node()) link_.lock()->toolkit->tree().destroy(handle_);
}

}  // namespace lantern::sim
