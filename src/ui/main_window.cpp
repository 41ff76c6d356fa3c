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

MainWindow::MainWindow(Platform& platform, Client& client, Presence& presence)
    : platform_(platform), client_(client), presence_(presence), window_(platform.toolkit.createWindow(kMainWindow)) {
    addControls();

    idleTimer_ = platform_.toolkit.createTimer();
    idleTimer_->setInterval(kIdleIntervalMs);
    idleTimer_->setEnabled(false);

    // Stays above other programs' windows even after one of them took the top.
    window_->onPaint = [this] { client_.keepOnTop(window_->handle()); };
    window_->onClose = [this] { presence_.mainWindowClosed(); };
    window_->onSessionEnd = [this] { presence_.sessionEnding(); };
}

void MainWindow::addControls() {
    // The visible bar: the picture, and over it the two transparent labels that take
    // the mouse (the drag area, and the hot spot over the arrow).
    window_->add({.kind = ControlKind::Picture, .name = "Image1", .place = {0, 0, 2865, 480}, .picture = "title_bar"});
    Control& lblMove = window_->add({.name = "lblMove", .place = {0, 0, 2535, 495}, .transparent = true});
    lblMove.onMouseDown = [this](MouseButton button) { dragAndSnap(button); };
    Control& lblPop =
        window_->add({.name = "lblPop", .place = {kPopLeft, kPopTop, kPopSize, kPopSize}, .transparent = true});
    lblPop.onClick = [this] {
        if (onMenuRequested) onMenuRequested(*window_, kPopLeft, kPopTop + kPopSize);
    };

    // The state controls, beyond the visible area and out of the user's reach: a key
    // typed into "off" would stop the idle lines, one into the reason would be stored.
    txtIdle_ = &window_->add({.kind = ControlKind::TextBox,
                              .name = "txtIdle",
                              .place = {5280, 2640, 615, 375},
                              .text = "off",
                              .userReachable = false});
    window_->add({.kind = ControlKind::Frame,
                  .name = "Frame1",
                  .place = {4080, 840, 2895, 1215},
                  .text = "Idle w/ time and reason",
                  .whiteBackground = true,
                  .font = Font{"Tahoma", 9.75, false},
                  .userReachable = false});
    txtRsn_ = &window_->add({.kind = ControlKind::TextBox,
                             .name = "txtRsn",
                             .place = {120, 720, 2655, 375},
                             .text = "sleepin...",
                             .container = "Frame1",
                             .userReachable = false});
    cmdIdle_ = &window_->add({.kind = ControlKind::Button,
                              .name = "cmdIdle",
                              .place = {120, 240, 1215, 375},
                              .text = "ON",
                              .container = "Frame1",
                              .userReachable = false});
    cmdOff_ = &window_->add({.kind = ControlKind::Button,
                             .name = "cmdOff",
                             .place = {1560, 240, 1215, 375},
                             .text = "OFF",
                             .enabled = false,
                             .container = "Frame1",
                             .userReachable = false});
}

// Any mouse button on the drag area drags the bar; when the button comes up, it
// glides onto the screen and against near edges. The left button hands the window to
// the system's move loop as if its title bar had been pressed (the call returns when
// the button is released). That loop ends only on the left button's release, so the
// right and middle buttons follow the pointer in a loop of our own that ends on theirs.
void MainWindow::dragAndSnap(MouseButton button) {
    if (button == MouseButton::Left) {
        platform_.windows.releaseCapture();
        platform_.windows.sendMessage(window_->handle(), msg::NcLButtonDown, kHtCaption, 0);
    } else {
        window_->followPointer(button);
    }
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
