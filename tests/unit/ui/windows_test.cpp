// The main window's own behaviour, the splash with its centring, and start-up's
// use of these windows.

#include "style/style.h"
#include "ui/splash.h"
#include "ui_scene.h"

namespace lantern {
namespace {

using Windows = UiScene;

TEST_F(Windows, MainWindowStartsWithTheStateTheIdleSwitchesExpect) {
    Window& bar = form("frmMain");
    EXPECT_EQ(bar.caption(), "Idle");
    EXPECT_EQ(bar.width(), 2865);
    EXPECT_EQ(bar.height(), 480);
    EXPECT_EQ(ui.mainWindow().idleText(), "off");
    EXPECT_EQ(ui.mainWindow().reasonBoxText(), "sleepin...");
    EXPECT_TRUE(control("frmMain", "cmdIdle").enabled());
    EXPECT_FALSE(control("frmMain", "cmdOff").enabled());
    EXPECT_EQ(control("frmMain", "cmdIdle").text(), "ON");
    EXPECT_EQ(control("frmMain", "cmdOff").text(), "OFF");
    EXPECT_EQ(ui.mainWindow().idleTimer().interval(), 60000u);
    EXPECT_FALSE(ui.mainWindow().idleTimer().enabled());
}

TEST_F(Windows, PlacedTopFirstThenLeftAndHidden) {
    Window& bar = form("frmMain");
    bar.move(3000, 1500);
    bar.show();
    ui.mainWindow().placeAtTopLeftAndHide();
    const auto trail = desktop.moveTrail(bar.handle());
    ASSERT_GE(trail.size(), 2u);
    EXPECT_EQ(trail[trail.size() - 2], std::make_pair(3000.0, 0.0));
    EXPECT_EQ(trail.back(), std::make_pair(0.0, 0.0));
    EXPECT_FALSE(bar.visible());
}

TEST_F(Windows, EveryPaintPutsTheMainWindowOnTop) {
    Window& bar = form("frmMain");
    bar.show();
    desktop.runFor(0.1);
    const int afterShow = desktop.topmostCalls(bar.handle());
    EXPECT_GE(afterShow, 1);
    bar.onPaint();
    EXPECT_EQ(desktop.topmostCalls(bar.handle()), afterShow + 1);
}

TEST_F(Windows, ClosingTheMainWindowShutsDownInTheMenuForm) {
    startProgram();
    EXPECT_TRUE(desktop.run([&] { desktop.userClose(form("frmMain")); }));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], unloadBanner(presence.style()));
    EXPECT_EQ(stored("tBox"), "sleepin...");
    EXPECT_EQ(scanner.stops, 1);
}

TEST_F(Windows, CentringWorksInSinglePrecisionWithoutRounding) {
    struct Case {
        double screenWidth, screenHeight, width, height;
        float left, top;
    };
    const Case cases[] = {
        {15360, 11520, 4500, 3075, 5430.0f, 4222.5f},
        {19200, 10800, 4500, 3075, 7350.0f, 3862.5f},
        {4000, 3000, 4500, 3075, -250.0f, -37.5f},  // larger than the screen: off its edges
        {15360, 11520, 4501, 3, 5429.5f, 5758.5f},
    };
    for (const Case& c : cases) {
        const ScreenPosition at = centredPosition(c.screenWidth, c.screenHeight, c.width, c.height);
        EXPECT_EQ(at.left, c.left) << c.width;
        EXPECT_EQ(at.top, c.top) << c.height;
    }
}

TEST_F(Windows, SplashLoadsCentredAndWaitsForItsPictureToBeClicked) {
    // Events waiting when start-up begins run while the splash loads, before it is
    // centred and shown.
    bool ranWhileLoading = false;
    desktop.post(0, [&] {
        Window* loading = desktop.form("frmSplash");
        ranWhileLoading = loading && !loading->visible() && loading->left() != 5430;
    });
    presence.startUp();

    Window& splash = form("frmSplash");
    EXPECT_TRUE(ranWhileLoading);
    EXPECT_TRUE(splash.visible());
    EXPECT_EQ(splash.width(), 4500);
    EXPECT_EQ(splash.height(), 3075);
    // The desktop puts windows on whole pixels: 4222.5 lands within half a pixel.
    EXPECT_EQ(splash.left(), 5430);
    EXPECT_NEAR(splash.top(), 4222.5, 7.5);
    EXPECT_FALSE(form("frmMain").visible());

    // Nothing takes it away by time.
    desktop.runFor(3600);
    EXPECT_TRUE(form("frmSplash").visible());
    EXPECT_FALSE(form("frmMain").visible());

    desktop.click(control("frmSplash", "Image1"));
    EXPECT_TRUE(form("frmMain").visible());
    EXPECT_EQ(desktop.form("frmSplash"), nullptr);
    EXPECT_FALSE(splash.alive());
}

}  // namespace
}  // namespace lantern
