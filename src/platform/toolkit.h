#pragma once
// The seam to the toolkit that builds the program's own windows: top-level windows
// with text boxes, labels, buttons, a frame, pictures, a list box and a combo box; a
// repeating timer; a popup menu; the message box and input box; the screen size; the
// previous-instance check; ending the program. Positions and sizes are in twips, as
// the forms are laid out; the backends convert to pixels (15 twips a pixel at 96 DPI).
//
// Objects returned by the toolkit are owned by the caller (unique_ptr). A window that
// the user closes is destroyed by the platform; its object stays valid but reports
// alive() == false and ignores further calls, so owners can notice and create anew.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/registry.h"
#include "platform/window_system.h"

namespace lantern {

enum class ControlKind { Label, TextBox, Button, Frame, Picture, ListBox, ComboBox };
enum class MouseButton { Left, Right, Middle };
enum class Border { None, FixedSingle };

struct Font {
    std::string face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

// A rectangle in twips: left and top in the container's coordinates.
struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
};

// How a control is made; written with designated initialisers, the fields in this
// order: {.kind = ..., .name = "txtIdle", .place = {5280, 2640, 615, 375}, .text = "off"}.
struct ControlSpec {
    ControlKind kind = ControlKind::Label;
    std::string name;  // the form's name for it: "txtIdle", "lblPop", ...
    TwipsRect place;
    std::string text;  // caption of a label, button or frame; text of a box or combo
    int maxLength = 0;  // text boxes: most characters the user may type; 0 = no limit
    bool enabled = true;
    bool transparent = false;  // labels: no background, the picture shows through
    bool whiteBackground = false;
    Font font;
    std::string picture;  // pictures: asset name ("title_bar", "splash")
    std::string container;  // name of the frame that holds it; "" = the window itself
    // False for a control that only keeps the program's state on its window: no key,
    // click or focus change of the user may reach it (no tab stop, never enabled for
    // input), while the program still reads and writes its text and enabled flag.
    bool userReachable = true;
};

class Control {
public:
    virtual ~Control() = default;
    virtual const std::string& name() const = 0;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual std::string fontFace() const = 0;
    virtual void setFontFace(const std::string& face) = 0;
    // List and combo boxes: append one entry; the entries in order.
    virtual void addItem(const std::string& item) = 0;
    virtual std::vector<std::string> items() const = 0;

    // Raised by the backend. onMouseDown for any button pressed on the control;
    // onClick for a completed left click (buttons, labels, pictures).
    std::function<void(MouseButton)> onMouseDown;
    std::function<void()> onClick;
};

struct WindowSpec {
    std::string name;  // "frmMain", ...
    std::string caption;
    double clientWidth = 0, clientHeight = 0;  // twips
    Border border = Border::FixedSingle;
    bool minButton = true;
    bool maxButton = true;
    bool taskbarButton = true;
    bool whiteBackground = true;
    std::string icon;  // asset name of the window icon, "" = the program's
};

class Window {
public:
    virtual ~Window() = default;
    virtual WindowHandle handle() const = 0;
    virtual bool alive() const = 0;

    // Adds a control; the reference stays valid as long as the window object.
    virtual Control& add(const ControlSpec& spec) = 0;
    // The control of that name, or nullptr.
    virtual Control* control(const std::string& name) = 0;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool visible() const = 0;

    // Outer rectangle on the screen, twips.
    virtual double left() const = 0;
    virtual double top() const = 0;
    virtual double width() const = 0;
    virtual double height() const = 0;
    // Moves the outer rectangle. The platform may clamp or round it (whole pixels);
    // read the position back to see where it went.
    virtual void move(double left, double top) = 0;
    // Moves the window with the pointer while `button` stays held, and returns when it
    // comes up (Escape puts the window back where it was). For the buttons that the
    // system's move loop of a caption press does not end on.
    virtual void followPointer(MouseButton button) = 0;

    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;

    // Destroys the window without asking (no onClose).
    virtual void destroy() = 0;

    // The window needs painting (raised on every paint).
    std::function<void()> onPaint;
    // The user or another program closed the window (close box, WM_CLOSE). Runs
    // before the window is destroyed; the window is destroyed after it returns.
    std::function<void()> onClose;
    // The session is ending (log-off, shut-down, WM_ENDSESSION). The platform has
    // already agreed that it may end, and ends the process soon after this returns,
    // or even before it has finished if it takes too long: a few seconds at most.
    // Raised at most once for a window.
    std::function<void()> onSessionEnd;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual unsigned interval() const = 0;  // milliseconds
    virtual void setInterval(unsigned milliseconds) = 0;
    virtual bool enabled() const = 0;
    // Enabling a disabled timer starts a full interval. A tick never runs inside
    // itself: while onTick runs, further ticks of the same timer are skipped.
    virtual void setEnabled(bool enabled) = 0;
    std::function<void()> onTick;
};

// One item of a menu tree. A caption of "-" is a separator.
struct MenuItemSpec {
    std::string name;
    std::string caption;
    std::vector<MenuItemSpec> children;
    bool enabled = true;
};

class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    virtual bool enabled(const std::string& itemName) const = 0;
    virtual void setEnabled(const std::string& itemName, bool enabled) = 0;
    // Shows the popup with its top-left corner at (x, y), twips in `over`'s client
    // coordinates, and tracks it until it closes; then runs onChoose for the chosen
    // item, if any, and returns.
    virtual void popup(Window& over, double x, double y) = 0;
    std::function<void(const std::string& itemName)> onChoose;
};

// Message box styles and answers (MessageBoxA's).
namespace mb {
constexpr unsigned Ok = 0;
constexpr unsigned IconExclamation = 48;
constexpr int IdOk = 1;
}  // namespace mb

class Toolkit {
public:
    virtual ~Toolkit() = default;

    virtual std::unique_ptr<Window> createWindow(const WindowSpec& spec) = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
    // `root`'s children are the popup's entries; `owner` is the (hidden) window
    // that owns the menu.
    virtual std::unique_ptr<PopupMenu> createPopupMenu(Window& owner, const MenuItemSpec& root) = 0;

    // Modal; returns when the user has answered.
    virtual int messageBox(const std::string& text, const std::string& title, unsigned style) = 0;
    // Modal prompt with OK and Cancel; nullopt when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;

    // The whole screen, twips.
    virtual double screenWidth() = 0;
    virtual double screenHeight() = 0;

    // Whether another instance of this program is running (checked once at start-up;
    // the check also marks this instance as running).
    virtual bool previousInstanceRunning() = 0;

    // Ends the program at once: nothing of ours runs after it.
    [[noreturn]] virtual void endProgramNow() = 0;
};

// Everything the core needs from a platform, chosen once in the entry point.
struct Platform {
    WindowSystem& windows;
    Registry& registry;
    EventLoop& events;
    Toolkit& toolkit;
};

}  // namespace lantern
