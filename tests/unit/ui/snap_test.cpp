// Edge snapping after a drag. The rules are checked on a window that moves exactly
// where it is told (no pixel grid), so that "exactly 400 twips from an edge" can be
// set up; dragging itself, the pixel grid and a clamping window manager are checked
// on the simulated desktop's own windows.

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/edge_snap.h"
#include "ui_scene.h"

namespace lantern {
namespace {

constexpr double kBarWidth = 2865, kBarHeight = 480;

using Trail = std::vector<std::pair<double, double>>;

// A window that lands exactly where it is moved, unless a window manager's bounds
// clamp it; it records every position it lands on.
class ExactWindow : public Window {
public:
    ExactWindow(double left, double top) : left_(left), top_(top) {}

    struct Bounds {
        double minLeft, minTop, maxLeft, maxTop;
    };
    std::optional<Bounds> clamp;
    Trail trail;

    void move(double left, double top) override {
        if (clamp) {
            left = std::clamp(left, clamp->minLeft, clamp->maxLeft);
            top = std::clamp(top, clamp->minTop, clamp->maxTop);
        }
        left_ = left;
        top_ = top;
        trail.emplace_back(left, top);
    }
    double left() const override { return left_; }
    double top() const override { return top_; }
    double width() const override { return kBarWidth; }
    double height() const override { return kBarHeight; }
    bool alive() const override { return true; }

    WindowHandle handle() const override { return 0; }
    Control& add(const ControlSpec&) override { throw std::logic_error("no controls here"); }
    Control* control(const std::string&) override { return nullptr; }
    void show() override {}
    void hide() override {}
    bool visible() const override { return true; }
    std::string caption() const override { return {}; }
    void setCaption(const std::string&) override {}
    void destroy() override {}

private:
    double left_, top_;
};

struct SnapCase {
    const char* what;
    double screenWidth, screenHeight;
    double dropLeft, dropTop;
    double endLeft, endTop;
    std::size_t moves;  // glide steps and final settings together
};

// The screen of 15360 by 11520 twips unless a case says otherwise.
const SnapCase kSnaps[] = {
    {"300 from the left edge glides to it", 15360, 11520, 300, 3000, 0, 3000, 31},
    {"exactly 400 from the left edge stays", 15360, 11520, 400, 3000, 400, 3000, 0},
    {"exactly 400 from the top edge stays", 15360, 11520, 3000, 400, 3000, 400, 0},
    {"exactly 400 from the right edge stays", 15360, 11520, 15360 - kBarWidth - 400, 3000,
     15360 - kBarWidth - 400, 3000, 0},
    {"exactly 400 from the bottom edge stays", 15360, 11520, 3000, 11520 - kBarHeight - 400, 3000,
     11520 - kBarHeight - 400, 0},
    // Back to 0 in 50 steps, then one step away and back for being near the edge.
    {"hanging 500 over the left edge", 15360, 11520, -500, 3000, 0, 3000, 53},
    {"hanging 700 over the top edge", 15360, 11520, 3000, -700, 3000, 0, 73},
    {"right edge 200 short of the screen's", 15360, 11520, 15360 - kBarWidth - 200, 3000, 15360 - kBarWidth, 3000,
     21},
    {"hanging over the right edge", 15360, 11520, 14000, 3000, 15360 - kBarWidth, 3000, 154},
    {"dropped below the bottom edge", 15360, 11520, 6000, 11640, 6000, 11520 - kBarHeight, 63},
    {"exactly at the top-left corner", 15360, 11520, 0, 0, 0, 0, 4},
    // Near both edges: left first, then right, which wins.
    {"near both sides of a narrow screen", 3200, 11520, 150, 3000, 3200 - kBarWidth, 3000, 51},
    {"near top and bottom of a flat screen", 15360, 850, 3000, 100, 3000, 850 - kBarHeight, 49},
};

class Snapping : public UiScene {
protected:
    // The bar is shown (the user can only reach a window that is up).
    Snapping() { form("frmMain").show(); }

    Trail snap(ExactWindow& window, double screenWidth, double screenHeight) {
        desktop.setScreenSize(screenWidth, screenHeight);
        snapToEdges(window, desktop.toolkit(), events);
        return window.trail;
    }
};

TEST_F(Snapping, EachRuleInOrderWithStrictTests) {
    for (const SnapCase& c : kSnaps) {
        SCOPED_TRACE(c.what);
        ExactWindow window(c.dropLeft, c.dropTop);
        const Trail trail = snap(window, c.screenWidth, c.screenHeight);
        EXPECT_EQ(window.left(), c.endLeft);
        EXPECT_EQ(window.top(), c.endTop);
        EXPECT_EQ(trail.size(), c.moves);
    }
}

TEST_F(Snapping, GlidesInStepsOfTenThatLetEventsRun) {
    int eventsRan = 0;
    for (int i = 0; i < 40; ++i) desktop.post(0, [&] { ++eventsRan; });
    ExactWindow window(300, 3000);
    const Trail trail = snap(window, 15360, 11520);
    ASSERT_EQ(trail.size(), 31u);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(trail[i], std::make_pair(290.0 - 10.0 * static_cast<double>(i), 3000.0)) << "step " << i;
    }
    EXPECT_EQ(eventsRan, 40);
}

TEST_F(Snapping, AtTheCornerOneStepAwayAndBackPerRule) {
    ExactWindow window(0, 0);
    EXPECT_EQ(snap(window, 15360, 11520), (Trail{{-10, 0}, {0, 0}, {0, -10}, {0, 0}}));
}

// A window manager that keeps the window off a strip of the screen (a docked task
// bar) refuses the last steps of a glide; the glide must still end.
TEST_F(Snapping, EveryGlideEndsWhenTheWindowManagerRefusesMoves) {
    struct ClampCase {
        const char* what;
        ExactWindow::Bounds bounds;
        double dropLeft, dropTop, endLeft, endTop;
    };
    const ClampCase cases[] = {
        {"task bar on the left", {150, 0, 15360 - kBarWidth, 11520 - kBarHeight}, 300, 3000, 150, 3000},
        {"task bar on the right", {0, 0, 15360 - kBarWidth - 150, 11520 - kBarHeight}, 12295, 3000,
         15360 - kBarWidth - 150, 3000},
        {"task bar at the top", {0, 150, 15360 - kBarWidth, 11520 - kBarHeight}, 3000, 300, 3000, 150},
        {"task bar at the bottom", {0, 0, 15360 - kBarWidth, 11520 - kBarHeight - 150}, 3000, 10800, 3000,
         11520 - kBarHeight - 150},
        {"nothing off the screen, at the corner", {0, 0, 15360 - kBarWidth, 11520 - kBarHeight}, 0, 0, 0, 0},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExactWindow window(c.dropLeft, c.dropTop);
        window.clamp = c.bounds;
        snap(window, 15360, 11520);
        EXPECT_EQ(window.left(), c.endLeft);
        EXPECT_EQ(window.top(), c.endTop);
        EXPECT_LT(window.trail.size(), 100u);
    }
}

// ---- dragging the real bar on the simulated desktop

TEST_F(Snapping, AnyMouseButtonDragsThroughTheSystemMoveLoopThenSnaps) {
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        SCOPED_TRACE(static_cast<int>(button));
        Window& bar = form("frmMain");
        bar.move(6000, 6000);
        desktop.clearMessages();
        desktop.queueDrag(300, 3000);
        desktop.pressMouse(control("frmMain", "lblMove"), button);

        const std::vector<sim::RecordedMessage> sent = desktop.messagesTo(bar.handle());
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].message, msg::NcLButtonDown);
        EXPECT_EQ(sent[0].wParam, kHtCaption);
        EXPECT_EQ(bar.left(), 0);
        EXPECT_EQ(bar.top(), 3000);
    }
}

TEST_F(Snapping, OnThePixelGridTheCornerStillStepsAwayAndBack) {
    Window& bar = form("frmMain");
    desktop.queueDrag(0, 0);
    desktop.pressMouse(control("frmMain", "lblMove"), MouseButton::Left);

    const Trail trail = desktop.moveTrail(bar.handle());
    ASSERT_GE(trail.size(), 4u);
    const Trail last(trail.end() - 4, trail.end());
    EXPECT_LT(last[0].first, 0);
    EXPECT_EQ(last[0].second, 0);
    EXPECT_EQ(last[1], std::make_pair(0.0, 0.0));
    EXPECT_EQ(last[2].first, 0);
    EXPECT_LT(last[2].second, 0);
    EXPECT_EQ(last[3], std::make_pair(0.0, 0.0));
}

TEST_F(Snapping, ClampedMovesOnTheDesktopEndTheSnap) {
    desktop.clampMoves(150, 0, 15360 - kBarWidth, 11520 - kBarHeight);
    desktop.queueDrag(300, 3000);
    desktop.pressMouse(control("frmMain", "lblMove"), MouseButton::Left);
    EXPECT_EQ(form("frmMain").left(), 150);
    EXPECT_EQ(form("frmMain").top(), 3000);
}

}  // namespace
}  // namespace lantern
