// Forms through the toolkit: twips, a text box, a timer, labels, the keyboard, the input box.

#include <gtest/gtest.h>

#include "platform/win32/dpi.h"
#include "platform/win32/form_control.h"
#include "platform/win32/picture.h"
#include "platform/win32/win32_platform.h"

namespace lantern::win32 {
namespace {

void pumpFor(EventLoop& events, double seconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) events.waitForEvents((end - now) / 1e3);
}

HWND windowOf(Control& control) { return dynamic_cast<FormControl&>(control).hwnd(); }
HWND hwndOf(Window& window) { return reinterpret_cast<HWND>(window.handle()); }

const WindowSpec kBar{
    .name = "frmMain", .clientWidth = 2865, .clientHeight = 480, .border = Border::None, .taskbarButton = false};
const ControlSpec kTxtIdle{.kind = ControlKind::TextBox,
                           .name = "txtIdle",
                           .place = {5280, 2640, 615, 375},
                           .text = "off",
                           .userReachable = false};  // beyond what the bar shows

class Win32FormTest : public ::testing::Test {
protected:
    void activate(Window& window) {
        window.show();
        SetForegroundWindow(hwndOf(window));
        pumpFor(platform_.events, 0.1);
    }

    std::unique_ptr<Win32Platform> holder_ = makeWin32Platform(GetModuleHandleA(nullptr));
    Platform& platform_ = holder_->platform();
    Toolkit& toolkit_ = platform_.toolkit;
};

TEST(Win32Twips, RoundToTheNearestPixelHalvesAwayFromZero) {
    for (auto [twips, dpi, pixels] : {std::tuple{10.0, 96u, 1}, {7.0, 96u, 0}, {2865.0, 144u, 287}}) {
        EXPECT_EQ(twipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;
        EXPECT_EQ(twipsToPixels(-twips, dpi), -pixels) << twips << " twips at " << dpi;
    }
}

// The pictures are stored run-length encoded and come out as DIB sections with the
// artwork's own pixels: the title bar's cream arrow and amber lamp, the splash's flame.
TEST(Win32Pictures, EncodedPicturesComeOutAsDibSectionsOfTheArtwork) {
    struct Pixel {
        const char* picture;
        int x, y;
        COLORREF colour;
    };
    const Pixel pixels[] = {{"title_bar", 177, 16, RGB(246, 230, 196)},
                            {"title_bar", 5, 5, RGB(242, 185, 80)},
                            {"splash", 75, 74, RGB(255, 243, 200)},
                            {"splash", 150, 100, RGB(83, 72, 57)}};
    for (const Pixel& pixel : pixels) {
        HBITMAP picture = loadPicture(GetModuleHandleA(nullptr), pixel.picture);
        ASSERT_NE(picture, nullptr) << pixel.picture;
        DIBSECTION dib{};
        EXPECT_EQ(GetObjectA(picture, sizeof dib, &dib), static_cast<int>(sizeof dib)) << "not a DIB section";
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ before = SelectObject(dc, picture);
        const COLORREF found = GetPixel(dc, pixel.x, pixel.y);
        SelectObject(dc, before);
        DeleteDC(dc);
        DeleteObject(picture);
        for (int shift : {0, 8, 16}) {
            EXPECT_NEAR((found >> shift) & 0xFF, (pixel.colour >> shift) & 0xFF, 2)
                << pixel.picture << " at " << pixel.x << "," << pixel.y;
        }
    }
    EXPECT_EQ(loadPicture(GetModuleHandleA(nullptr), "no such picture"), nullptr);
}

TEST_F(Win32FormTest, TextBoxStopsAtItsMaxLength) {
    auto window = toolkit_.createWindow(WindowSpec{.name = "frmText"});
    Control& box = window->add(
        ControlSpec{.kind = ControlKind::TextBox, .name = "txtCount", .place = {0, 0, 1500, 315}, .maxLength = 6});
    for (char typed : std::string("ff3300aa")) SendMessageA(windowOf(box), WM_CHAR, typed, 0);
    EXPECT_EQ(box.text(), "ff3300");
}

TEST_F(Win32FormTest, TimerTicksOneAtATimeWhileEnabled) {
    auto timer = toolkit_.createTimer();
    int ticks = 0, depth = 0, deepest = 0;
    timer->onTick = [&] {
        ++ticks;
        deepest = std::max(deepest, ++depth);
        platform_.events.waitForEvents(0.1);  // a pause inside the tick lets events run
        --depth;
    };
    timer->setInterval(20);
    timer->setEnabled(true);
    pumpFor(platform_.events, 0.6);
    timer->setEnabled(false);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(deepest, 1) << "a tick ran inside another";
    const int stoppedAt = ticks;
    pumpFor(platform_.events, 0.2);
    EXPECT_EQ(ticks, stoppedAt) << "a disabled timer fired";
}

TEST_F(Win32FormTest, TransparentLabelsOverThePictureTakeTheMouse) {
    auto window = toolkit_.createWindow(kBar);
    window->add(ControlSpec{.kind = ControlKind::Picture, .place = {0, 0, 2865, 480}, .picture = "title_bar"});
    Control& lblMove = window->add(ControlSpec{.name = "lblMove", .place = {0, 0, 2535, 495}, .transparent = true});
    Control& lblPop = window->add(ControlSpec{.name = "lblPop", .place = {2520, 120, 255, 255}, .transparent = true});
    window->move(1500, 1500);
    window->show();
    platform_.windows.setTopmost(window->handle());
    pumpFor(platform_.events, 0.2);
    RECT at;
    GetWindowRect(hwndOf(*window), &at);
    const unsigned dpi = DpiApi().forScreen();
    const int y = at.top + twipsToPixels(240, dpi);
    EXPECT_EQ(WindowFromPoint({at.left + twipsToPixels(2640, dpi), y}), windowOf(lblPop));
    EXPECT_EQ(WindowFromPoint({at.left + twipsToPixels(750, dpi), y}), windowOf(lblMove));

    std::vector<std::string> events;
    lblMove.onMouseDown = [&](MouseButton button) { events.push_back("move down " + std::to_string(int(button))); };
    lblPop.onClick = [&] { events.push_back("pop click"); };
    for (UINT down : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        SendMessageA(windowOf(lblMove), down, 0, MAKELPARAM(5, 5));
    }
    for (int upX : {5, 200}) {  // released outside: no click
        SendMessageA(windowOf(lblPop), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
        SendMessageA(windowOf(lblPop), WM_LBUTTONUP, 0, MAKELPARAM(upX, 5));
    }
    const std::vector<std::string> expected = {"move down 0", "move down 1", "move down 2", "pop click"};
    EXPECT_EQ(events, expected);
}

TEST_F(Win32FormTest, KeepingTheBarOnTopLeavesTheKeyboardWhereTheUserTypes) {
    auto dialog = toolkit_.createWindow(WindowSpec{.name = "frmAscii", .clientWidth = 3870, .clientHeight = 1815});
    Control& prefix =
        dialog->add(ControlSpec{.kind = ControlKind::TextBox, .name = "txtAscii", .place = {2760, 0, 1095, 315}});
    auto bar = toolkit_.createWindow(kBar);
    bar->show();
    activate(*dialog);
    ASSERT_EQ(GetFocus(), windowOf(prefix));
    ASSERT_TRUE(platform_.windows.setTopmost(bar->handle()));  // as every chat line and paint does
    pumpFor(platform_.events, 0.1);
    EXPECT_TRUE(GetWindowLongA(hwndOf(*bar), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetFocus(), windowOf(prefix)) << "the bar took the keyboard";
}

// Tab, typed keys and Space on the state controls beyond the bar's visible area: none
// reaches them, nor can the mouse (disabled for input), while the program still reads
// and writes their state.
TEST_F(Win32FormTest, StateControlsAreOutOfTheUsersReach) {
    auto bar = toolkit_.createWindow(kBar);
    Control& idle = bar->add(kTxtIdle);
    Control& button = bar->add(ControlSpec{.kind = ControlKind::Button,
                                           .name = "cmdIdle",
                                           .place = {5280, 3240, 1215, 375},
                                           .text = "ON",
                                           .userReachable = false});
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    activate(*bar);
    for (int i = 0; i < 3; ++i) {
        HWND focus = GetFocus() ? GetFocus() : hwndOf(*bar);
        PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0);
        pumpFor(platform_.events, 0.05);
        focus = GetFocus() ? GetFocus() : hwndOf(*bar);
        for (UINT typed : {UINT{'X'}, UINT{' '}}) PostMessageA(focus, WM_CHAR, typed, 0);
        PostMessageA(focus, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageA(focus, WM_KEYUP, VK_SPACE, 0);
        pumpFor(platform_.events, 0.05);
    }
    EXPECT_NE(GetFocus(), windowOf(idle));
    EXPECT_NE(GetFocus(), windowOf(button));
    EXPECT_EQ(idle.text(), "off");
    EXPECT_EQ(clicks, 0);

    button.setEnabled(false);
    EXPECT_FALSE(button.enabled());
    button.setEnabled(true);
    EXPECT_TRUE(button.enabled());
    EXPECT_FALSE(IsWindowEnabled(windowOf(button))) << "enabled for the user";
    idle.setText("on");
    EXPECT_EQ(idle.text(), "on");
}

// Moved to a monitor of 144 DPI: the size Windows is told matches the one the form
// then takes (the same twips), and the icons are loaded at that DPI's sizes.
TEST_F(Win32FormTest, AtAnotherDpiTheFormKeepsItsTwipsAndGetsIconsOfThatSize) {
    auto bar = toolkit_.createWindow(kBar);
    SIZE size{1, 1};
    EXPECT_TRUE(SendMessageA(hwndOf(*bar), WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&size)));
    EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(287L, 48L));  // 2865 by 480 twips

    auto dialog = toolkit_.createWindow(WindowSpec{.name = "frmAscii", .clientWidth = 3870, .clientHeight = 1815});
    RECT suggested{200, 100, 400, 300};
    SendMessageA(hwndOf(*dialog), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    for (auto [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
        auto icon = reinterpret_cast<HICON>(SendMessageA(hwndOf(*dialog), WM_GETICON, which, 0));
        ICONINFO info{};
        ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << which;
        BITMAP bitmap{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(bitmap.bmWidth, DpiApi().systemMetric(metric, 144)) << which;
    }
}

// What a thread timer does inside the next modal loop, as a user's keys would.
std::function<void()> insideModalLoop;
void CALLBACK runInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::exchange(insideModalLoop, nullptr)();
}

TEST_F(Win32FormTest, InputBoxIsADialogOwnedByTheMainWindow) {
    auto main = toolkit_.createWindow(kBar);
    main->show();
    const std::pair<const char*, std::optional<std::string>> cases[] = {{"OK", "Sleeping In"}, {"Cancel", {}}};
    const char* title = "lant\xE8rn Idl\xE8 [beta]";
    for (const auto& [button, expected] : cases) {
        std::string seen;
        insideModalLoop = [&] {
            HWND box = FindWindowA("#32770", title);
            if (!box) PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0);  // whatever it is, or the test hangs
            ASSERT_NE(box, nullptr);
            HWND edit = GetDlgItem(box, 101);
            seen = windowText(GetDlgItem(box, 100)) + "|" + windowText(edit) +
                   (IsWindowEnabled(hwndOf(*main)) ? "|main enabled" : "") +
                   (GetWindow(box, GW_OWNER) == hwndOf(*main) ? "" : "|not owned by main") +
                   (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_APPWINDOW ? "|task-bar button" : "") +
                   (GetFocus() == edit ? "" : "|focus elsewhere");
            SetWindowTextA(edit, "Sleeping In");
            SendMessageA(FindWindowExA(box, nullptr, "Button", button), BM_CLICK, 0, 0);
        };
        SetTimer(nullptr, 0, 150, runInsideModalLoop);
        EXPECT_EQ(toolkit_.inputBox("Enter reason:", title, "uppin."), expected) << button;
        EXPECT_EQ(seen, "Enter reason:|uppin.") << button << ": prompt|default text, modal, owned, focus on the answer";
        EXPECT_TRUE(IsWindowEnabled(hwndOf(*main))) << button;
        EXPECT_EQ(FindWindowA("#32770", title), nullptr) << button << ": the box is gone";
    }
}

// The keyboard of a standard dialog: Enter presses the focused button (OK from the
// answer), Escape and Alt+F4 cancel, Tab goes from the answer to OK to Cancel.
TEST_F(Win32FormTest, InputBoxKeysAreADialogs) {
    auto main = toolkit_.createWindow(kBar);
    main->show();
    struct Keys {
        std::vector<UINT> keys;
        bool alt;
        std::optional<std::string> answer;
    };
    const Keys cases[] = {{{VK_RETURN}, false, "typed"},
                          {{VK_ESCAPE}, false, {}},
                          {{VK_TAB, VK_RETURN}, false, "typed"},
                          {{VK_TAB, VK_TAB, VK_RETURN}, false, {}},
                          {{VK_TAB, VK_TAB, VK_TAB, VK_RETURN}, false, "typed"},
                          {{VK_F4}, true, {}}};
    const char* title = "reason";
    for (const Keys& c : cases) {
        insideModalLoop = [&] {
            HWND box = FindWindowA("#32770", title);
            if (!box) PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0);  // whatever it is, or the test hangs
            ASSERT_NE(box, nullptr);
            SetWindowTextA(GetDlgItem(box, 101), "typed");
            // Each key is taken from the queue and routed as the dialog manager's own loop does.
            for (UINT key : c.keys) {
                const UINT down = c.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = c.alt ? WM_SYSKEYUP : WM_KEYUP;
                const LPARAM context = c.alt ? (1 << 29) : 0;  // Alt held
                PostMessageA(GetFocus(), down, key, 1 | context);
                PostMessageA(GetFocus(), up, key, 0xC0000001 | context);
                MSG message;
                while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                    if (!IsDialogMessageA(box, &message)) TranslateMessage(&message), DispatchMessageA(&message);
                }
            }
        };
        SetTimer(nullptr, 0, 150, runInsideModalLoop);
        EXPECT_EQ(toolkit_.inputBox("Enter reason:", title, ""), c.answer) << c.keys.size() << " keys";
        EXPECT_EQ(FindWindowA("#32770", title), nullptr) << "the box stayed";
    }
}

// A chat line's pause inside a message box's modal loop takes the user's keys from the
// queue before the box's loop can: it must hand them to the box as a dialog's keys.
TEST_F(Win32FormTest, KeysPressedDuringAPauseInsideAMessageBoxReachTheBox) {
    const char* title = "lant\xE8rn Idl\xE8 [beta]";
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        bool closedByTheKey = false;
        insideModalLoop = [&] {
            HWND box = FindWindowA("#32770", title);
            if (!box) PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0);  // whatever it is, or the test hangs
            ASSERT_NE(box, nullptr);
            HWND focus = GetFocus() && IsChild(box, GetFocus()) ? GetFocus() : GetDlgItem(box, IDOK);
            PostMessageA(focus, WM_KEYDOWN, key, 1);
            PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
            platform_.events.waitForEvents(0.3);  // the pause runs while the keys wait in the queue
            closedByTheKey = !IsWindow(box) || !IsWindowVisible(box);
            if (!closedByTheKey) PostMessageA(box, WM_COMMAND, IDOK, 0);  // the test's own way out
        };
        SetTimer(nullptr, 0, 150, runInsideModalLoop);
        const int answer = toolkit_.messageBox("text", title, mb::Ok);
        // Escape in a box with only OK answers IDOK on Windows, IDCANCEL under Wine.
        if (key == VK_RETURN) {
            EXPECT_EQ(answer, mb::IdOk);
        }
        EXPECT_TRUE(closedByTheKey) << (key == VK_RETURN ? "Enter" : "Escape") << " did not close the box";
    }
}

}  // namespace
}  // namespace lantern::win32
