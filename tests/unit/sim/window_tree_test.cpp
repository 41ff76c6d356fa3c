// The window tree as the client code walks it: class lookups without regard to case,
// sibling order, and handles of windows that have gone.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "platform/sim/desktop.h"

namespace lantern::sim {
namespace {

class WindowTreeTest : public ::testing::Test {
protected:
    Desktop desktop;
    WindowSystem& windows = desktop.windows();
};

TEST_F(WindowTreeTest, FindsByClassWithoutRegardToCase) {
    WindowHandle frame = desktop.createWindow(0, "AOL Frame25", "America Online");
    WindowHandle mdi = desktop.createWindow(frame, "MDIClient");
    struct Case {
        const char* asked;
        WindowHandle parent;
        WindowHandle expected;
    } cases[] = {
        {"aol frame25", 0, frame}, {"AOL FRAME25", 0, frame}, {"AOL Frame2", 0, 0},
        {"mdiclient", frame, mdi}, {"MDICLIENT", frame, mdi},  {"mdiclient", 0, 0},
    };
    for (const auto& c : cases) {
        WindowHandle found = c.parent ? windows.findChild(c.parent, 0, c.asked) : windows.findWindow(c.asked);
        EXPECT_EQ(found, c.expected) << c.asked;
    }
}

TEST_F(WindowTreeTest, NewWindowsGoOnTopUnlessAskedForTheBottom) {
    WindowHandle mdi = desktop.createWindow(0, "MDIClient");
    WindowHandle first = desktop.createWindow(mdi, "AOL Child", "first");
    WindowHandle second = desktop.createWindow(mdi, "AOL Child", "second");
    WindowHandle bottom = desktop.createWindowAtBottom(mdi, "AOL Child", "bottom");
    EXPECT_EQ(desktop.children(mdi), (std::vector<WindowHandle>{second, first, bottom}));

    // The walk the client code does: GW_HWNDFIRST, then GW_HWNDNEXT to the end.
    std::vector<WindowHandle> walked;
    for (WindowHandle w = windows.getWindow(bottom, gw::First); w; w = windows.getWindow(w, gw::Next)) {
        walked.push_back(w);
    }
    EXPECT_EQ(walked, desktop.children(mdi));

    desktop.bringToTop(bottom);
    EXPECT_EQ(windows.findChild(mdi, 0, "aol child"), bottom);
    EXPECT_EQ(windows.findChild(mdi, bottom, "aol child"), second);
    EXPECT_EQ(windows.findChild(mdi, first, "aol child"), 0u);
}

TEST_F(WindowTreeTest, FindChildSkipsOtherClassesAndRefusesAStranger) {
    WindowHandle room = desktop.createWindow(0, "AOL Child");
    WindowHandle input = desktop.createWindow(room, "RICHCNTL");
    WindowHandle transcript = desktop.createWindow(room, "RICHCNTLREADONLY");
    WindowHandle label = desktop.createWindow(room, "_AOL_Static");
    WindowHandle elsewhere = desktop.createWindow(0, "RICHCNTL");
    EXPECT_EQ(windows.findChild(room, 0, "richcntl"), input);
    EXPECT_EQ(windows.findChild(room, label, "richcntlreadonly"), transcript);
    EXPECT_EQ(windows.findChild(room, elsewhere, "richcntl"), 0u);
}

TEST_F(WindowTreeTest, ADestroyedWindowFailsEverywhereAndTakesItsChildren) {
    WindowHandle room = desktop.createWindow(0, "AOL Child", "Lobby");
    WindowHandle input = desktop.createWindow(room, "RICHCNTL", "hi");
    WindowHandle next = desktop.createWindowAtBottom(0, "AOL Child", "other");
    desktop.destroyWindow(room);

    EXPECT_FALSE(windows.isWindow(room));
    EXPECT_FALSE(windows.isWindow(input));
    EXPECT_EQ(windows.findWindow("aol child"), next);
    EXPECT_EQ(windows.getWindow(room, gw::Next), 0u);
    EXPECT_EQ(windows.findChild(room, 0, "richcntl"), 0u);
    EXPECT_FALSE(windows.showWindow(input, sw::Minimize));
    EXPECT_FALSE(windows.setTopmost(room));

    std::string buffer(10, '#');
    SendResult results[] = {windows.sendMessage(input, msg::Char, kVkReturn, 0),
                            windows.sendSetText(input, "x"), windows.sendGetText(input, 11, buffer)};
    for (const auto& result : results) EXPECT_FALSE(result.delivered);
    EXPECT_EQ(buffer, std::string(10, '#'));
    ASSERT_EQ(desktop.messages().size(), 3u);
    for (const auto& m : desktop.messages()) {
        EXPECT_FALSE(m.delivered);
        EXPECT_EQ(m.windowClass, "RICHCNTL");  // still named in the record
    }
    // A window created afterwards never takes a dead window's handle.
    EXPECT_NE(desktop.createWindow(0, "RICHCNTL"), input);
}

TEST_F(WindowTreeTest, ShowWindowAndTopmostAreRecordedOnTheWindow) {
    WindowHandle transfer = desktop.createWindowAtBottom(0, "AOL Child", "File Transfer");
    WindowHandle other = desktop.createWindow(0, "AOL Child");
    EXPECT_TRUE(windows.showWindow(transfer, sw::Minimize));
    EXPECT_TRUE(desktop.minimized(transfer));
    EXPECT_FALSE(desktop.minimized(other));
    EXPECT_TRUE(windows.showWindow(transfer, sw::Hide));
    EXPECT_FALSE(desktop.visible(transfer));

    EXPECT_TRUE(windows.setTopmost(transfer));
    EXPECT_TRUE(windows.setTopmost(transfer));
    EXPECT_TRUE(desktop.topmost(transfer));
    EXPECT_FALSE(desktop.topmost(other));
    EXPECT_EQ(desktop.topmostCalls(transfer), 2);
    EXPECT_EQ(desktop.children(0).front(), transfer);  // raised above the others
}

}  // namespace
}  // namespace lantern::sim
