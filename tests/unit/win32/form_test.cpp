// Forms built through the toolkit: sizes in twips, a text box and a timer, labels over
// the picture taking the mouse, where the keyboard goes, and the input box.

#include <gtest/gtest.h>

#include "platform/win32/dpi.h"
#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

const WindowSpec kBar{.name = "frmMain", .clientWidth = 2865, .clientHeight = 480, .border = Border::None,
                      .taskbarButton = false};
const ControlSpec kTxtIdle{.kind = ControlKind::TextBox, .name = "txtIdle", .left = 5280, .top = 2640,
                           .width = 615, .height = 375, .text = "off"};  // beyond what the bar shows

class Win32FormTest : public ::testing::Test {
protected:
    std::unique_ptr<Win32Platform> holder_ = makeTestPlatform();
    Platform& platform_ = holder_->platform();
    Toolkit& toolkit_ = platform_.toolkit;
    const unsigned dpi_ = DpiApi().forScreen();
};

TEST_F(Win32FormTest, TwipsRoundToTheNearestPixelSymmetricallyAndFormsHaveTheirClientSize) {
    for (auto [twips, dpi, pixels] : {std::tuple{2865.0, 96u, 191}, {10.0, 96u, 1}, {7.0, 96u, 0}, {500.0, 96u, 33},
                                      {2865.0, 144u, 287}, {2865.0, 192u, 382}}) {
        EXPECT_EQ(twipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;
        EXPECT_EQ(twipsToPixels(-twips, dpi), -pixels) << twips << " twips at " << dpi;
    }
    for (const WindowSpec& spec : {kBar, WindowSpec{.name = "frmComs", .clientWidth = 2895, .clientHeight = 1035}}) {
        RECT client;
        GetClientRect(hwndOf(*toolkit_.createWindow(spec)), &client);
        EXPECT_EQ(client.right, twipsToPixels(spec.clientWidth, dpi_)) << spec.name;
        EXPECT_EQ(client.bottom, twipsToPixels(spec.clientHeight, dpi_)) << spec.name;
    }
}

TEST_F(Win32FormTest, TextBoxTakesSixCharactersAndTimerTicksNeverNest) {
    auto window = toolkit_.createWindow(WindowSpec{.name = "frmTimer", .clientWidth = 3000, .clientHeight = 1200});
    Control& box = window->add(ControlSpec{.kind = ControlKind::TextBox, .name = "txtCount", .width = 1500,
                                           .height = 315, .maxLength = 6});
    for (char typed : std::string("ff3300aa")) SendMessageA(windowOf(box), WM_CHAR, typed, 0);
    EXPECT_EQ(box.text(), "ff3300");

    auto timer = toolkit_.createTimer();
    int ticks = 0, depth = 0, deepest = 0;
    timer->onTick = [&] {
        box.setText(std::to_string(++ticks));
        deepest = std::max(deepest, ++depth);
        platform_.events.waitForEvents(0.1);  // a pause inside the tick lets events run
        --depth;
    };
    timer->setInterval(20);
    pumpFor(platform_.events, 0.2);
    EXPECT_EQ(ticks, 0) << "a timer starts disabled";
    timer->setEnabled(true);
    pumpFor(platform_.events, 0.6);
    timer->setEnabled(false);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(deepest, 1) << "a tick ran inside another";
    EXPECT_EQ(box.text(), std::to_string(ticks));
    const int stoppedAt = ticks;
    pumpFor(platform_.events, 0.2);
    timer->setInterval(0);
    timer->setEnabled(true);
    pumpFor(platform_.events, 0.2);
    EXPECT_EQ(ticks, stoppedAt) << "a disabled timer, or one of interval 0, fired";
}

TEST_F(Win32FormTest, TransparentLabelsOverThePictureTakeTheMouse) {
    auto window = toolkit_.createWindow(kBar);
    window->add(ControlSpec{.kind = ControlKind::Picture, .width = 2865, .height = 480, .picture = "title_bar"});
    Control& lblMove = window->add(ControlSpec{.name = "lblMove", .width = 2535, .height = 495, .transparent = true});
    Control& lblPop = window->add(
        ControlSpec{.name = "lblPop", .left = 2520, .top = 120, .width = 255, .height = 255, .transparent = true});
    window->add(kTxtIdle);
    window->move(1500, 1500);
    window->show();
    platform_.windows.setTopmost(window->handle());
    pumpFor(platform_.events, 0.2);
    RECT at;
    GetWindowRect(hwndOf(*window), &at);
    const int y = at.top + twipsToPixels(240, dpi_);
    EXPECT_EQ(WindowFromPoint({at.left + twipsToPixels(2640, dpi_), y}), windowOf(lblPop));
    EXPECT_EQ(WindowFromPoint({at.left + twipsToPixels(750, dpi_), y}), windowOf(lblMove));

    std::vector<std::string> events;
    lblMove.onMouseDown = [&](MouseButton button) { events.push_back("move down " + std::to_string(int(button))); };
    lblPop.onMouseDown = [&](MouseButton button) { events.push_back("pop down " + std::to_string(int(button))); };
    lblPop.onClick = [&] { events.push_back("pop click"); };
    lblMove.onClick = [&] { events.push_back("move click"); };
    auto press = [](Control& label, UINT down, int upX = -1) {
        SendMessageA(windowOf(label), down, 0, MAKELPARAM(5, 5));
        if (upX >= 0) SendMessageA(windowOf(label), WM_LBUTTONUP, 0, MAKELPARAM(upX, 5));
    };
    press(lblMove, WM_RBUTTONDOWN);
    press(lblMove, WM_MBUTTONDOWN);
    press(lblPop, WM_LBUTTONDOWN, 5);
    press(lblPop, WM_LBUTTONDOWN, 200);  // released outside: no click
    lblMove.onMouseDown = [&](MouseButton) {
        events.push_back("drag");
        ReleaseCapture();  // a drag's move loop takes the mouse: no click either
    };
    press(lblMove, WM_LBUTTONDOWN, 5);
    const std::vector<std::string> expected = {"move down 1", "move down 2", "pop down 0", "pop click",
                                               "pop down 0",  "drag"};
    EXPECT_EQ(events, expected);
}

TEST_F(Win32FormTest, KeepingTheBarOnTopLeavesTheKeyboardWhereTheUserTypesAndTxtIdleNeverGetsIt) {
    auto activate = [&](Window& window) {
        window.show();
        SetForegroundWindow(hwndOf(window));
        pumpFor(platform_.events, 0.1);
    };
    auto dialog = toolkit_.createWindow(WindowSpec{.name = "frmAscii", .clientWidth = 3870, .clientHeight = 1815});
    Control& prefix = dialog->add(ControlSpec{.kind = ControlKind::TextBox, .name = "txtAscii", .left = 2760,
                                              .width = 1095, .height = 315, .text = "2"});
    auto bar = toolkit_.createWindow(kBar);
    Control& idle = bar->add(kTxtIdle);
    bar->show();
    activate(*dialog);
    ASSERT_EQ(GetFocus(), windowOf(prefix));
    ASSERT_TRUE(platform_.windows.setTopmost(bar->handle()));  // as every chat line and paint does
    pumpFor(platform_.events, 0.1);
    EXPECT_TRUE(GetWindowLongA(hwndOf(*bar), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetFocus(), windowOf(prefix)) << "the bar took the keyboard";
    EXPECT_EQ(GetForegroundWindow(), hwndOf(*dialog));

    activate(*bar);  // its only text box lies beyond what it shows: keys typed now must not reach it
    EXPECT_NE(GetFocus(), windowOf(idle));
    SendMessageA(GetFocus(), WM_CHAR, 'x', 0);
    EXPECT_EQ(idle.text(), "off");
}

// What a thread timer does inside the next modal loop, as a user's keys would.
std::function<void()> insideModalLoop;
void CALLBACK runInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::exchange(insideModalLoop, nullptr)();
}

TEST_F(Win32FormTest, InputBoxAnswersWhatWasTypedOrNothingWhenCancelled) {
    auto main = toolkit_.createWindow(kBar);
    main->show();
    auto click = [](const char* button) {
        return [button](HWND box, HWND) { SendMessageA(FindWindowExA(box, 0, "Button", button), BM_CLICK, 0, 0); };
    };
    auto key = [](WPARAM vk) { return [vk](HWND, HWND edit) { PostMessageA(edit, WM_KEYDOWN, vk, 0); }; };
    const std::tuple<const char*, std::function<void(HWND box, HWND edit)>, std::optional<std::string>> cases[] = {
        {"OK", click("OK"), "Sleeping In"},
        {"Cancel", click("Cancel"), std::nullopt},
        {"Enter", key(VK_RETURN), "Sleeping In"},
        {"Escape", key(VK_ESCAPE), std::nullopt},
        {"close box", [](HWND box, HWND) { PostMessageA(box, WM_CLOSE, 0, 0); }, std::nullopt},
    };
    const char* title = "lant\xE8rn Idl\xE8 [beta]";
    for (const auto& [how, answer, expected] : cases) {
        std::string seen;
        insideModalLoop = [&] {
            HWND box = FindWindowA("LanternForm", title);
            ASSERT_NE(box, nullptr);
            HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
            seen = windowText(FindWindowExA(box, nullptr, "LanternSurface", nullptr)) + "|" + windowText(edit) +
                   (IsWindowEnabled(hwndOf(*main)) ? "|main enabled" : "");
            SetWindowTextA(edit, "Sleeping In");
            answer(box, edit);
        };
        SetTimer(nullptr, 0, 150, runInsideModalLoop);
        EXPECT_EQ(toolkit_.inputBox("Enter reason:", title, "uppin."), expected) << how;
        EXPECT_EQ(seen, "Enter reason:|uppin.") << how << ": prompt|default text, other windows disabled";
        EXPECT_TRUE(IsWindowEnabled(hwndOf(*main))) << how;
        EXPECT_EQ(FindWindowA("LanternForm", title), nullptr) << how << ": the box is gone";
    }
}

}  // namespace
}  // namespace lantern::win32::testing
