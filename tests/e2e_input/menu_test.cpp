// The menu's items chosen with the real mouse and keyboard.

#include "e2e_input/expected_menu_lines.h"
#include "e2e_input/real_input.h"

namespace lantern::e2e {
namespace {

using Menu = RealInput;

// The first row of a menu: its items are some 18 pixels high below a 3 pixel border.
constexpr POINT kFirstRow{30, 10};

const Colours kDefaults;
const std::string kDefaultPrefix = defaultPrefix("000000");

struct DescendantSearch {
    const char* className;
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK matchDescendant(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<DescendantSearch*>(lParam);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, search->className) != 0 || controlText(window) != search->text) return TRUE;
    search->found = window;
    return FALSE;
}

// A control anywhere inside `parent` (its hidden state holders included).
HWND descendant(HWND parent, const char* className, const std::string& text) {
    DescendantSearch search{className, text};
    EnumChildWindows(parent, matchDescendant, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// How many lines of the message font a control has room for.
long linesOfMessageFont(HWND control) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICA text{};
    GetTextMetricsA(screen, &text);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return text.tmHeight > 0 ? rectOf(control).height() / text.tmHeight : 0;
}

std::vector<std::string> shownButtons(HWND box) {
    std::vector<std::string> captions;
    for (HWND child = FindWindowExA(box, nullptr, "Button", nullptr); child;
         child = FindWindowExA(box, child, "Button", nullptr)) {
        if (IsWindowVisible(child)) captions.push_back(controlText(child));
    }
    return captions;
}

TEST_F(Menu, IdleOnChosenWithTheMousePostsTheMenuBannerAndSwitchesTheStateHolders) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
    click(offset(rectOf(menu), kFirstRow.x, kFirstRow.y));  // "Idle" opens its submenu
    HWND submenu = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            for (HWND shown : shownWindows(kMenuClass)) {
                if (shown != menu) submenu = shown;
            }
            return submenu != nullptr;
        },
        10))
        << "the Idle submenu did not open";
    click(offset(rectOf(submenu), kFirstRow.x, kFirstRow.y));  // "On"

    ASSERT_TRUE(log().waitForPosts(2, 15)) << "nothing was posted after Idle > On";
    const std::string expected = menuIdleOnBanner(kDefaultPrefix, kDefaults);
    EXPECT_EQ(log().posted().back(), expected) << "expected " << printable(expected);
    EXPECT_NE(descendant(mainWindow(), "Edit", "on"), nullptr) << "the idle state box does not read on";
    HWND onButton = descendant(mainWindow(), "Button", "ON");
    HWND offButton = descendant(mainWindow(), "Button", "OFF");
    ASSERT_TRUE(onButton && offButton);
    // The buttons change once the post is over.
    EXPECT_TRUE(waitUntil([&] { return !IsWindowEnabled(onButton) && IsWindowEnabled(offButton); }, 5))
        << "ON and OFF did not swap their enabled states";
}

// Slow: the idle line comes a minute after idling was switched on.
TEST_F(Menu, AReasonTypedInTheInputBoxReachesTheNextIdleLineInLowerCase) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"i", "o"}));  // Idle > On
    ASSERT_TRUE(log().waitForPosts(2, 15)) << "Idle > On posted nothing";

    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"r"}));
    HWND box = waitForShown(kFormClass, kAppTitle.c_str());
    ASSERT_NE(box, nullptr) << "Reason opened no input box";
    ASSERT_NO_FATAL_FAILURE(typeText("AFK Lunch"));
    ASSERT_NO_FATAL_FAILURE(pressKeys({"Return"}));
    EXPECT_TRUE(waitForGone(box)) << "Enter did not close the input box";

    ASSERT_TRUE(log().waitForPosts(3, 75)) << "no idle line within a minute and a quarter";
    const std::string expected = idleLine(kDefaultPrefix, kDefaults, 0, 0, 1, "afk lunch");
    EXPECT_EQ(log().posted()[2], expected) << "expected " << printable(expected);
}

TEST_F(Menu, AboutShowsItsTextOnFiveLinesWithOnlyAnOkButton) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"a"}));
    HWND box = waitForShown(kDialogClass, kAppTitle.c_str());
    ASSERT_NE(box, nullptr) << "About showed no message box titled " << printable(kAppTitle);

    HWND text = GetDlgItem(box, kMessageTextId);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(controlText(text), kAppTitle + "\r\n\r\nBy: vx9\r\n\r\nMade for lanterns by lanterns. =x");
    EXPECT_GE(linesOfMessageFont(text), 5) << "the text does not show as five lines";
    EXPECT_EQ(shownButtons(box), std::vector<std::string>{"OK"});

    moveMouse(centreOf(box));  // keys go where the pointer is
    ASSERT_NO_FATAL_FAILURE(pressKeys({"Return"}));
    EXPECT_TRUE(waitForGone(box)) << "Enter did not close the about box";
    EXPECT_TRUE(addOn().running());
    EXPECT_EQ(log().posted().size(), 1u) << "the about box posted something";
}

// The user's ".idleon" is handled while the menu is open: its post and its pause run
// inside the menu's loop. A key pressed then must still reach the menu.
TEST_F(Menu, AKeyReachesTheMenuWhileAChatCommandIsHandled) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    const std::size_t posts = log().posted().size();
    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr) << "clicking the arrow opened no menu";
    ASSERT_TRUE(command("send .idleon"));
    // The command's line, then the banner; the handler pauses after posting it.
    ASSERT_TRUE(log().waitForPosts(posts + 2, 15)) << "the add-on did not answer .idleon";
    ASSERT_NO_FATAL_FAILURE(pressKeys({"r"}));

    HWND box = waitForShown(kFormClass, kAppTitle.c_str());
    EXPECT_NE(box, nullptr) << "the key did not reach the menu: no reason box";
    EXPECT_TRUE(waitForGone(menu));
    if (box) {
        ASSERT_NO_FATAL_FAILURE(pressKeys({"Escape"}));
        EXPECT_TRUE(waitForGone(box));
    }
}

TEST_F(Menu, ExitPostsTheUnloadBannerOnceStoresTheReasonBoxAndEnds) {
    ASSERT_NO_FATAL_FAILURE(startWithBarShown());
    ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"e"}));

    const std::optional<DWORD> exitCode = addOn().waitForExit(20);
    ASSERT_TRUE(exitCode) << "lantern-idle still runs after Exit";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_EQ(log().posted(), (std::vector<std::string>{loadBanner(kDefaultPrefix, kDefaults),
                                                        unloadBanner(kDefaultPrefix, kDefaults)}));
    EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin..."));
    EXPECT_EQ(caption(frame()), kClosingCaption);
}

}  // namespace
}  // namespace lantern::e2e
