// The main window's own behaviour, and the splash with its centring.

#include "style/style.h"
#include "ui/splash.h"
#include "ui_scene.h"

namespace lantern {
namespace {

using Windows = UiScene;

TEST_F(Windows, EveryPaintPutsTheMainWindowOnTop) {
    Window& bar = form("frmMain");
    bar.show();
    desktop.runFor(0.1);
    EXPECT_EQ(desktop.topmostCalls(bar.handle()), 1);
    bar.onPaint();
    EXPECT_EQ(desktop.topmostCalls(bar.handle()), 2);
}

TEST_F(Windows, ClosingTheMainWindowShutsDownInTheMenuForm) {
    startProgram();
    EXPECT_TRUE(desktop.run([&] { desktop.userClose(form("frmMain")); }));
    EXPECT_EQ(posted, std::vector<std::string>{unloadBanner(presence.style())});
    EXPECT_EQ(stored("tBox"), "sleepin...");
}

TEST_F(Windows, CentringWorksInSinglePrecisionWithoutRounding) {
    const ScreenPosition at = centredPosition(15360, 11520, 4500, 3075);
    EXPECT_EQ(std::make_pair(at.left, at.top), std::make_pair(5430.0f, 4222.5f));
    const ScreenPosition larger = centredPosition(4000, 3000, 4500, 3075);
    EXPECT_EQ(std::make_pair(larger.left, larger.top), std::make_pair(-250.0f, -37.5f));
}

TEST_F(Windows, SplashLoadsCentredAndWaitsForItsPictureToBeClicked) {
    // Events already waiting run while the splash loads, before it is centred.
    bool ranWhileLoading = false;
    desktop.post(0, [&] {
        Window* loading = desktop.form("frmSplash");
        ranWhileLoading = loading && !loading->visible() && loading->left() != 5430;
    });
    presence.startUp();
    Window& splash = form("frmSplash");
    EXPECT_TRUE(ranWhileLoading);
    EXPECT_TRUE(splash.visible());
    EXPECT_EQ(splash.left(), 5430);
    EXPECT_NEAR(splash.top(), 4222.5, 7.5);  // on the desktop's whole pixels

    desktop.runFor(3600);  // nothing takes it away by time
    EXPECT_TRUE(splash.visible());
    EXPECT_FALSE(form("frmMain").visible());

    desktop.click(control("frmSplash", "Image1"));
    EXPECT_TRUE(form("frmMain").visible());
    EXPECT_FALSE(splash.alive());
}

}  // namespace
}  // namespace lantern
