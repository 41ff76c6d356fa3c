#include "e2e_input/real_input.h"

#include <cstdlib>
#include <ostream>
#include <sstream>

namespace lantern::e2e {
namespace {

// Far from every window of both programs, so that no hover opens or lights anything.
constexpr POINT kRestingPlace{1000, 750};
// The splash picture, and the bar's arrow (the hot spot lies at x 168..185, y 8..25).
constexpr long kSplashWidth = 300, kSplashHeight = 205;
constexpr POINT kArrowInBar{176, 16};
// At 96 dots per inch, the only DPI these tests run at.
constexpr double kTwipsPerPixel = 15;
// Steps of a drag: the move loop follows pointer motions, not jumps.
constexpr int kDragSteps = 8;

std::string number(long value) { return std::to_string(value); }

}  // namespace

std::ostream& operator<<(std::ostream& out, const ScreenRect& rect) {
    return out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

ScreenRect rectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

POINT centreOf(HWND window) {
    const ScreenRect rect = rectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT offset(const ScreenRect& rect, long dx, long dy) { return {rect.left + dx, rect.top + dy}; }

// ---- the fixture

void RealInput::SetUp() {
    EndToEnd::SetUp();
    if (HasFatalFailure()) return;
    const AgentAnswer answer = agent_.xdotool({"getmouselocation"});
    ASSERT_TRUE(answer.ok()) << "the input agent cannot drive the X server: " << answer.output;
    moveMouse(kRestingPlace);
}

void RealInput::TearDown() {
    if (buttonDown_) agent_.xdotool({"mouseup", "1"});
    if (HasFailure()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = std::string(test->test_suite_name()) + "." + test->name();
        if (agent_.screenshot(name).ok()) std::printf("screen kept as %s.png\n", name.c_str());
    }
    EndToEnd::TearDown();
}

void RealInput::startWithBarShown() {
    startStandin();
    if (HasFatalFailure()) return;
    startAddOn();
    ASSERT_NE(mainWindow(), nullptr);
    waitForStartUp();
    if (HasFatalFailure()) return;
    ASSERT_FALSE(IsWindowVisible(mainWindow())) << "the bar was shown before the splash was clicked";

    HWND splash = nullptr;
    waitUntil(
        [&] {
            for (HWND window : shownWindows(kFormClass)) {
                const ScreenRect rect = rectOf(window);
                if (rect.width() == kSplashWidth && rect.height() == kSplashHeight) splash = window;
            }
            return splash != nullptr;
        },
        10);
    ASSERT_NE(splash, nullptr) << "no splash of 300 by 205 pixels is shown";
    click(centreOf(splash));
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(mainWindow()) != FALSE; }, 10))
        << "clicking the splash did not show the bar";
    EXPECT_TRUE(waitForGone(splash)) << "the splash stayed after the click";
}

// ---- the real mouse and keyboard

void RealInput::xdo(const std::vector<std::string>& arguments) {
    const AgentAnswer answer = agent_.xdotool(arguments);
    std::string line;
    for (const std::string& argument : arguments) line += " " + argument;
    ASSERT_TRUE(answer.ok()) << "xdotool" << line << " failed (" << answer.exitCode << "): " << answer.output;
}

void RealInput::moveMouse(POINT to) { xdo({"mousemove", number(to.x), number(to.y)}); }

void RealInput::click(POINT at) {
    moveMouse(at);
    xdo({"click", "1"});
}

void RealInput::drag(POINT from, POINT to) {
    pressAndMove(from, to);
    sleepSeconds(0.3);  // the loop catches up with the last motion before the release
    releaseAt(to);
}

void RealInput::pressAndMove(POINT from, POINT to) {
    moveMouse(from);
    xdo({"mousedown", "1"});
    buttonDown_ = true;
    sleepSeconds(0.3);  // the press starts the move loop
    for (int step = 1; step <= kDragSteps; ++step) {
        moveMouse({from.x + (to.x - from.x) * step / kDragSteps, from.y + (to.y - from.y) * step / kDragSteps});
        sleepSeconds(0.05);
    }
}

void RealInput::releaseAt(POINT to) {
    moveMouse(to);
    xdo({"mouseup", "1"});
    buttonDown_ = false;
}

void RealInput::pressKeys(std::initializer_list<std::string> keys) {
    for (const std::string& key : keys) {
        xdo({"key", key});
        sleepSeconds(0.2);  // a menu opens its submenu between two keys
    }
}

void RealInput::typeText(const std::string& text) { xdo({"type", "--delay", "40", text}); }

void RealInput::replaceText(HWND box, const std::string& text) {
    // Near the top: a combo box's rectangle may take in its dropped list.
    click(offset(rectOf(box), 20, 10));
    pressKeys({"End", "shift+Home", "BackSpace"});
    typeText(text);
}

// ---- the add-on's windows

std::vector<HWND> RealInput::shownWindows(const char* className, const char* caption) {
    std::vector<HWND> shown;
    for (HWND window : topLevelWindows(className, addOn().id())) {
        if (IsWindowVisible(window) && (!caption || e2e::caption(window) == caption)) shown.push_back(window);
    }
    return shown;
}

HWND RealInput::waitForShown(const char* className, const char* caption, double seconds) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            const std::vector<HWND> shown = shownWindows(className, caption);
            found = shown.empty() ? nullptr : shown.front();
            return found != nullptr;
        },
        seconds);
    return found;
}

bool RealInput::waitForGone(HWND window, double seconds) {
    // Under Wine without a window manager, hiding a captioned window takes about two
    // seconds (Wine waits for a withdrawal that no manager confirms).
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, seconds);
}

HWND RealInput::childAt(HWND form, double leftTwips, double topTwips) {
    const POINT at{static_cast<long>(leftTwips / kTwipsPerPixel), static_cast<long>(topTwips / kTwipsPerPixel)};
    HWND child = ChildWindowFromPointEx(form, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child == form ? nullptr : child;
}

HWND RealInput::openMenu() {
    click(offset(rectOf(mainWindow()), kArrowInBar.x, kArrowInBar.y));
    return waitForShown(kMenuClass, nullptr);
}

void RealInput::chooseFromMenu(std::initializer_list<std::string> keys) {
    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
    pressKeys(keys);
}

ScreenRect RealInput::xGeometry(const std::string& name) {
    const AgentAnswer answer =
        agent_.xdotool({"search", "--onlyvisible", "--name", "^" + name + "$", "getwindowgeometry", "--shell"});
    EXPECT_TRUE(answer.ok()) << "no visible X window is called " << name << ": " << answer.output;
    // "WINDOW=..\nX=..\nY=..\nWIDTH=..\nHEIGHT=..\nSCREEN=.." (newlines arrive as \n)
    auto value = [&](const std::string& key) {
        const std::size_t at = answer.output.find(key + "=");
        return at == std::string::npos ? -1L : std::atol(answer.output.c_str() + at + key.size() + 1);
    };
    const long x = value("X"), y = value("Y");
    return {x, y, x + value("WIDTH"), y + value("HEIGHT")};
}

}  // namespace lantern::e2e
