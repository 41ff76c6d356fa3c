// The popup menu, the input box and the single-instance check. Modal loops are
// driven from inside by a thread timer, as a user's keys would.

#include <gtest/gtest.h>

#include "platform/win32/popup_menu.h"
#include "win32_test_support.h"

namespace lantern::win32::testing {
namespace {

MenuItemSpec item(const std::string& name, const std::string& caption, std::vector<MenuItemSpec> children = {}) {
    return MenuItemSpec{name, caption, std::move(children)};
}

MenuItemSpec optionsMenu() {
    return item("mnuOpts", "&Opts",
                {item("mnuOptsIdle", "&Idle", {item("mnuOptsIdleOn", "&On"), item("mnuOptsIdleOff", "O&ff")}),
                 item("mnuOptsReason", "&Reason"), item("mnuOptsDash2", "-"), item("mnuOptsComs", "View &Coms"),
                 item("mnuOptsAscii", "&Modify Ascii"), item("mnuOptsDash", "-"), item("mnuOptsAbout", "&About"),
                 item("mnuOptsDash1", "-"), item("mnuOptsExit", "&Exit")});
}

std::string menuText(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// What the thread timer does inside the next modal loop.
std::function<void()> insideModalLoop;

void CALLBACK runInsideModalLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto action = std::move(insideModalLoop);
    if (action) action();
}

void whenModal(std::function<void()> action) {
    insideModalLoop = std::move(action);
    SetTimer(nullptr, 0, 150, runInsideModalLoop);
}

class Win32ModalTest : public ::testing::Test {
protected:
    std::unique_ptr<Win32Platform> holder_ = makeTestPlatform();
    Platform& platform_ = holder_->platform();
};

TEST_F(Win32ModalTest, MenuTreeKeepsCaptionsSeparatorsAndSubmenus) {
    auto owner = platform_.toolkit.createWindow(WindowSpec{.name = "frmMenu", .caption = "Menu"});
    auto menu = platform_.toolkit.createPopupMenu(*owner, optionsMenu());
    HMENU root = dynamic_cast<PopupMenuTree&>(*menu).menu();

    const std::vector<std::string> captions = {"&Idle", "&Reason", "", "View &Coms", "&Modify Ascii",
                                               "",      "&About",  "", "&Exit"};
    ASSERT_EQ(GetMenuItemCount(root), static_cast<int>(captions.size()));
    for (UINT i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(menuText(root, i), captions[i]) << i;
        EXPECT_EQ((GetMenuState(root, i, MF_BYPOSITION) & MF_SEPARATOR) != 0, captions[i].empty()) << i;
    }
    HMENU idle = GetSubMenu(root, 0);
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(menuText(idle, 0), "&On");
    EXPECT_EQ(menuText(idle, 1), "O&ff");

    // Enabled flags live in the menu: items by command, the submenu by position.
    for (const char* name : {"mnuOptsIdleOff", "mnuOptsIdle", "mnuOptsExit"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(menu->enabled(name));
        menu->setEnabled(name, false);
        EXPECT_FALSE(menu->enabled(name));
        menu->setEnabled(name, true);
        EXPECT_TRUE(menu->enabled(name));
    }
    menu->setEnabled("mnuOptsIdleOff", false);
    EXPECT_TRUE(GetMenuState(idle, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(menu->enabled("mnuOptsIdleOn"));
    EXPECT_FALSE(menu->enabled("no such item"));
}

TEST_F(Win32ModalTest, PopupReportsTheItemChosenByItsAccelerator) {
    auto owner = platform_.toolkit.createWindow(WindowSpec{.name = "frmMenu", .caption = "Menu"});
    auto over = platform_.toolkit.createWindow(WindowSpec{.name = "frmMain", .clientWidth = 2865,
                                                          .clientHeight = 480, .border = Border::None});
    over->show();
    auto menu = platform_.toolkit.createPopupMenu(*owner, optionsMenu());
    std::vector<std::string> chosen;
    menu->onChoose = [&](const std::string& name) { chosen.push_back(name); };

    whenModal([&] { PostMessageA(reinterpret_cast<HWND>(over->handle()), WM_CHAR, 'a', 0); });
    menu->popup(*over, 2520, 375);
    whenModal([] { EndMenu(); });
    menu->popup(*over, 2520, 375);
    EXPECT_EQ(chosen, std::vector<std::string>{"mnuOptsAbout"});
}

TEST_F(Win32ModalTest, InputBoxAnswersWhatWasTypedOrNothingWhenCancelled) {
    struct Case {
        const char* how;
        std::function<void(HWND box, HWND edit)> answer;
        std::optional<std::string> expected;
    };
    auto click = [](const char* button) {
        return [button](HWND box, HWND) {
            SendMessageA(FindWindowExA(box, nullptr, "Button", button), BM_CLICK, 0, 0);
        };
    };
    const Case cases[] = {
        {"OK", click("OK"), "Sleeping In"},
        {"Cancel", click("Cancel"), std::nullopt},
        {"Enter", [](HWND, HWND edit) { PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0); }, "Sleeping In"},
        {"Escape", [](HWND, HWND edit) { PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0); }, std::nullopt},
        {"close box", [](HWND box, HWND) { PostMessageA(box, WM_CLOSE, 0, 0); }, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        std::string prompt, defaultText;
        whenModal([&] {
            HWND box = FindWindowA("LanternForm", "lant\xE8rn Idl\xE8 [beta]");
            ASSERT_NE(box, nullptr);
            HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
            defaultText = windowText(edit);
            prompt = windowText(FindWindowExA(box, nullptr, "LanternSurface", nullptr));
            SetWindowTextA(edit, "Sleeping In");
            c.answer(box, edit);
        });
        const auto answer = platform_.toolkit.inputBox("Enter reason:", "lant\xE8rn Idl\xE8 [beta]", "uppin.");
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(prompt, "Enter reason:");
        EXPECT_EQ(defaultText, "uppin.");
        EXPECT_EQ(FindWindowA("LanternForm", "lant\xE8rn Idl\xE8 [beta]"), nullptr) << "the box is gone";
    }
}

TEST_F(Win32ModalTest, InputBoxKeepsOtherWindowsDisabledUntilAnswered) {
    auto main = platform_.toolkit.createWindow(WindowSpec{.name = "frmMain", .border = Border::None});
    main->show();
    const HWND mainWindow = reinterpret_cast<HWND>(main->handle());
    bool enabledMeanwhile = true;
    whenModal([&] {
        enabledMeanwhile = IsWindowEnabled(mainWindow);
        PostMessageA(FindWindowA("LanternForm", "title"), WM_CLOSE, 0, 0);
    });
    platform_.toolkit.inputBox("prompt", "title", "");
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

TEST(Win32Instance, SecondInstanceSeesTheFirstUntilItEnds) {
    const Win32Options options{.instanceMutexName =
                                   "Local\\lantern-idle.test." + std::to_string(GetCurrentProcessId())};
    auto first = makeTestPlatform(options);
    EXPECT_FALSE(first->platform().toolkit.previousInstanceRunning());
    {
        auto second = makeTestPlatform(options);
        EXPECT_TRUE(second->platform().toolkit.previousInstanceRunning());
    }
    EXPECT_FALSE(first->platform().toolkit.previousInstanceRunning()) << "asked once, answered the same after";
    first.reset();
    auto later = makeTestPlatform(options);
    EXPECT_FALSE(later->platform().toolkit.previousInstanceRunning()) << "the first one's mark went with it";
}

}  // namespace
}  // namespace lantern::win32::testing
