#pragma once
// The splash (frmSplash): shown at start-up until the user clicks its picture, which
// brings up the main window. Nothing closes it by time.

#include "platform/toolkit.h"
#include "ui/form_slot.h"
#include "ui/main_window.h"

namespace lantern {

struct ScreenPosition {
    float left = 0;
    float top = 0;
};

// The centred position of a window on the screen, all in twips, worked in single
// precision with each half taken before the subtraction; not rounded to whole twips.
ScreenPosition centredPosition(double screenWidth, double screenHeight, double windowWidth, double windowHeight);

// Moves the window to the centre of the screen (a window larger than the screen
// gets a negative left or top and goes there).
void centerOnScreen(Window& window, Toolkit& toolkit);

class Splash : public ReopenableWindow {
public:
    Splash(Platform& platform, MainWindow& mainWindow);

private:
    void createAndLoad() override;

    Platform& platform_;  // not owned
    MainWindow& mainWindow_;  // not owned
};

}  // namespace lantern
