// The bar under the real mouse: the splash's click, dragging with edge snapping, and
// where the arrow opens the menu.

#include "e2e_input/real_input.h"

namespace lantern::e2e {
namespace {

using Bar = RealInput;

constexpr long kBarWidth = 191, kBarHeight = 32;
// A point of the drag area, away from the arrow.
constexpr POINT kGrip{60, 16};

ScreenRect barAt(long left, long top) { return {left, top, left + kBarWidth, top + kBarHeight}; }

TEST_F(Bar, ClickingTheSplashShowsTheBarAtTheTopLeftCorner) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    EXPECT_EQ(rectOf(mainWindow()), barAt(0, 0));
    EXPECT_EQ(xGeometry("Idle"), barAt(0, 0)) << "the X server shows the bar elsewhere";
}

TEST_F(Bar, ADropNearAnEdgeGlidesFlushAndOneFarFromEveryEdgeStays) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    const long screenWidth = GetSystemMetrics(SM_CXSCREEN);
    struct Drop {
        const char* what;
        long left, top;    // where the drop leaves the bar
        ScreenRect ends;   // where it is once the snap is over
    };
    const Drop drops[] = {
        {"10 pixels from the left edge", 10, 200, barAt(0, 200)},
        {"100 pixels from the left edge", 100, 200, barAt(100, 200)},
        {"half over the left edge", -50, 300, barAt(0, 300)},
        {"10 pixels from the right edge", screenWidth - kBarWidth - 10, 300, barAt(screenWidth - kBarWidth, 300)},
        {"20 pixels below the top edge", 400, 20, barAt(400, 0)},
    };
    for (const Drop& drop : drops) {
        SCOPED_TRACE(drop.what);
        const ScreenRect before = rectOf(mainWindow());
        const POINT grip = offset(before, kGrip.x, kGrip.y);
        ASSERT_NO_FATAL_FAILURE(drag(grip, {grip.x + drop.left - before.left, grip.y + drop.top - before.top}));
        EXPECT_TRUE(waitUntil([&] { return rectOf(mainWindow()) == drop.ends; }, 10))
            << "the bar ended at " << rectOf(mainWindow()) << ", not at " << drop.ends;
        // Stays put: no glide is still under way, none starts late.
        sleepSeconds(1);
        EXPECT_EQ(rectOf(mainWindow()), drop.ends);
        EXPECT_EQ(xGeometry("Idle"), drop.ends) << "the X server shows the bar elsewhere";
    }
}

// The user's ".idleon" is handled while the bar is being dragged: its post and its
// pause run inside the move loop. The release must still end the drag there.
TEST_F(Bar, ADragEndsWhereTheButtonIsReleasedWhileAChatCommandIsHandled) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    const std::size_t posts = log().posted().size();
    const POINT grip = offset(rectOf(mainWindow()), kGrip.x, kGrip.y);
    ASSERT_NO_FATAL_FAILURE(pressAndMove(grip, {grip.x + 100, grip.y + 200}));
    ASSERT_TRUE(command("send .idleon"));
    // The command's line, then the banner; the handler pauses after posting it.
    ASSERT_TRUE(log().waitForPosts(posts + 2, 15)) << "the add-on did not answer .idleon";
    ASSERT_NO_FATAL_FAILURE(releaseAt({grip.x + 200, grip.y + 300}));

    EXPECT_TRUE(waitUntil([&] { return rectOf(mainWindow()) == barAt(200, 300); }, 10))
        << "the bar ended at " << rectOf(mainWindow()) << ", not where the button was released";
    moveMouse({700, 600});
    sleepSeconds(1);
    EXPECT_EQ(rectOf(mainWindow()), barAt(200, 300)) << "the bar still follows the mouse after the release";
}

TEST_F(Bar, TheArrowOpensTheMenuAtTheBottomLeftCornerOfItsHotSpot) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    // The hot spot's corner: x 168, y 8 + 17 in the bar.
    for (const POINT barAt : {POINT{0, 0}, POINT{300, 300}}) {
        SCOPED_TRACE("bar at " + std::to_string(barAt.x) + "," + std::to_string(barAt.y));
        if (barAt.x != 0) {
            const POINT grip = offset(rectOf(mainWindow()), kGrip.x, kGrip.y);
            ASSERT_NO_FATAL_FAILURE(drag(grip, {barAt.x + kGrip.x, barAt.y + kGrip.y}));
            ASSERT_TRUE(waitUntil([&] { return rectOf(mainWindow()).left == barAt.x; }, 10));
        }
        HWND menu = openMenu();
        ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
        const ScreenRect at = rectOf(menu);
        EXPECT_EQ(at.left, barAt.x + 168);
        EXPECT_EQ(at.top, barAt.y + 25);
        ASSERT_NO_FATAL_FAILURE(pressKeys({"Escape"}));
        EXPECT_TRUE(waitForGone(menu)) << "Escape did not close the menu";
    }
}

}  // namespace
}  // namespace lantern::e2e
