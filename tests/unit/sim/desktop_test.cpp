// The simulated desktop where the program's tests depend on it answering as the real one does.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/messages.h"
#include "platform/sim/desktop.h"

namespace lantern::sim {
namespace {

class DesktopTest : public ::testing::Test {
protected:
    Desktop desktop;
    WindowSystem& windows = desktop.windows();
    EventLoop& events = desktop.events();
};

// Case and sibling order are checked through the client's finders.
TEST_F(DesktopTest, FindsWholeClassNamesOnlyUnderTheParentAsked) {
    WindowHandle frame = desktop.createWindow(0, "AOL Frame25", "America Online");
    WindowHandle mdi = desktop.createWindow(frame, "MDIClient");
    desktop.createWindow(mdi, "AOL Child", "Lobby");
    struct Case {
        WindowHandle parent, after;
        const char* asked;
        WindowHandle expected;
    } cases[] = {
        {0, 0, "AOL FRAME25", frame}, {0, 0, "AOL Frame2", 0},      {0, 0, "mdiclient", 0},
        {frame, 0, "MDICLIENT", mdi}, {mdi, frame, "aol child", 0},  // after a window that is no child
    };
    for (const Case& c : cases) {
        WindowHandle found = c.parent ? windows.findChild(c.parent, c.after, c.asked) : windows.findWindow(c.asked);
        EXPECT_EQ(found, c.expected) << c.asked << " after " << c.after;
    }
}

TEST_F(DesktopTest, GetTextStaysWithinCapacityAndBuffer) {
    WindowHandle label = desktop.createWindow(0, "_AOL_Static", "Downloading");
    struct Case {
        std::size_t capacity, bufferSize;
        std::string expected;
    } cases[] = {
        {0, 4, "####"},
        {1, 4, "####"},
        {5, 4, "Down"},
        {12, 11, "Downloading"},
        {40, 15, "Downloading####"},  // the rest untouched
        {40, 3, "Dow"},  // the caller's buffer is shorter than it said
    };
    for (const Case& c : cases) {
        std::string buffer(c.bufferSize, '#');
        SendResult result = windows.sendGetText(label, c.capacity, buffer);
        EXPECT_EQ(buffer, c.expected) << "capacity " << c.capacity;
        EXPECT_EQ(result.value, static_cast<std::intptr_t>(std::min(c.expected.find('#'), c.expected.size())));
        EXPECT_EQ(desktop.messages().back().text, c.expected.substr(0, static_cast<std::size_t>(result.value)));
    }
}

TEST_F(DesktopTest, AHungWindowAnswersLateOrTimesOut) {
    WindowHandle frame = desktop.createWindow(0, "AOL Frame25");
    WindowHandle child = desktop.createWindow(frame, "MDIClient");
    desktop.setSendTimeout(20);
    std::vector<double> ran;
    struct Case {
        double hang;
        bool delivered;
        double waited;
    } cases[] = {{5, true, 5}, {20, true, 20}, {30, false, 20}};
    for (const Case& c : cases) {
        desktop.hang(frame, c.hang);
        desktop.post(1, [&] { ran.push_back(desktop.now()); });
        double start = desktop.now();
        EXPECT_EQ(windows.sendSetText(child, "caption").delivered, c.delivered) << c.hang;  // a child shares the hang
        EXPECT_DOUBLE_EQ(desktop.now() - start, c.waited) << c.hang;
        EXPECT_EQ(desktop.messages().back().delivered, c.delivered);
        EXPECT_TRUE(ran.empty());  // the sender is blocked: nothing runs meanwhile
        desktop.runFor(c.hang);
        ran.clear();
    }
}

TEST_F(DesktopTest, ADestroyedWindowFailsAndTakesItsChildren) {
    WindowHandle room = desktop.createWindow(0, "AOL Child", "Lobby");
    WindowHandle input = desktop.createWindow(room, "RICHCNTL", "hi");
    desktop.destroyWindow(room);
    std::string buffer(4, '#');
    EXPECT_FALSE(windows.sendGetText(input, 5, buffer).delivered);
    EXPECT_EQ(buffer, "####");
    EXPECT_EQ(windows.findWindow("aol child"), 0u);
    EXPECT_NE(desktop.createWindow(0, "RICHCNTL"), input);  // handles are never reused
}

TEST_F(DesktopTest, WaitsRunEventsInOrder) {
    std::string log;
    desktop.post(2, [&] { log += "b"; });
    desktop.post(1, [&] {
        log += "a";
        desktop.post(0, [&] { log += "A"; });
    });
    desktop.post(2, [&] { log += "c"; });
    desktop.post(3, [&] { log += "late"; });
    events.waitForEvents(2.5);
    EXPECT_EQ(log, "aAbc");
    EXPECT_DOUBLE_EQ(desktop.now(), 2.5);
    desktop.post(1, [&] { events.waitForEvents(5); });
    events.waitForEvents(2);
    EXPECT_DOUBLE_EQ(desktop.now(), 8.5);  // the nested wait's end, not the outer deadline
    events.waitForEvents(1e-300);  // any wait moves the clock, or a pause re-reading it would never end
    EXPECT_GT(desktop.now(), 8.5);
}

class TimerTest : public DesktopTest {
protected:
    void SetUp() override {
        timer->onTick = [&] { ticks.push_back(desktop.now()); };
        timer->setInterval(1000);
    }
    std::unique_ptr<Timer> timer = desktop.toolkit().createTimer();
    std::vector<double> ticks;
};

TEST_F(TimerTest, EnablingStartsAFullIntervalAndDisablingSilences) {
    timer->setEnabled(true);
    desktop.runFor(2.5);
    timer->setEnabled(false);
    desktop.runFor(10);
    timer->setEnabled(true);  // a full second from 12.5, not from the old rhythm
    desktop.runFor(1.6);
    timer->setEnabled(false);
    timer->setEnabled(true);  // off and on within an interval starts afresh
    desktop.runFor(1.5);
    timer->setInterval(0);
    desktop.runFor(5);
    EXPECT_EQ(ticks, (std::vector<double>{1, 2, 13.5, 15.1}));
    timer->setInterval(500);
    desktop.runFor(0.4);
    timer.reset();  // a tick is queued for 0.1 s from now
    desktop.runFor(5);
    EXPECT_EQ(ticks.size(), 4u);
}

TEST_F(TimerTest, ATickNeverRunsInsideItself) {
    int depth = 0, deepest = 0;
    timer->onTick = [&] {
        ticks.push_back(desktop.now());
        deepest = std::max(deepest, ++depth);
        events.waitForEvents(2.5);  // a handler that pauses past its interval
        --depth;
    };
    timer->setEnabled(true);
    desktop.runFor(7.2);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(ticks, (std::vector<double>{1, 4, 7}));
}

TEST_F(DesktopTest, RegistryQueryBehavesLikeRegQueryValueExA) {
    desktop.setRegistryValue("Software\\vx9\\lanternIdle\\Settings", "asciiCol", reg::Sz, "ff0000");  // no NUL
    RegistryKey key = 0;
    ASSERT_EQ(desktop.registry().openKey("SOFTWARE\\VX9\\lanternidle\\settings", key), reg::Success);
    struct Case {
        bool withBuffer;
        unsigned long size;
        long result;
        std::string bufferAfter;
    } cases[] = {
        {false, 0, reg::Success, "########"},  // the size only
        {true, 5, reg::MoreData, "########"},
        {true, 6, reg::Success, "ff0000##"},
        {true, 8, reg::Success, "ff0000##"},  // no NUL added
    };
    for (const Case& c : cases) {
        std::string buffer(8, '#');
        unsigned long type = 99, size = c.size;
        EXPECT_EQ(desktop.registry().queryValue(key, "ASCIICOL", &type, c.withBuffer ? buffer.data() : nullptr, &size),
                  c.result)
            << c.size;
        EXPECT_EQ(type, reg::Sz);
        EXPECT_EQ(size, 6u) << c.size;
        EXPECT_EQ(buffer, c.bufferAfter) << c.size;
    }
    unsigned long size = 8;
    EXPECT_EQ(desktop.registry().queryValue(key, "other", nullptr, nullptr, &size), reg::FileNotFound);
}

class ToolkitTest : public DesktopTest {
protected:
    std::unique_ptr<Window> bar = desktop.toolkit().createWindow(
        {.name = "frmMain", .clientWidth = 2865, .clientHeight = 480, .border = Border::None});
};

TEST_F(ToolkitTest, MovesLandOnWholePixels) {
    struct Case {
        double left, top, landedLeft, landedTop;
    } cases[] = {{300, 0, 300, 0}, {10, 20, 15, 15}, {-10, 4222.5, -15, 4230}, {7, -7, 0, 0}};
    for (const Case& c : cases) {
        bar->move(c.left, c.top);
        EXPECT_EQ(std::pair(bar->left(), bar->top()), std::pair(c.landedLeft, c.landedTop)) << c.left << ", " << c.top;
    }
}

TEST_F(ToolkitTest, APopupRunsOnlyAnEnabledChoice) {
    MenuItemSpec root;
    root.children = {{"mnuIdle", "&Idle", {{"mnuIdleOn", "&On", {}, true}, {"mnuIdleOff", "O&ff", {}, false}}, true},
                     {"mnuSep", "-", {}, true}};
    auto menu = desktop.toolkit().createPopupMenu(*bar, root);
    std::vector<std::string> chosen;
    menu->onChoose = [&](const std::string& item) { chosen.push_back(item); };
    for (const char* choice : {"mnuIdleOff", "mnuIdle", "mnuSep", "", "mnuIdleOn"}) {
        desktop.queuePopupChoice(choice);
        menu->popup(*bar, 2520, 375);
    }
    menu->setEnabled("mnuIdle", false);  // the submenu shut: its items out of reach
    desktop.queuePopupChoice("mnuIdleOn");
    menu->popup(*bar, 0, 0);
    EXPECT_EQ(chosen, std::vector<std::string>{"mnuIdleOn"});
}

TEST_F(ToolkitTest, TheUserClicksOnlyEnabledControlsOfShownWindows) {
    Control& label = bar->add({.kind = ControlKind::Label, .name = "lblPop"});
    int clicks = 0;
    label.onClick = [&] { ++clicks; };
    desktop.click(label);  // a hidden window
    bar->show();
    desktop.click(label);
    label.setEnabled(false);
    desktop.click(label);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace lantern::sim
