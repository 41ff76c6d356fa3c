// Change reports of another program's window: an out-of-context WinEvent hook for
// EVENT_OBJECT_VALUECHANGE on the window's process. Nothing is injected into the
// other program; the system queues each event to our thread, which runs the callback
// wherever it takes messages: in a pause or a modal loop, and maybe inside a send of
// ours that waits for its answer. So the callback only notes the change: the watcher
// looks from a timer of its own.

#include <map>
#include <memory>
#include <utility>

#include "platform/win32/window_system.h"

namespace lantern::win32 {
namespace {

class HookedWatch;

// The hooks of this thread by their handle: the callback is told only the handle.
std::map<HWINEVENTHOOK, HookedWatch*>& hooks() {
    static std::map<HWINEVENTHOOK, HookedWatch*> all;
    return all;
}

class HookedWatch final : public ChangeWatch {
public:
    HookedWatch(HWND window, std::function<void()> changed) : window_(window), changed_(std::move(changed)) {}
    ~HookedWatch() override {
        if (!hook_) return;
        UnhookWinEvent(hook_);
        hooks().erase(hook_);
    }

    bool start() {
        DWORD process = 0;
        if (!GetWindowThreadProcessId(window_, &process)) return false;
        // The whole process, not just the window's thread: Wine (8.0) takes no hook
        // that names both, and the callback keeps only the watched window's reports.
        hook_ = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, onEvent, process, 0,
                                WINEVENT_OUTOFCONTEXT);
        if (!hook_) return false;
        hooks()[hook_] = this;
        return true;
    }

private:
    static void CALLBACK onEvent(HWINEVENTHOOK hook, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
        auto found = hooks().find(hook);
        if (found == hooks().end()) return;  // unhooked while the event was queued
        HookedWatch& watch = *found->second;
        // The thread's other windows report too: only the watched one and those inside it count.
        if (window != watch.window_ && !IsChild(watch.window_, window)) return;
        watch.changed_();
    }

    HWND window_;
    std::function<void()> changed_;
    HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace

std::unique_ptr<ChangeWatch> Win32WindowSystem::watchChanges(WindowHandle window, std::function<void()> changed) {
    HWND target = toHwnd(window);
    if (!target || !IsWindow(target)) return nullptr;
    auto watch = std::make_unique<HookedWatch>(target, std::move(changed));
    if (!watch->start()) return nullptr;
    return watch;
}

}  // namespace lantern::win32
