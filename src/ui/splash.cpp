#include "ui/splash.h"

namespace lantern {
namespace {

const WindowSpec kSplash{.name = "frmSplash",
                         .clientWidth = 4500,
                         .clientHeight = 3075,
                         .border = Border::None,
                         .minButton = false,
                         .maxButton = false,
                         .taskbarButton = false};

}  // namespace

ScreenPosition centredPosition(double screenWidth, double screenHeight, double windowWidth, double windowHeight) {
    // Every intermediate is held as a float, so the result rounds the same way on
    // every compiler and FPU.
    const float halfScreenWidth = static_cast<float>(screenWidth) / 2.0f;
    const float halfWindowWidth = static_cast<float>(windowWidth) / 2.0f;
    const float halfScreenHeight = static_cast<float>(screenHeight) / 2.0f;
    const float halfWindowHeight = static_cast<float>(windowHeight) / 2.0f;
    return ScreenPosition{halfScreenWidth - halfWindowWidth, halfScreenHeight - halfWindowHeight};
}

void centerOnScreen(Window& window, Toolkit& toolkit) {
    const ScreenPosition at =
        centredPosition(toolkit.screenWidth(), toolkit.screenHeight(), window.width(), window.height());
    window.move(at.left, at.top);
}

Splash::Splash(Platform& platform, MainWindow& mainWindow) : platform_(platform), mainWindow_(mainWindow) {}

void Splash::createAndLoad() {
    Window& window = window_.replace(platform_.toolkit.createWindow(kSplash));
    window.add({.kind = ControlKind::Picture, .name = "Image1", .place = {0, 0, 4500, 3075}, .picture = "splash"})
        .onClick = [this, &window] {
        auto running = window_.running();
        mainWindow_.show();
        window.destroy();
    };
    // Closed by any other means (Alt+F4, another program's WM_CLOSE): the bar still
    // comes up, or nothing of the program could be reached. The window goes after this.
    window.onClose = [this] { mainWindow_.show(); };

    platform_.events.doEvents();
    centerOnScreen(window, platform_.toolkit);
}

}  // namespace lantern
