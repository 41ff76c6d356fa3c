#pragma once
// The simulated desktop: a window tree with classes, captions and sibling order,
// per-window message handlers and a recorder of every message sent; a registry of
// typed values; a virtual clock with an event queue, so that pauses and timers
// advance virtual time and a test that waits a minute runs in microseconds; and a
// headless toolkit for the program's own windows. It implements the four seams of
// platform/ and adds what tests need to set a scene and look at the result.
//
// Everything runs on the caller's thread. "Another process" (the stand-in client)
// is a set of windows whose handlers run synchronously when a message is sent,
// unless the window is hung: then a send waits (in virtual time) for the hang to end
// or for the send timeout, whichever comes first, and fails on a timeout.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/event_queue.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_toolkit.h"
#include "platform/sim/sim_window_system.h"
#include "platform/sim/window_tree.h"
#include "platform/toolkit.h"

namespace lantern::sim {

class Desktop {
public:
    Desktop() = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // ---- the seams
    WindowSystem& windows() { return windows_; }
    Registry& registry() { return registry_; }
    EventLoop& events() { return events_; }
    Toolkit& toolkit() { return toolkit_; }
    Platform platform() { return Platform{windows_, registry_, events_, toolkit_}; }

    // ---- window tree
    // Creates a window as the first (topmost) child of `parent`, or a top-level
    // window when parent is 0. Classes compare without regard to case.
    WindowHandle createWindow(WindowHandle parent, const std::string& className, const std::string& caption = "");
    // Creates it as the last sibling instead (the bottom of the Z order).
    WindowHandle createWindowAtBottom(WindowHandle parent, const std::string& className,
                                      const std::string& caption = "");
    void destroyWindow(WindowHandle window) { tree_.destroy(window); }  // and its children
    bool exists(WindowHandle window) const { return tree_.find(window) != nullptr; }
    void setHandler(WindowHandle window, MessageHandler handler);
    std::string caption(WindowHandle window) const;  // read directly, no message
    void setCaption(WindowHandle window, const std::string& caption);  // no message
    // The window answers WM_GETTEXTLENGTH with `length` whatever its text (a control
    // that miscounts, or a hostile program), while WM_GETTEXT still copies its text.
    void misreportTextLength(WindowHandle window, std::intptr_t length);
    std::string className(WindowHandle window) const;
    WindowHandle parent(WindowHandle window) const;
    std::vector<WindowHandle> children(WindowHandle window) const { return tree_.children(window); }  // sibling order
    void bringToTop(WindowHandle window) { tree_.bringToTop(window); }  // first among its siblings
    bool minimized(WindowHandle window) const;
    bool visible(WindowHandle window) const;  // alive and shown
    int topmostCalls(WindowHandle window) const;  // SetWindowPos(HWND_TOPMOST) seen
    int releaseCaptureCalls() const { return windows_.releaseCaptureCalls(); }

    // The window stops answering for `seconds` of virtual time from now; so do the
    // windows below it, which share its thread. A send to it blocks the sender:
    // time passes, but no event runs meanwhile.
    void hang(WindowHandle window, double seconds) { windows_.hang(window, seconds); }
    // The window's program changed something of `window` that Windows reports to
    // whoever watches it (a standard control's text or scroll bar): see
    // WindowSystem::watchChanges. Programs whose windows report nothing never call it.
    void reportChange(WindowHandle window) { windows_.reportChange(window); }
    // How long a send waits for a hung window before it fails (20 s by default).
    void setSendTimeout(double seconds) { windows_.setSendTimeout(seconds); }

    // ---- message recorder
    const std::vector<RecordedMessage>& messages() const { return windows_.messages; }
    void clearMessages() { windows_.messages.clear(); }
    // The messages sent to one window, in order.
    std::vector<RecordedMessage> messagesTo(WindowHandle window) const;

    // ---- virtual clock and events
    double now() const { return clock_.now(); }  // virtual seconds since the desktop was made
    void setTimeOfDay(double secondsSinceMidnight);  // what timeOfDay() reads now
    // Runs `event` at virtual time now() + delay, from inside an event wait.
    void post(double delay, std::function<void()> event) { clock_.post(delay, std::move(event)); }
    // Lets virtual time pass from the top level, running events and timers as they
    // come due. Catches ProgramEnded.
    void runFor(double seconds);
    // Runs `body` at the top level, catching ProgramEnded; true when the program ended.
    bool run(const std::function<void()>& body);
    bool programEnded() const { return toolkit_.ended; }
    // How many times waitForEvents/doEvents ran (to prove that waits do not spin).
    long eventWaits() const { return events_.waits; }

    // ---- registry, read and set directly
    using Value = RegistryValue;
    std::optional<Value> registryValue(const std::string& path, const std::string& name) const {
        return registry_.value(path, name);
    }
    void setRegistryValue(const std::string& path, const std::string& name, unsigned long type,
                          const std::string& data) {
        registry_.put(path, name, type, data);
    }
    bool keyExists(const std::string& path) const { return registry_.keyExists(path); }
    const std::vector<RegistryWrite>& registryWrites() const { return registry_.writes(); }
    // Every open/create fails while denied (a locked-down profile).
    void denyRegistry(bool denied) { registry_.deny(denied); }

    // ---- the headless toolkit, seen from a test
    // The program's own window by its form name ("frmMain"), alive ones only; or null.
    Window* form(const std::string& name) { return toolkit_.form(name); }
    // The user presses a mouse button on a control / clicks it / closes a window. A
    // press activates the control's window and gives the control the keyboard focus
    // if it takes it (text boxes, buttons, lists). A press that starts a drag holds
    // the button until the drag ends (see queueDrag).
    void pressMouse(Control& control, MouseButton button) { toolkit_.pressMouse(control, button); }
    void click(Control& control) { toolkit_.click(control); }
    void userClose(Window& window) { toolkit_.userClose(window); }  // the close box: onClose, then destroyed
    // The window is uncovered and paints now (shown windows also paint by themselves
    // when the program next lets events run).
    void paint(Window& window) { toolkit_.paint(window); }
    // The user types into a text box or combo box (text replaced, as typed).
    void type(Control& control, const std::string& text) { toolkit_.type(control, text); }
    // The keyboard of the window last pressed on: Tab moves the focus to the next
    // control that is a tab stop, as the dialog manager moves it; typed keys replace
    // the text of the focused box (Ctrl+A, then the text). The focused control, or null.
    void pressTab() { toolkit_.pressTab(); }
    void typeKeys(const std::string& text) { toolkit_.typeKeys(text); }
    const Control* focusedControl() { return toolkit_.focused(); }
    // The user moves the mouse or presses a key somewhere in the session, maybe in
    // another program. Every user action above counts as input too; the program reads
    // the time since the last one through its event seam.
    void userInput() { toolkit_.noteInput(); }

    const std::vector<ShownMessageBox>& messageBoxes() const { return toolkit_.messageBoxes; }
    // Answers for the next input boxes, in order; with none queued an input box is
    // cancelled. While boxes are kept open, the answer is what the user has typed
    // into the box instead (its default text when none is queued).
    void queueInputBoxAnswer(std::optional<std::string> answer) { toolkit_.inputAnswers.push_back(std::move(answer)); }
    const std::vector<ShownInputBox>& inputBoxes() const { return toolkit_.inputBoxes; }
    // From now on each message box and input box stays open, running events as its
    // modal loop does, until the user answers it with keys (by default each one is
    // answered at once). A box left unanswered for an hour of virtual time throws.
    void keepBoxesOpen() { toolkit_.boxesStayOpen = true; }
    // The user presses a key while a modal box is open (it has the keyboard). The key
    // reaches the box as a dialog's key (Enter presses the focused or the default
    // button, Escape cancels, Tab moves the focus) only when the loop that takes it
    // from the queue hands it to the dialog: the box's own loop does, and so must any
    // pump of the program that runs inside it (a pause). Otherwise it goes to the
    // focused control as a plain key, which does nothing. No box open: nothing.
    void pressKeyInBox(DialogKey key) { toolkit_.pressKeyInBox(key); }

    const std::vector<ShownPopup>& popups() const { return toolkit_.popups; }
    // The item the user chooses at the next popup ("" = dismissed).
    void queuePopupChoice(const std::string& itemName) { toolkit_.popupChoices.push_back(itemName); }

    // The screen, twips (15360 by 11520 by default: 1024 by 768 pixels).
    void setScreenSize(double widthTwips, double heightTwips) { toolkit_.setScreenSize(widthTwips, heightTwips); }
    // The next drag releases its button with the window's outer top-left corner at
    // (left, top), twips. The system's move loop (WM_NCLBUTTONDOWN with HTCAPTION on
    // one of our windows) ends there only when the left button began the drag, as on
    // Windows; after a right or middle press the window follows the pointer on, and
    // lands 1500 twips further right and down at the next left click.
    void queueDrag(double left, double top) { toolkit_.drags.emplace_back(left, top); }
    // The window manager: keeps every top-level window within these bounds of its
    // top-left corner (twips); no clamp by default. Moves always land on whole
    // pixels of 15 twips.
    void clampMoves(double minLeft, double minTop, double maxLeft, double maxTop) {
        toolkit_.clampMoves(minLeft, minTop, maxLeft, maxTop);
    }

    void setPreviousInstanceRunning(bool running) { toolkit_.previousInstance = running; }

    // The user logs off or shuts down, as Windows ends a session: every window of the
    // program is asked (WM_QUERYENDSESSION); when all agree, each is told
    // (WM_ENDSESSION with wParam 1), and then the process is ended, whatever the
    // program did or did not do meanwhile. A refusal tells each window the session
    // goes on (wParam 0) instead. The stand-in client stays, so a test can see what
    // reached it. True when the session ended.
    bool endSession();

private:
    // Declared in the order they depend on one another; destroyed in reverse.
    EventQueue clock_;
    WindowTree tree_;
    SimWindowSystem windows_{tree_, clock_};
    SimRegistry registry_;
    SimToolkit toolkit_{tree_, clock_};
    SimEventLoop events_{clock_, toolkit_};
};

}  // namespace lantern::sim
