#include "platform/sim/window_tree.h"

#include <algorithm>

#include "common/text.h"
#include "platform/messages.h"

namespace lantern::sim {

namespace {
const std::vector<WindowHandle> kNoChildren;
// Handles step by 4, as real ones do, so that they look like handles in traces.
constexpr WindowHandle kHandleStep = 4;
}  // namespace

WindowHandle WindowTree::create(WindowHandle parent, const std::string& className, const std::string& caption,
                                bool atBottom) {
    if (parent != 0 && !find(parent)) return 0;
    WindowHandle handle = nextHandle_;
    nextHandle_ += kHandleStep;
    WindowNode node;
    node.handle = handle;
    node.parent = parent;
    node.className = className;
    node.caption = caption;
    nodes_.emplace(handle, std::move(node));
    auto& siblings = siblingsOf(parent);
    if (atBottom) {
        siblings.push_back(handle);
    } else {
        siblings.insert(siblings.begin(), handle);
    }
    return handle;
}

void WindowTree::destroy(WindowHandle window) {
    WindowNode* node = find(window);
    if (!node) return;
    // Children first, from a copy: each removes itself from this list.
    for (WindowHandle child : std::vector<WindowHandle>(node->children)) destroy(child);
    node->alive = false;
    node->visible = false;
    auto& siblings = siblingsOf(node->parent);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
}

WindowNode* WindowTree::find(WindowHandle window) {
    auto it = nodes_.find(window);
    return it != nodes_.end() && it->second.alive ? &it->second : nullptr;
}

const WindowNode* WindowTree::find(WindowHandle window) const {
    auto it = nodes_.find(window);
    return it != nodes_.end() && it->second.alive ? &it->second : nullptr;
}

const WindowNode* WindowTree::findEver(WindowHandle window) const {
    auto it = nodes_.find(window);
    return it != nodes_.end() ? &it->second : nullptr;
}

const std::vector<WindowHandle>& WindowTree::children(WindowHandle parent) const {
    if (parent == 0) return topLevel_;
    const WindowNode* node = find(parent);
    return node ? node->children : kNoChildren;
}

std::vector<WindowHandle>& WindowTree::siblingsOf(WindowHandle parent) {
    return parent == 0 ? topLevel_ : nodes_.at(parent).children;
}

WindowHandle WindowTree::findChild(WindowHandle parent, WindowHandle after, const std::string& className) const {
    if (parent != 0 && !find(parent)) return 0;
    const auto& list = children(parent);
    auto it = list.begin();
    if (after != 0) {
        it = std::find(list.begin(), list.end(), after);
        if (it == list.end()) return 0;
        ++it;
    }
    for (; it != list.end(); ++it) {
        if (text::equalsIgnoringCase(find(*it)->className, className)) return *it;
    }
    return 0;
}

WindowHandle WindowTree::sibling(WindowHandle window, unsigned relation) const {
    const WindowNode* node = find(window);
    if (!node) return 0;
    const auto& list = children(node->parent);
    if (relation == gw::First) return list.empty() ? 0 : list.front();
    if (relation == gw::Next) {
        auto it = std::find(list.begin(), list.end(), window);
        return it != list.end() && std::next(it) != list.end() ? *std::next(it) : 0;
    }
    return 0;
}

void WindowTree::bringToTop(WindowHandle window) {
    WindowNode* node = find(window);
    if (!node) return;
    auto& siblings = siblingsOf(node->parent);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.insert(siblings.begin(), window);
}

}  // namespace lantern::sim
