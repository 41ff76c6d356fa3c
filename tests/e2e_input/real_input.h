#pragma once
// The fixture of the input tests: the real programs under Wine, driven by the real
// mouse and keyboard of the X server (through the input agent), and looked at from
// the Windows side (window rectangles, control texts, the settings key, the
// stand-in's log).

#include <initializer_list>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "e2e_input/input_agent.h"

namespace lantern::e2e {

inline const std::string kAppTitle = "lant\xE8rn Idl\xE8 [beta]";
inline constexpr const char* kFormClass = "LanternForm";
inline constexpr const char* kMenuClass = "#32768";
inline constexpr const char* kDialogClass = "#32770";
// Both Windows and Wine give a message box's text the control id 0xFFFF.
inline constexpr int kMessageTextId = 0xFFFF;

// A rectangle on the screen, in pixels, comparable and printable in failures.
struct ScreenRect {
    long left = 0, top = 0, right = 0, bottom = 0;
    long width() const { return right - left; }
    long height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ScreenRect& rect);

ScreenRect rectOf(HWND window);
POINT centreOf(HWND window);
POINT offset(const ScreenRect& rect, long dx, long dy);

class RealInput : public EndToEnd {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the stand-in and the add-on, waits for start-up and clicks the splash
    // picture; the bar is then shown at the top-left corner.
    void startWithBarShown();

    // ---- the real mouse and keyboard. Keys go to the window under the pointer
    // (there is no window manager), so a test types after a click into its target.
    void moveMouse(POINT to);
    void click(POINT at);
    // Presses the left button at `from`, moves in small steps to `to`, releases.
    void drag(POINT from, POINT to);
    // The two halves of a drag: press and move holding the button; move straight on
    // to `to` and release there.
    void pressAndMove(POINT from, POINT to);
    void releaseAt(POINT to);
    // xdotool key names, pressed one after the other ("Return", "shift+Home").
    void pressKeys(std::initializer_list<std::string> keys);
    void typeText(const std::string& text);
    // Clicks into a text box, deletes what it holds and types `text`.
    void replaceText(HWND box, const std::string& text);

    // ---- the add-on's windows
    // The visible top-level windows of that class (and caption, unless null).
    std::vector<HWND> shownWindows(const char* className, const char* caption = nullptr);
    // Waits until such a window is shown; 0 when none came within `seconds`.
    HWND waitForShown(const char* className, const char* caption, double seconds = 10);
    // Waits until `window` is hidden or gone.
    bool waitForGone(HWND window, double seconds = 10);
    // The child of `form` under a point of its client area given in twips.
    HWND childAt(HWND form, double leftTwips, double topTwips);

    // Clicks the arrow of the bar and waits for the popup menu; its window.
    HWND openMenu();
    // Opens the menu and presses an item's accelerator key.
    void chooseFromMenu(std::initializer_list<std::string> keys);

    // Where the X server has the window called `name`: the picture a user sees.
    ScreenRect xGeometry(const std::string& name);

private:
    void xdo(const std::vector<std::string>& arguments);

    InputAgent agent_{InputAgent::addressFromEnvironment()};
    bool buttonDown_ = false;  // a failed drag releases the button in TearDown
};

}  // namespace lantern::e2e
