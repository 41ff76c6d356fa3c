#pragma once
// Holds a form that the user may close and that is then created afresh on its next
// use. The replaced object is not freed at once: a handler of it may still be
// running further up the stack (a post lets events run, and the user can close and
// reopen the window meanwhile), and freeing it would pull that handler out from
// under itself. Retired objects are freed once no handler of this slot runs.

#include <memory>
#include <utility>
#include <vector>

#include "platform/toolkit.h"

namespace lantern {

template <class Form>
class FormSlot {
public:
    // Marks a handler of the held form as running for as long as it lives.
    class Running {
    public:
        explicit Running(FormSlot& slot) : slot_(slot) { ++slot_.running_; }
        ~Running() {
            if (--slot_.running_ == 0) slot_.retired_.clear();
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        FormSlot& slot_;  // not owned
    };

    Form* get() const { return current_.get(); }

    Form& replace(std::unique_ptr<Form> next) {
        if (current_) retired_.push_back(std::move(current_));
        current_ = std::move(next);
        if (running_ == 0) retired_.clear();
        return *current_;
    }

    Running running() { return Running(*this); }

private:
    std::unique_ptr<Form> current_;  // owned
    std::vector<std::unique_ptr<Form>> retired_;  // owned, freed when no handler runs
    int running_ = 0;
};

// A window of ours that exists until the user closes it and is created and loaded
// afresh on its next use.
class ReopenableWindow {
public:
    virtual ~ReopenableWindow() = default;

    // Creates and loads it if it does not exist, then shows it, modeless.
    void show() { loaded().show(); }

protected:
    // The live window, created and loaded first when there is none.
    Window& loaded() {
        Window* live = window_.get();
        if (!live || !live->alive()) createAndLoad();
        return *window_.get();
    }

    // Puts a new window into window_ and runs its loading steps.
    virtual void createAndLoad() = 0;

    FormSlot<Window> window_;  // the current window of this form
};

}  // namespace lantern
