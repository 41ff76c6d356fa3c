// The headless toolkit: our windows in the window tree, moves landing on whole pixels
// within the window manager's clamp, the move loop, closing, menus, dialogs and the
// user's hand on controls.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "platform/sim/desktop.h"

namespace lantern::sim {
namespace {

class ToolkitTest : public ::testing::Test {
protected:
    Desktop desktop;
    Toolkit& toolkit = desktop.toolkit();

    std::unique_ptr<Window> makeBar() {
        WindowSpec spec;
        spec.name = "frmMain";
        spec.caption = "Idle";
        spec.clientWidth = 2865;
        spec.clientHeight = 480;
        spec.border = Border::None;
        return toolkit.createWindow(spec);
    }
};

TEST_F(ToolkitTest, MovesLandOnWholePixelsWithinTheClamp) {
    auto bar = makeBar();
    struct Case {
        double left, top;
        double landedLeft, landedTop;
    } unclamped[] = {
        {300, 0, 300, 0}, {10, 20, 15, 15}, {-10, 4222.5, -15, 4230}, {7, -7, 0, 0}, {5430, 4215, 5430, 4215},
    };
    for (const auto& c : unclamped) {
        bar->move(c.left, c.top);
        EXPECT_EQ(bar->left(), c.landedLeft) << c.left;
        EXPECT_EQ(bar->top(), c.landedTop) << c.top;
    }
    desktop.clampMoves(-100, 0, 12495, 11040);  // bounds inside, on whole pixels: -90 .. 12495
    Case clamped[] = {{-500, -500, -90, 0}, {20000, 20000, 12495, 11040}, {12490, 5, 12495, 0}};
    for (const auto& c : clamped) {
        bar->move(c.left, c.top);
        EXPECT_EQ(bar->left(), c.landedLeft) << c.left;
        EXPECT_EQ(bar->top(), c.landedTop) << c.top;
    }
    auto trail = desktop.moveTrail(bar->handle());
    ASSERT_EQ(trail.size(), 8u);
    EXPECT_EQ(trail[5], (std::pair<double, double>{-90, 0}));
    EXPECT_EQ(desktop.moveRequests(bar->handle())[2], (std::pair<double, double>{-10, 4222.5}));
}

TEST_F(ToolkitTest, ABorderedWindowIsLargerThanItsClientArea) {
    WindowSpec spec;
    spec.clientWidth = 3000;
    spec.clientHeight = 2000;
    auto framed = toolkit.createWindow(spec);
    auto bare = makeBar();
    EXPECT_EQ(framed->width(), 3000 + 2 * 60);
    EXPECT_EQ(framed->height(), 2000 + 2 * 60 + 270);
    EXPECT_EQ(bare->width(), 2865);
    EXPECT_EQ(bare->height(), 480);
}

TEST_F(ToolkitTest, TheMoveLoopLetsEventsRunThenDropsTheWindowWhereQueued) {
    auto bar = makeBar();
    bar->move(1500, 1500);
    int ticks = 0;
    auto timer = toolkit.createTimer();
    timer->onTick = [&] { ++ticks; };
    timer->setInterval(100);
    timer->setEnabled(true);
    desktop.queueDrag(-510, 3000);
    WindowSystem& windows = desktop.windows();
    EXPECT_TRUE(windows.sendMessage(bar->handle(), msg::NcLButtonDown, kHtCaption, 0).delivered);
    EXPECT_EQ(bar->left(), -510);
    EXPECT_EQ(bar->top(), 3000);
    EXPECT_EQ(ticks, 5);
    // With no drag queued the button is released where the window is.
    windows.sendMessage(bar->handle(), msg::NcLButtonDown, kHtCaption, 0);
    EXPECT_EQ(bar->left(), -510);
    // Another hit-test code is no drag at all.
    desktop.queueDrag(0, 0);
    windows.sendMessage(bar->handle(), msg::NcLButtonDown, 1, 0);
    EXPECT_EQ(bar->left(), -510);
}

TEST_F(ToolkitTest, StateIsTheSameThroughTheWindowAndTheWindowTree) {
    auto bar = makeBar();
    WindowSystem& windows = desktop.windows();
    EXPECT_EQ(windows.findWindow("lanternform"), bar->handle());
    EXPECT_FALSE(desktop.visible(bar->handle()));  // loaded, not shown
    bar->show();
    EXPECT_TRUE(desktop.visible(bar->handle()));
    windows.showWindow(bar->handle(), sw::Hide);
    EXPECT_FALSE(bar->visible());
    windows.sendSetText(bar->handle(), "0:01");
    EXPECT_EQ(bar->caption(), "0:01");
    bar->setCaption("Idle");
    EXPECT_EQ(desktop.caption(bar->handle()), "Idle");
    windows.setTopmost(bar->handle());
    EXPECT_TRUE(desktop.topmost(bar->handle()));
    EXPECT_EQ(desktop.form("frmMain"), bar.get());
}

TEST_F(ToolkitTest, ShownWindowsPaintWhenEventsNextRun) {
    auto bar = makeBar();
    int paints = 0;
    bar->onPaint = [&] { ++paints; };
    bar->show();
    bar->show();  // already shown: one paint
    EXPECT_EQ(paints, 0);
    desktop.events().doEvents();
    EXPECT_EQ(paints, 1);
    bar->hide();
    desktop.paint(*bar);  // a hidden window does not paint
    EXPECT_EQ(paints, 1);
}

TEST_F(ToolkitTest, ClosingRunsOnCloseThenDestroysAndTheObjectStaysUsable) {
    auto bar = makeBar();
    bar->show();
    std::vector<bool> aliveDuringClose;
    bar->onClose = [&] { aliveDuringClose.push_back(bar->alive()); };
    EXPECT_TRUE(desktop.windows().sendMessage(bar->handle(), msg::Close, 0, 0).delivered);
    EXPECT_EQ(aliveDuringClose, std::vector<bool>{true});
    EXPECT_FALSE(bar->alive());
    EXPECT_FALSE(desktop.windows().isWindow(bar->handle()));
    EXPECT_EQ(desktop.form("frmMain"), nullptr);
    bar->show();  // ignored
    bar->move(0, 0);
    EXPECT_FALSE(bar->visible());
    desktop.userClose(*bar);  // closed already: onClose does not run again
    EXPECT_EQ(aliveDuringClose.size(), 1u);

    auto other = makeBar();
    other->onClose = [&] { aliveDuringClose.push_back(false); };
    desktop.userClose(*other);
    EXPECT_EQ(aliveDuringClose.size(), 2u);
    EXPECT_FALSE(other->alive());
    auto dropped = makeBar();
    WindowHandle handle = dropped->handle();
    dropped.reset();  // the owner lets go: the window goes with its object
    EXPECT_FALSE(desktop.windows().isWindow(handle));
}

TEST_F(ToolkitTest, TheUserReachesOnlyEnabledControlsOfShownWindows) {
    auto bar = makeBar();
    ControlSpec spec;
    spec.kind = ControlKind::TextBox;
    spec.name = "txtAsciiColor";
    spec.maxLength = 6;
    Control& box = bar->add(spec);
    spec.kind = ControlKind::Label;
    spec.name = "lblPop";
    Control& label = bar->add(spec);
    std::vector<std::string> seen;
    label.onMouseDown = [&](MouseButton b) { seen.push_back(b == MouseButton::Right ? "right" : "down"); };
    label.onClick = [&] { seen.push_back("click"); };

    desktop.click(label);  // hidden window
    desktop.type(box, "ff0000");
    bar->show();
    desktop.click(label);
    desktop.pressMouse(label, MouseButton::Right);
    label.setEnabled(false);
    desktop.click(label);
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "click", "right"}));
    EXPECT_EQ(box.text(), "");
    desktop.type(box, "ff00001234");
    EXPECT_EQ(box.text(), "ff0000");  // the box takes no more than its length
    box.setText("longer than six");   // the program itself is not limited
    EXPECT_EQ(box.text(), "longer than six");
    EXPECT_EQ(bar->control("lblPop"), &label);
}

TEST_F(ToolkitTest, APopupRecordsItsItemsAndRunsOnlyAnEnabledChoice) {
    auto owner = makeBar();
    MenuItemSpec root;
    root.children = {{"mnuOptsIdle", "&Idle", {{"mnuOptsIdleOn", "&On", {}, true}, {"mnuOptsIdleOff", "O&ff", {}, false}}, true},
                     {"mnuSep", "-", {}, true},
                     {"mnuExit", "&Exit", {}, true}};
    auto menu = toolkit.createPopupMenu(*owner, root);
    std::vector<std::string> chosen;
    menu->onChoose = [&](const std::string& item) { chosen.push_back(item); };
    for (const char* choice : {"mnuOptsIdleOff", "mnuOptsIdle", "mnuSep", "", "mnuOptsIdleOn"}) {
        desktop.queuePopupChoice(choice);
        menu->popup(*owner, 2520, 375);
    }
    menu->setEnabled("mnuOptsIdle", false);  // the submenu shut: its items out of reach
    desktop.queuePopupChoice("mnuOptsIdleOn");
    menu->popup(*owner, 0, 0);
    menu->popup(*owner, 0, 0);  // nothing queued: dismissed
    EXPECT_EQ(chosen, std::vector<std::string>{"mnuOptsIdleOn"});
    ASSERT_EQ(desktop.popups().size(), 7u);
    const ShownPopup& first = desktop.popups()[0];
    EXPECT_EQ(first.over, owner->handle());
    EXPECT_EQ(first.x, 2520);
    EXPECT_EQ(first.y, 375);
    EXPECT_EQ(first.enabled, (std::map<std::string, bool>{{"mnuOptsIdle", true},
                                                           {"mnuOptsIdleOn", true},
                                                           {"mnuOptsIdleOff", false},
                                                           {"mnuSep", true},
                                                           {"mnuExit", true}}));
}

TEST_F(ToolkitTest, DialogsAnswerFromTheQueueAndOnlyTheFirstInstanceRunsAlone) {
    EXPECT_EQ(toolkit.messageBox("text", "title", mb::IconExclamation), mb::IdOk);
    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    EXPECT_EQ(desktop.messageBoxes()[0].style, mb::IconExclamation);
    desktop.queueInputBoxAnswer("Napping");
    desktop.queueInputBoxAnswer(std::nullopt);
    EXPECT_EQ(toolkit.inputBox("Enter reason:", "t", ""), std::optional<std::string>("Napping"));
    EXPECT_EQ(toolkit.inputBox("again", "t", ""), std::nullopt);
    EXPECT_EQ(toolkit.inputBox("nothing queued", "t", ""), std::nullopt);
    EXPECT_EQ(desktop.inputBoxPrompts(), (std::vector<std::string>{"Enter reason:", "again", "nothing queued"}));

    EXPECT_FALSE(toolkit.previousInstanceRunning());
    EXPECT_TRUE(toolkit.previousInstanceRunning());  // a second start while the first runs
    desktop.run([&] { toolkit.endProgramNow(); });
    EXPECT_FALSE(toolkit.previousInstanceRunning());
    Desktop other;
    other.setPreviousInstanceRunning(true);
    EXPECT_TRUE(other.toolkit().previousInstanceRunning());
}

}  // namespace
}  // namespace lantern::sim
