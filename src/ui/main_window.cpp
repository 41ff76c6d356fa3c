#include "ui/main_window.h"

#include "platform/messages.h"
#include "ui/edge_snap.h"

namespace lantern {
namespace {

// Borderless, no title bar, no task-bar button: only the picture shows.
const WindowSpec kMainWindow{.name = "frmMain",
                             .caption = "Idle",
                             .clientWidth = 2865,
                             .clientHeight = 480,
                             .border = Border::None,
                             .minButton = false,
                             .maxButton = false,
                             .taskbarButton = false};

}  // namespace

MainWindow::MainWindow(Platform& platform, Presence& presence)
    : platform_(platform), presence_(presence), window_(platform.toolkit.createWindow(kMainWindow)) {
    addControls();

    idleTimer_ = platform_.toolkit.createTimer();
    idleTimer_->setInterval(kIdleIntervalMs);
    idleTimer_->setEnabled(false);

    // Stays above other programs' windows even after one of them took the top.
    window_->onPaint = [this] { presence_.client().keepOnTop(window_->handle()); };
    window_->onClose = [this] { presence_.mainWindowClosed(); };
    window_->onSessionEnd = [this] { presence_.sessionEnding(); };
}

void MainWindow::addControls() {
    // The visible bar: the picture, and over it the two transparent labels that take
    // the mouse (the drag area, and the hot spot over the arrow).
    ControlSpec picture = controlAt(ControlKind::Picture, "Image1", 0, 0, 2865, 480);
    picture.picture = "title_bar";
    window_->add(picture);

    ControlSpec dragArea = controlAt(ControlKind::Label, "lblMove", 0, 0, 2535, 495);
    dragArea.transparent = true;
    Control& lblMove = window_->add(dragArea);
    lblMove.onMouseDown = [this](MouseButton) { dragAndSnap(); };

    ControlSpec hotSpot = controlAt(ControlKind::Label, "lblPop", kPopLeft, kPopTop, kPopSize, kPopSize);
    hotSpot.transparent = true;
    Control& lblPop = window_->add(hotSpot);
    lblPop.onClick = [this] {
        if (onMenuRequested) onMenuRequested(*window_, kPopLeft, kPopTop + kPopSize);
    };

    // The state controls, beyond the visible area.
    txtIdle_ = &window_->add(controlAt(ControlKind::TextBox, "txtIdle", 5280, 2640, 615, 375, "off"));

    ControlSpec frame = controlAt(ControlKind::Frame, "Frame1", 4080, 840, 2895, 1215, "Idle w/ time and reason");
    frame.font = Font{"Tahoma", 9.75, false};
    frame.whiteBackground = true;
    window_->add(frame);

    ControlSpec reason = controlAt(ControlKind::TextBox, "txtRsn", 120, 720, 2655, 375, "sleepin...");
    reason.container = "Frame1";
    txtRsn_ = &window_->add(reason);

    ControlSpec idleButton = controlAt(ControlKind::Button, "cmdIdle", 120, 240, 1215, 375, "ON");
    idleButton.container = "Frame1";
    cmdIdle_ = &window_->add(idleButton);

    ControlSpec offButton = controlAt(ControlKind::Button, "cmdOff", 1560, 240, 1215, 375, "OFF");
    offButton.container = "Frame1";
    offButton.enabled = false;
    cmdOff_ = &window_->add(offButton);
}

// Any mouse button on the drag area: hand the window to the system's move loop as if
// its title bar had been pressed (the call returns when the button is released),
// then glide it onto the screen and against near edges.
void MainWindow::dragAndSnap() {
    platform_.windows.releaseCapture();
    platform_.windows.sendMessage(window_->handle(), msg::NcLButtonDown, kHtCaption, 0);
    snapToEdges(*window_, platform_.toolkit, platform_.events);
}

WindowHandle MainWindow::handle() { return window_->handle(); }

void MainWindow::placeAtTopLeftAndHide() {
    window_->move(window_->left(), 0);
    window_->move(0, 0);
    window_->hide();
}

std::string MainWindow::idleText() { return txtIdle_->text(); }
void MainWindow::setIdleText(const std::string& text) { txtIdle_->setText(text); }
void MainWindow::setIdleButtonEnabled(bool enabled) { cmdIdle_->setEnabled(enabled); }
void MainWindow::setOffButtonEnabled(bool enabled) { cmdOff_->setEnabled(enabled); }
void MainWindow::setCaption(const std::string& caption) { window_->setCaption(caption); }
std::string MainWindow::reasonBoxText() { return txtRsn_->text(); }
Timer& MainWindow::idleTimer() { return *idleTimer_; }

void MainWindow::show() { window_->show(); }

}  // namespace lantern
