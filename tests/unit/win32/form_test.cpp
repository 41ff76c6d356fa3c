// Forms built through the toolkit: sizes in twips, a text box and a timer, labels
// over a picture taking the mouse, frames passing on their controls' clicks, and
// closing.

#include <gtest/gtest.h>

#include "platform/win32/dpi.h"
#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

// Where twips land on the screen of this test run (96 DPI unless the system says
// otherwise), read back in twips.
double onScreen(double twips) {
    const unsigned dpi = DpiApi().forScreen();
    return pixelsToTwips(twipsToPixels(twips, dpi), dpi);
}

class Win32FormTest : public ::testing::Test {
protected:
    std::unique_ptr<Win32Platform> holder_ = makeTestPlatform();
    Platform& platform_ = holder_->platform();
};

TEST(TwipsAndPixels, TenTwipStepsAlwaysMoveAWholePixel) {
    struct Case {
        double twips;
        unsigned dpi;
        int pixels;
    };
    const Case cases[] = {{2865, 96, 191}, {480, 96, 32},  {10, 96, 1},    {-10, 96, -1}, {7, 96, 0},
                          {2865, 144, 287}, {10, 144, 1}, {2865, 192, 382}, {-500, 96, -33}};
    for (const Case& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
        EXPECT_EQ(twipsToPixels(-c.twips, c.dpi), -c.pixels) << "symmetric about 0";
    }
    for (unsigned dpi : {96u, 120u, 144u, 192u, 288u}) {
        for (int pixel = -40; pixel < 40; ++pixel) {
            const double at = pixelsToTwips(pixel, dpi);
            EXPECT_NE(twipsToPixels(at + 10, dpi), pixel) << dpi;
            EXPECT_NE(twipsToPixels(at - 10, dpi), pixel) << dpi;
        }
    }
    EXPECT_EQ(fontHeightForPoints(8.25, 96), -11);
    EXPECT_EQ(fontHeightForPoints(9.75, 144), -20);
}

TEST_F(Win32FormTest, BorderlessBarHasItsClientSizeAndMovesInWholePixels) {
    WindowSpec bar{.name = "frmMain", .caption = "Idle", .clientWidth = 2865, .clientHeight = 480,
                   .border = Border::None, .minButton = false, .maxButton = false, .taskbarButton = false};
    auto window = platform_.toolkit.createWindow(bar);
    HWND hwnd = reinterpret_cast<HWND>(window->handle());
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(window->width(), onScreen(2865));
    EXPECT_EQ(window->height(), onScreen(480));
    EXPECT_EQ(window->caption(), "Idle");

    window->move(0, 0);
    window->move(-10, 0);
    EXPECT_EQ(window->left(), onScreen(-10));
    EXPECT_LT(window->left(), 0);
    window->move(4222.5, 5430);
    EXPECT_EQ(window->left(), onScreen(4222.5));
    EXPECT_EQ(window->top(), onScreen(5430));
}

TEST_F(Win32FormTest, BorderedFormKeepsItsClientSizeInsideTheFrame) {
    auto window = platform_.toolkit.createWindow(
        WindowSpec{.name = "frmComs", .caption = "cmds", .clientWidth = 2895, .clientHeight = 1035,
                   .minButton = false, .maxButton = false});
    RECT client;
    GetClientRect(reinterpret_cast<HWND>(window->handle()), &client);
    const unsigned dpi = DpiApi().forScreen();
    EXPECT_EQ(client.right, twipsToPixels(2895, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(1035, dpi));
    EXPECT_GT(window->height(), onScreen(1035)) << "the outer size includes the caption";
    const LONG style = GetWindowLongA(reinterpret_cast<HWND>(window->handle()), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
}

TEST_F(Win32FormTest, TextBoxAndTimer) {
    auto window = platform_.toolkit.createWindow(WindowSpec{.name = "frmTimer", .clientWidth = 3000,
                                                            .clientHeight = 1200});
    ControlSpec counter = controlSpec(ControlKind::TextBox, "txtCount", 120, 120, 1500, 315, "0");
    counter.maxLength = 6;
    Control& box = window->add(counter);
    EXPECT_EQ(window->control("txtCount"), &box);
    EXPECT_EQ(box.text(), "0");

    // The user types: at most six characters go in.
    box.setText("");
    for (char typed : std::string("ff3300aa")) SendMessageA(windowOf(box), WM_CHAR, typed, 0);
    EXPECT_EQ(box.text(), "ff3300");

    auto timer = platform_.toolkit.createTimer();
    int ticks = 0;
    timer->onTick = [&] { box.setText(std::to_string(++ticks)); };
    timer->setInterval(50);
    pumpFor(platform_.events, 0.2);
    EXPECT_EQ(ticks, 0) << "a timer starts disabled";

    timer->setEnabled(true);
    pumpFor(platform_.events, 0.6);
    timer->setEnabled(false);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(box.text(), std::to_string(ticks));

    const int stoppedAt = ticks;
    pumpFor(platform_.events, 0.2);
    EXPECT_EQ(ticks, stoppedAt) << "a disabled timer is silent";

    timer->setInterval(0);
    timer->setEnabled(true);
    pumpFor(platform_.events, 0.2);
    EXPECT_EQ(ticks, stoppedAt) << "an interval of 0 never fires";
}

TEST_F(Win32FormTest, TimerTickNeverRunsInsideItself) {
    auto timer = platform_.toolkit.createTimer();
    int depth = 0, deepest = 0, ticks = 0;
    timer->onTick = [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        platform_.events.waitForEvents(0.1);  // a pause inside the tick lets events run
        --depth;
    };
    timer->setInterval(20);
    timer->setEnabled(true);
    pumpFor(platform_.events, 0.5);
    timer->setEnabled(false);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(deepest, 1);
}

TEST_F(Win32FormTest, TransparentLabelsOverThePictureTakeTheMouse) {
    auto window = platform_.toolkit.createWindow(WindowSpec{.name = "frmMain", .clientWidth = 2865,
                                                            .clientHeight = 480, .border = Border::None,
                                                            .taskbarButton = false});
    ControlSpec picture = controlSpec(ControlKind::Picture, "Image1", 0, 0, 2865, 480);
    picture.picture = "title_bar";
    window->add(picture);
    ControlSpec drag = controlSpec(ControlKind::Label, "lblMove", 0, 0, 2535, 495);
    drag.transparent = true;
    Control& lblMove = window->add(drag);
    ControlSpec hot = controlSpec(ControlKind::Label, "lblPop", 2520, 120, 255, 255);
    hot.transparent = true;
    Control& lblPop = window->add(hot);
    window->add(controlSpec(ControlKind::TextBox, "txtIdle", 5280, 2640, 615, 375, "off"));

    window->move(1500, 1500);
    window->show();
    platform_.windows.setTopmost(window->handle());
    pumpFor(platform_.events, 0.2);

    RECT at;
    GetWindowRect(reinterpret_cast<HWND>(window->handle()), &at);
    const unsigned dpi = DpiApi().forScreen();
    auto screenPoint = [&](double x, double y) {
        return POINT{at.left + twipsToPixels(x, dpi), at.top + twipsToPixels(y, dpi)};
    };
    EXPECT_EQ(WindowFromPoint(screenPoint(2640, 240)), windowOf(lblPop));
    EXPECT_EQ(WindowFromPoint(screenPoint(750, 240)), windowOf(lblMove));

    std::vector<std::string> events;
    lblMove.onMouseDown = [&](MouseButton button) { events.push_back("move down " + std::to_string(int(button))); };
    lblPop.onMouseDown = [&](MouseButton button) { events.push_back("pop down " + std::to_string(int(button))); };
    lblPop.onClick = [&] { events.push_back("pop click"); };
    lblMove.onClick = [&] { events.push_back("move click"); };

    SendMessageA(windowOf(lblMove), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageA(windowOf(lblMove), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    SendMessageA(windowOf(lblPop), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(windowOf(lblPop), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // A press whose handler gives the mouse away (a drag's move loop) is no click.
    lblMove.onMouseDown = [&](MouseButton) {
        events.push_back("drag");
        ReleaseCapture();
    };
    SendMessageA(windowOf(lblMove), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(windowOf(lblMove), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    // Released outside the label: no click either.
    SendMessageA(windowOf(lblPop), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(windowOf(lblPop), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));

    const std::vector<std::string> expected = {"move down 1", "move down 2", "pop down 0", "pop click", "drag",
                                               "pop down 0"};
    EXPECT_EQ(events, expected);
}

TEST_F(Win32FormTest, ActivationFocusesOnlyWhatTheUserCanSee) {
    auto dialog = platform_.toolkit.createWindow(WindowSpec{.name = "frmAscii", .clientWidth = 3870,
                                                            .clientHeight = 1815});
    Control& prefix = dialog->add(controlSpec(ControlKind::TextBox, "txtAscii", 2760, 0, 1095, 315, "2"));
    auto bar = platform_.toolkit.createWindow(WindowSpec{.name = "frmMain", .clientWidth = 2865,
                                                         .clientHeight = 480, .border = Border::None});
    Control& idleState = bar->add(controlSpec(ControlKind::TextBox, "txtIdle", 5280, 2640, 615, 375, "off"));

    dialog->show();
    SetForegroundWindow(reinterpret_cast<HWND>(dialog->handle()));
    pumpFor(platform_.events, 0.1);
    EXPECT_EQ(GetFocus(), windowOf(prefix));

    // The bar's only text box lies beyond its visible area: keys typed while the bar
    // is active must not reach it.
    bar->show();
    SetForegroundWindow(reinterpret_cast<HWND>(bar->handle()));
    pumpFor(platform_.events, 0.1);
    EXPECT_NE(GetFocus(), windowOf(idleState));
    SendMessageA(GetFocus(), WM_CHAR, 'x', 0);
    EXPECT_EQ(idleState.text(), "off");
}

TEST_F(Win32FormTest, KeepingTheBarOnTopLeavesTheKeyboardWhereTheUserTypes) {
    auto dialog = platform_.toolkit.createWindow(WindowSpec{.name = "frmAscii", .clientWidth = 3870,
                                                            .clientHeight = 1815});
    Control& prefix = dialog->add(controlSpec(ControlKind::TextBox, "txtAscii", 2760, 0, 1095, 315, "2"));
    auto bar = platform_.toolkit.createWindow(WindowSpec{.name = "frmMain", .clientWidth = 2865,
                                                         .clientHeight = 480, .border = Border::None});
    bar->show();
    dialog->show();
    SetForegroundWindow(reinterpret_cast<HWND>(dialog->handle()));
    pumpFor(platform_.events, 0.1);
    ASSERT_EQ(GetFocus(), windowOf(prefix));

    // What every chat line and every paint of the bar does.
    ASSERT_TRUE(platform_.windows.setTopmost(bar->handle()));
    pumpFor(platform_.events, 0.1);
    const HWND barWindow = reinterpret_cast<HWND>(bar->handle());
    EXPECT_TRUE(GetWindowLongA(barWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetFocus(), windowOf(prefix)) << "the bar took the keyboard";
    EXPECT_EQ(GetForegroundWindow(), reinterpret_cast<HWND>(dialog->handle()));
}

TEST_F(Win32FormTest, ClicksInsideAFrameReachTheirControls) {
    auto window = platform_.toolkit.createWindow(WindowSpec{.name = "frmFrame", .clientWidth = 4000,
                                                            .clientHeight = 2000});
    ControlSpec frame = controlSpec(ControlKind::Frame, "Frame1", 120, 120, 2895, 1215, "Idle w/ time and reason");
    frame.font = Font{"Tahoma", 9.75, false};
    Control& frameControl = window->add(frame);
    ControlSpec button = controlSpec(ControlKind::Button, "cmdIdle", 120, 240, 1215, 375, "ON");
    button.container = "Frame1";
    Control& cmdIdle = window->add(button);
    ControlSpec off = controlSpec(ControlKind::Button, "cmdOff", 1560, 240, 1215, 375, "OFF");
    off.container = "Frame1";
    off.enabled = false;
    Control& cmdOff = window->add(off);

    EXPECT_EQ(GetParent(windowOf(cmdIdle)), windowOf(frameControl));
    EXPECT_FALSE(cmdOff.enabled());
    EXPECT_FALSE(IsWindowEnabled(windowOf(cmdOff)));
    cmdOff.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(windowOf(cmdOff)));

    int clicks = 0;
    cmdIdle.onClick = [&] { ++clicks; };
    SendMessageA(windowOf(cmdIdle), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(frameControl.text(), "Idle w/ time and reason");
}

TEST_F(Win32FormTest, ListAndComboBoxesKeepTheirEntriesAndText) {
    auto window = platform_.toolkit.createWindow(WindowSpec{.name = "frmAscii", .clientWidth = 3870,
                                                            .clientHeight = 1815});
    Control& combo = window->add(controlSpec(ControlKind::ComboBox, "cboAscii", 0, 0, 2655, 315, "Webdings"));
    Control& list = window->add(controlSpec(ControlKind::ListBox, "lstComs", 0, 400, 2895, 1035));
    const std::vector<std::string> fonts = {"Arial", "Arial Narrow", "Tahoma", "Webdings", "Wingdings"};
    for (const std::string& font : fonts) {
        combo.addItem(font);
        list.addItem(font);
    }
    EXPECT_EQ(combo.items(), fonts) << "in the order added, not sorted";
    EXPECT_EQ(list.items(), fonts);
    EXPECT_EQ(combo.text(), "Webdings");
    combo.setText("webdings typed");
    EXPECT_EQ(combo.text(), "webdings typed");
    EXPECT_EQ(list.text(), "");
    list.setText("Tahoma");
    EXPECT_EQ(list.text(), "Tahoma");

    Control& prefix = window->add(controlSpec(ControlKind::TextBox, "txtAscii", 2760, 0, 1095, 315, "2"));
    prefix.setFontFace("Wingdings");
    EXPECT_EQ(prefix.fontFace(), "Wingdings");
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(windowOf(prefix), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Wingdings");
}

TEST_F(Win32FormTest, ClosingRunsOnCloseThenDestroys) {
    auto window = platform_.toolkit.createWindow(WindowSpec{.name = "frmComs"});
    Control& list = window->add(controlSpec(ControlKind::ListBox, "lstComs", 0, 0, 2895, 1035));
    list.addItem(".coms - shows this");
    const HWND hwnd = reinterpret_cast<HWND>(window->handle());
    bool aliveDuringClose = false;
    window->onClose = [&] { aliveDuringClose = IsWindow(hwnd) && window->alive(); };
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(aliveDuringClose);
    EXPECT_FALSE(window->alive());
    EXPECT_FALSE(IsWindow(hwnd));
    // The objects stay, and ignore what comes after.
    list.addItem("late");
    EXPECT_TRUE(list.items().empty());
    EXPECT_EQ(window->caption(), "");

    // destroy() closes without asking.
    auto other = platform_.toolkit.createWindow(WindowSpec{.name = "frmOther"});
    bool asked = false;
    other->onClose = [&] { asked = true; };
    other->destroy();
    EXPECT_FALSE(asked);
    EXPECT_FALSE(other->alive());
}

TEST_F(Win32FormTest, HandlersMayLetGoOfTheirOwnWindow) {
    // The close box of a window whose owner drops it in onClose.
    auto closing = platform_.toolkit.createWindow(WindowSpec{.name = "frmClosing"});
    const HWND closingWindow = reinterpret_cast<HWND>(closing->handle());
    closing->onClose = [&] { closing.reset(); };
    SendMessageA(closingWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(closing, nullptr);
    EXPECT_FALSE(IsWindow(closingWindow));

    // A click on a picture that destroys the window it is on (the splash).
    auto splash = platform_.toolkit.createWindow(WindowSpec{.name = "frmSplash", .border = Border::None});
    Control& picture = splash->add(controlSpec(ControlKind::Picture, "Image1", 0, 0, 4500, 3075));
    const HWND pictureWindow = windowOf(picture);
    picture.onClick = [&] { splash.reset(); };
    SendMessageA(pictureWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(pictureWindow, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(splash, nullptr);
    EXPECT_FALSE(IsWindow(pictureWindow));
}

}  // namespace
}  // namespace lantern::win32::testing
