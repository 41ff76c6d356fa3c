// Edge snapping after a drag. The rules run on a window that lands exactly where it
// is moved, so that "exactly 400 twips from an edge" can be set up; dragging, the
// pixel grid and a clamping window manager run on the simulated desktop.

#include <stdexcept>

#include "ui/edge_snap.h"
#include "ui_scene.h"

namespace lantern {
namespace {

constexpr double kW = 2865, kH = 480;  // the bar's outer size
using Trail = std::vector<std::pair<double, double>>;

class ExactWindow : public Window {
public:
    ExactWindow(double left, double top) : left_(left), top_(top) {}
    Trail trail;
    void move(double left, double top) override {
        left_ = left;
        top_ = top;
        trail.emplace_back(left, top);
    }
    double left() const override { return left_; }
    double top() const override { return top_; }
    double width() const override { return kW; }
    double height() const override { return kH; }
    bool alive() const override { return true; }
    WindowHandle handle() const override { return 0; }
    Control& add(const ControlSpec&) override { throw std::logic_error("no controls"); }
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

class Snapping : public UiScene {
protected:
    Snapping() { form("frmMain").show(); }  // the user reaches only a shown window

    void drag(MouseButton button = MouseButton::Left) { desktop.pressMouse(control("frmMain", "lblMove"), button); }
};

TEST_F(Snapping, EachRuleInOrderWithStrictTests) {
    struct Case {
        const char* what;
        double screenWidth, screenHeight, dropLeft, dropTop, endLeft, endTop;
        std::size_t moves;  // glide steps and final settings together
    };
    const Case cases[] = {
        {"300 from the left", 15360, 11520, 300, 3000, 0, 3000, 31},
        {"exactly 400 from the left", 15360, 11520, 400, 3000, 400, 3000, 0},
        {"exactly 400 from the top", 15360, 11520, 3000, 400, 3000, 400, 0},
        {"exactly 400 from the right", 15360, 11520, 15360 - kW - 400, 3000, 15360 - kW - 400, 3000, 0},
        {"exactly 400 from the bottom", 15360, 11520, 3000, 11520 - kH - 400, 3000, 11520 - kH - 400, 0},
        // Back to 0 in 50 steps, then a step away and back for being near the edge.
        {"500 over the left edge", 15360, 11520, -500, 3000, 0, 3000, 53},
        {"right edge 200 short", 15360, 11520, 15360 - kW - 200, 3000, 15360 - kW, 3000, 21},
        {"over the right edge", 15360, 11520, 14000, 3000, 15360 - kW, 3000, 154},
        {"below the bottom edge", 15360, 11520, 6000, 11640, 6000, 11520 - kH, 63},
        {"at the top-left corner", 15360, 11520, 0, 0, 0, 0, 4},
        {"near both sides of a narrow screen", 3200, 11520, 150, 3000, 3200 - kW, 3000, 51},
        {"near top and bottom of a flat screen", 15360, 850, 3000, 100, 3000, 850 - kH, 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.setScreenSize(c.screenWidth, c.screenHeight);
        ExactWindow window(c.dropLeft, c.dropTop);
        snapToEdges(window, desktop.toolkit(), events);
        EXPECT_EQ(window.left(), c.endLeft);
        EXPECT_EQ(window.top(), c.endTop);
        EXPECT_EQ(window.trail.size(), c.moves);
    }
}

TEST_F(Snapping, AnyMouseButtonDragsThroughTheSystemMoveLoop) {
    Window& bar = form("frmMain");
    for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        bar.move(6000, 6000);
        desktop.clearMessages();
        desktop.queueDrag(300, 3000);
        drag(button);
        const std::vector<sim::RecordedMessage> sent = desktop.messagesTo(bar.handle());
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].message, msg::NcLButtonDown);
        EXPECT_EQ(sent[0].wParam, kHtCaption);
        EXPECT_EQ(std::make_pair(bar.left(), bar.top()), std::make_pair(0.0, 3000.0));
    }
}

TEST_F(Snapping, AtTheCornerOneStepAwayAndBackPerRule) {
    desktop.queueDrag(0, 0);
    drag();
    const Trail trail = desktop.moveTrail(form("frmMain").handle());
    ASSERT_GE(trail.size(), 4u);
    const Trail last(trail.end() - 4, trail.end());
    EXPECT_TRUE(last[0].first < 0 && last[0].second == 0);
    EXPECT_EQ(last[1], std::make_pair(0.0, 0.0));
    EXPECT_TRUE(last[2].first == 0 && last[2].second < 0);
    EXPECT_EQ(last[3], std::make_pair(0.0, 0.0));
}

// A docked task bar keeps the window off a strip: the last steps of a glide are
// refused, and the glide must still end (else the step limit of the scene trips).
TEST_F(Snapping, EveryGlideEndsWhenTheWindowManagerRefusesMoves) {
    struct Case {
        double minLeft, minTop, maxLeft, maxTop, dropLeft, dropTop, endLeft, endTop;
    };
    const Case cases[] = {
        {150, 0, 15360 - kW, 11520 - kH, 300, 3000, 150, 3000},
        {0, 0, 15360 - kW - 150, 11520 - kH, 12300, 3000, 15360 - kW - 150, 3000},
    };
    for (const Case& c : cases) {
        desktop.clampMoves(c.minLeft, c.minTop, c.maxLeft, c.maxTop);
        desktop.queueDrag(c.dropLeft, c.dropTop);
        drag();
        EXPECT_EQ(form("frmMain").left(), c.endLeft);
        EXPECT_EQ(form("frmMain").top(), c.endTop);
    }
}

}  // namespace
}  // namespace lantern
