#pragma once
// The headless toolkit: the program's own windows are top-level windows of class
// "LanternForm" in the simulated window tree, so they have handles, take WM_CLOSE
// and the move loop, and show their visibility, position and topmost state the same
// way through the Window object and the desktop's inspection calls. Controls hold
// their state in memory; timers, the move loop and paints run on the virtual clock;
// message boxes, input boxes and popup menus answer from what the test queued.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit.h"
#include "platform/sim/event_queue.h"
#include "platform/sim/sim_timer.h"
#include "platform/sim/sim_window_system.h"
#include "platform/sim/window_tree.h"

namespace lantern::sim {

// Thrown by Toolkit::endProgramNow on the simulated desktop, so a test sees the end
// without the test process ending. Desktop::run catches it.
struct ProgramEnded {};

struct ShownMessageBox {
    std::string text;
    std::string title;
    unsigned style = 0;
    double openedAt = 0, closedAt = 0;  // virtual seconds; closed: answered, hidden
};

// A popup menu as it was shown: its items with the enabled flags they had then.
struct ShownPopup {
    WindowHandle over = 0;
    double x = 0, y = 0;
    MenuItemSpec root;
    // The item's flag when shown; throws std::out_of_range for a name the menu lacks.
    bool enabled(const std::string& itemName) const;
};

struct ShownInputBox {
    std::string prompt;
    std::string title;
    std::string defaultText;
    double openedAt = 0, closedAt = 0;  // virtual seconds; closed: answered, hidden
};

// The keys a dialog's keyboard interface answers (Alt+F4 closes it, as Escape does).
enum class DialogKey { Enter, Escape, Tab, AltF4 };

class SimToolkit;
class SimForm;

// Lets the toolkit's objects outlive the desktop: they reach it only through this
// link, which the toolkit empties when it goes.
struct ToolkitLink {
    SimToolkit* toolkit = nullptr;  // not owned; null once the desktop is gone
};

class SimControl final : public Control, public std::enable_shared_from_this<SimControl> {
public:
    SimControl(const ControlSpec& spec, WindowHandle form);
    const std::string& name() const override { return spec_.name; }
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    std::string fontFace() const override { return font_.face; }
    void setFontFace(const std::string& face) override { font_.face = face; }
    void addItem(const std::string& item) override { items_.push_back(item); }
    std::vector<std::string> items() const override { return items_; }

    const ControlSpec& spec() const { return spec_; }
    WindowHandle form() const { return form_; }

private:
    ControlSpec spec_;
    WindowHandle form_;  // the window that holds it
    std::string text_;
    bool enabled_;
    Font font_;
    std::vector<std::string> items_;
};

class SimForm final : public Window {
public:
    SimForm(std::shared_ptr<ToolkitLink> link, const WindowSpec& spec, WindowHandle handle);
    ~SimForm() override;

    WindowHandle handle() const override { return handle_; }
    bool alive() const override { return node() != nullptr; }
    Control& add(const ControlSpec& spec) override;
    Control* control(const std::string& name) override;
    void show() override;
    void hide() override;
    bool visible() const override;
    double left() const override;
    double top() const override;
    double width() const override;
    double height() const override;
    void move(double left, double top) override;
    void followPointer(MouseButton button) override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void destroy() override;

    const WindowSpec& spec() const { return spec_; }
    // Its controls in the order they were added (the tab order of the real backend).
    std::vector<const SimControl*> controls() const;
    const std::vector<std::shared_ptr<SimControl>>& sharedControls() const { return controls_; }
    bool paintPending = false;
    bool sessionEndRaised = false;  // onSessionEnd runs once at most

private:
    // The live window in the tree, or null (closed, or the desktop is gone).
    WindowNode* node() const;
    // The window as it was last, alive or not.
    const WindowNode* lastState() const;
    // One side of its outer rectangle as it was last; 0 once the desktop is gone.
    double lastRect(double WindowNode::*side) const;

    std::weak_ptr<ToolkitLink> link_;  // the way back to the desktop, while it lasts
    WindowSpec spec_;
    WindowHandle handle_;
    std::vector<std::shared_ptr<SimControl>> controls_;  // owned, in creation order
};

// A modal box while it is open: which of its parts has the focus, and its answer
// once the user gave one. The parts in Tab order; the first has the focus at first.
struct OpenBox {
    enum class Part { Edit, Ok, Cancel };
    std::vector<Part> parts;
    std::size_t focus = 0;
    bool answered = false;
    bool accepted = false;  // OK, not Cancel
    double answeredAt = 0;  // virtual seconds; the box is hidden then, and goes when its loop returns
    // What a dialog does with the key.
    void dialogKey(DialogKey key, double now);
};

class SimToolkit final : public Toolkit {
public:
    SimToolkit(WindowTree& tree, EventQueue& clock);
    ~SimToolkit() override;

    // Marks a pump of the program (a pause letting events run) for as long as it runs:
    // a key pressed meanwhile is taken from the queue by it, not by the loop below,
    // and reaches a modal box as a dialog's key only if the pump hands it over so.
    class ProgramPump {
    public:
        ProgramPump(SimToolkit& toolkit, bool handsKeysToDialogs) : toolkit_(toolkit) {
            toolkit_.pumps_.push_back(handsKeysToDialogs);
        }
        ~ProgramPump() { toolkit_.pumps_.pop_back(); }
        ProgramPump(const ProgramPump&) = delete;
        ProgramPump& operator=(const ProgramPump&) = delete;

    private:
        SimToolkit& toolkit_;  // not owned
    };

    std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;
    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<PopupMenu> createPopupMenu(Window& owner, const MenuItemSpec& root) override;
    int messageBox(const std::string& text, const std::string& title, unsigned style) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    double screenWidth() override { return screenWidth_; }
    double screenHeight() override { return screenHeight_; }
    bool previousInstanceRunning() override;
    [[noreturn]] void endProgramNow() override;

    // ---- used by the objects it made
    WindowTree& tree() { return tree_; }
    EventQueue& clock() { return clock_; }
    void forgetForm(WindowHandle handle) { forms_.erase(handle); }
    // The window manager: lands the move on whole pixels within the clamp.
    void moveWindow(WindowHandle handle, double left, double top);
    // The program's own move loop for a drag (Window::followPointer).
    void followPointer(WindowHandle handle, MouseButton button);
    void schedulePaint(SimForm& form);
    // Records the popup and answers with the queued choice, if it may be chosen.
    std::optional<std::string> trackPopup(const ShownPopup& shown, const std::vector<std::string>& choosable);
    // The program's process goes: its timers fall silent and its windows are destroyed.
    void processEnds();
    // Our windows that are alive now.
    std::vector<WindowHandle> liveForms() const;

    // ---- the test's side
    SimForm* form(const std::string& name);
    void pressMouse(Control& control, MouseButton button);
    void click(Control& control);
    void userClose(Window& window);
    void type(Control& control, const std::string& text);
    void pressTab();
    void typeKeys(const std::string& text);  // into the focused control, replacing its text
    SimControl* focused();  // the control with the keyboard focus, or null
    // The user's last keyboard or mouse input, in virtual seconds.
    void noteInput() { lastInputAt_ = clock_.now(); }
    double lastInputAt() const { return lastInputAt_; }
    void paint(Window& window);
    void pressKeyInBox(DialogKey key);
    bool boxesStayOpen = false;

    std::vector<ShownMessageBox> messageBoxes;
    std::vector<ShownInputBox> inputBoxes;
    std::deque<std::optional<std::string>> inputAnswers;
    std::vector<ShownPopup> popups;
    std::deque<std::string> popupChoices;
    std::deque<std::pair<double, double>> drags;
    void setScreenSize(double width, double height);
    void clampMoves(double minLeft, double minTop, double maxLeft, double maxTop);
    bool previousInstance = false;
    bool ended = false;

private:
    // Our windows' answer to messages: WM_CLOSE closes with onClose first,
    // WM_NCLBUTTONDOWN on the caption runs the move loop, WM_QUERYENDSESSION says yes
    // and WM_ENDSESSION raises onSessionEnd.
    std::optional<std::intptr_t> formMessage(WindowHandle handle, unsigned message, std::uintptr_t wParam);
    void sessionEnds(WindowHandle handle);
    void close(WindowHandle handle);
    void moveLoop(WindowHandle handle);
    // The user holds the mouse for a while, then the button comes up where the test
    // queued it; a window still following the pointer then moves on with it.
    void userDrags(WindowHandle handle, double movedOnAfterRelease);
    void userActivates(SimControl& control);
    // The control, if the user can reach it now: its window alive and shown, itself
    // enabled and not kept out of reach.
    std::shared_ptr<SimControl> reachable(Control& control);
    // The box's modal loop: events run until the user has answered it.
    void runModal(OpenBox& box);

    // The loops that take input from the queue, innermost last (a modal box's own
    // loop, or a pump of the program): whether each hands a box's keys to the dialog.
    std::vector<bool> pumps_;
    std::vector<OpenBox*> openBoxes_;  // not owned: the boxes whose loops run, innermost last

    WindowTree& tree_;  // not owned: the desktop's
    EventQueue& clock_;  // not owned: the desktop's
    std::shared_ptr<ToolkitLink> link_;  // owned; the objects it made watch it
    std::map<WindowHandle, SimForm*> forms_;  // not owned: the callers' windows, alive or closed
    std::vector<std::weak_ptr<TimerState>> timers_;  // to silence them when the program ends
    double screenWidth_ = 15360, screenHeight_ = 11520;
    struct Clamp {
        double minLeft, minTop, maxLeft, maxTop;
    };
    std::optional<Clamp> clamp_;
    bool thisInstanceRunning_ = false;
    std::optional<MouseButton> held_;  // the button the user holds down, during its press
    WindowHandle active_ = 0;  // the window the user last pressed on
    std::weak_ptr<SimControl> focus_;  // the keyboard focus in it, if a control has it
    double lastInputAt_ = 0;
};

}  // namespace lantern::sim
