// The options menu: where it opens, the idle switches with their flags and lines,
// the reason, and the windows it opens.

#include "style/style.h"
#include <map>

#include "ui/commands_list.h"
#include "ui/menu_window.h"
#include "ui_scene.h"

namespace lantern {
namespace {

class Menu : public UiScene {
protected:
    Menu() { startProgram(); }

    std::map<std::string, bool> lastPopupFlags() {
        EXPECT_FALSE(desktop.popups().empty());
        return desktop.popups().empty() ? std::map<std::string, bool>{} : desktop.popups().back().enabled;
    }

    // What the idle switches had done by the time their line arrived in the room.
    struct AtPost {
        bool idleOn;
        std::string txtIdle;
        bool timerEnabled;
        std::int16_t idleMins;
    };
    std::vector<AtPost> statesAtPost;

    void watchPosts() {
        onPost = [this] {
            statesAtPost.push_back({presence.idle().idleOn, text("frmMain", "txtIdle"),
                                    ui.mainWindow().idleTimer().enabled(), presence.idle().idleMins});
        };
    }

    // Idling and everything the switches set show `on`; the next popup offers the
    // other switch only.
    void expectSwitched(bool on) {
        EXPECT_EQ(presence.idle().idleOn, on);
        EXPECT_EQ(text("frmMain", "txtIdle"), on ? "on" : "off");
        EXPECT_EQ(ui.mainWindow().idleTimer().enabled(), on);
        EXPECT_EQ(control("frmMain", "cmdIdle").enabled(), !on);
        EXPECT_EQ(control("frmMain", "cmdOff").enabled(), on);
        desktop.click(control("frmMain", "lblPop"));
        EXPECT_EQ(lastPopupFlags()["mnuOptsIdleOn"], !on);
        EXPECT_EQ(lastPopupFlags()["mnuOptsIdleOff"], on);
    }

    void setCounters(std::int16_t days, std::int16_t hours, std::int16_t minutes) {
        presence.idle().idleDays = days;
        presence.idle().idleHrs = hours;
        presence.idle().idleMins = minutes;
    }
};

TEST_F(Menu, OpensAtTheBottomLeftOfTheArrowFromANeverShownMenuWindow) {
    desktop.click(control("frmMain", "lblPop"));
    desktop.click(control("frmMain", "lblPop"));

    ASSERT_EQ(desktop.popups().size(), 2u);
    for (const sim::ShownPopup& shown : desktop.popups()) {
        EXPECT_EQ(shown.over, form("frmMain").handle());
        EXPECT_EQ(shown.x, 2520);
        EXPECT_EQ(shown.y, 375);
    }
    EXPECT_FALSE(form("frmMenu").visible());
    EXPECT_EQ(form("frmMenu").caption(), "Menu");
}

TEST_F(Menu, TreeHasItsCaptionsAcceleratorsAndSeparatorsInOrder) {
    const MenuItemSpec tree = MenuWindow::menuTree();
    std::vector<std::string> seen;
    std::function<void(const MenuItemSpec&)> walk = [&](const MenuItemSpec& item) {
        seen.push_back(item.name + " " + item.caption);
        for (const MenuItemSpec& child : item.children) walk(child);
    };
    walk(tree);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "mnuOpts &Opts", "mnuOptsIdle &Idle", "mnuOptsIdleOn &On", "mnuOptsIdleOff O&ff",
                        "mnuOptsReason &Reason", "mnuOptsDash2 -", "mnuOptsComs View &Coms",
                        "mnuOptsAscii &Modify Ascii", "mnuOptsDash -", "mnuOptsAbout &About", "mnuOptsDash1 -",
                        "mnuOptsExit &Exit"}));
}

TEST_F(Menu, OnAndOffSwitchEachOtherAndTheMainWindowsControls) {
    watchPosts();
    setCounters(1, 2, 3);

    choose("mnuOptsIdleOn");
    expectSwitched(true);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], menuIdleBanner(presence.style(), IdleEvent::On));
    // Switching on keeps counting from where the counters stand.
    EXPECT_EQ(presence.idle().idleMins, 3);
    EXPECT_EQ(presence.idle().idleHrs, 2);

    choose("mnuOptsIdleOff");
    expectSwitched(false);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1], menuIdleBanner(presence.style(), IdleEvent::Off));

    // "On" posts once it is on but before the timer runs; "Off" posts with the
    // timer already stopped and zeroes the counters only afterwards.
    ASSERT_EQ(statesAtPost.size(), 2u);
    EXPECT_TRUE(statesAtPost[0].idleOn);
    EXPECT_EQ(statesAtPost[0].txtIdle, "on");
    EXPECT_FALSE(statesAtPost[0].timerEnabled);
    EXPECT_FALSE(statesAtPost[1].idleOn);
    EXPECT_EQ(statesAtPost[1].txtIdle, "off");
    EXPECT_FALSE(statesAtPost[1].timerEnabled);
    EXPECT_EQ(statesAtPost[1].idleMins, 3);
}

TEST_F(Menu, FirstOpenedAfterIdlingWentOnInTheChatOffersOnNotOff) {
    presence.onChatLine(kTester, ".idleon");
    ASSERT_TRUE(presence.idle().idleOn);
    setCounters(0, 1, 7);
    posted.clear();

    desktop.click(control("frmMain", "lblPop"));
    EXPECT_EQ(lastPopupFlags()["mnuOptsIdleOn"], true);
    EXPECT_EQ(lastPopupFlags()["mnuOptsIdleOff"], false);

    // "On" still works: it announces again and the counters run on.
    choose("mnuOptsIdleOn");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], menuIdleBanner(presence.style(), IdleEvent::On));
    EXPECT_EQ(presence.idle().idleHrs, 1);
    EXPECT_EQ(presence.idle().idleMins, 7);
}

TEST_F(Menu, OffWhileAlreadyOffStillPostsAndZeroes) {
    // Off is enabled only after On; idling is switched off in the chat in between.
    choose("mnuOptsIdleOn");
    presence.onChatLine(kTester, ".idleoff");
    ASSERT_FALSE(presence.idle().idleOn);
    setCounters(2, 5, 30);
    posted.clear();

    choose("mnuOptsIdleOff");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], menuIdleBanner(presence.style(), IdleEvent::Off));
    EXPECT_EQ(presence.idle().idleDays, 0);
    EXPECT_EQ(presence.idle().idleHrs, 0);
    EXPECT_EQ(presence.idle().idleMins, 0);
}

TEST_F(Menu, ReasonIsLowerCasedAndOnlyAnEmptyAnswerIsIgnored) {
    struct Case {
        const char* what;
        std::optional<std::string> answer;
        std::string reason;
    };
    const Case cases[] = {
        {"mixed case", "Out For LUNCH", "out for lunch"},
        {"accented capitals", "CAF\xC9 \xC0 C\xD4T\xC9", "caf\xE9 \xE0 c\xF4t\xE9"},
        {"spaces only are not empty", "   ", "   "},
        {"nothing typed", "", "previous"},
        {"cancelled", std::nullopt, "previous"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        presence.idle().reasonText = "previous";
        desktop.queueInputBoxAnswer(c.answer);
        choose("mnuOptsReason");
        EXPECT_EQ(presence.idle().reasonText, c.reason);
        EXPECT_EQ(desktop.inputBoxPrompts().back(), "Enter reason:");
        EXPECT_EQ(text("frmMain", "txtRsn"), "sleepin...");
    }
    EXPECT_TRUE(posted.empty());
}

TEST_F(Menu, CommandsListIsLoadedOnceWhileItIsOpenAndAfreshAfterClosing) {
    const std::vector<std::string> lines(kCommandLines.begin(), kCommandLines.end());
    EXPECT_EQ(lines.front(), ".idleon - turns idle on");
    EXPECT_EQ(lines.back(), ".coms - shows this");

    ui.showCommandsList();  // as ".coms" does
    Window& list = form("frmComs");
    const int loadedOnTop = desktop.topmostCalls(list.handle());
    EXPECT_EQ(loadedOnTop, 1);
    choose("mnuOptsComs");
    choose("mnuOptsComs");
    ASSERT_EQ(&form("frmComs"), &list);
    EXPECT_TRUE(list.visible());
    EXPECT_EQ(list.caption(), "cmds");
    EXPECT_EQ(control("frmComs", "lstComs").items(), lines);
    EXPECT_EQ(desktop.topmostCalls(list.handle()), loadedOnTop);

    desktop.userClose(list);
    EXPECT_EQ(desktop.form("frmComs"), nullptr);
    choose("mnuOptsComs");
    EXPECT_TRUE(form("frmComs").visible());
    EXPECT_EQ(control("frmComs", "lstComs").items(), lines);
}

TEST_F(Menu, StyleDialogIsNotReloadedWhileItIsOpenButAfterClosing) {
    store("asciiCol", "0000ff");
    choose("mnuOptsAscii");
    Window& dialog = form("frmAscii");
    EXPECT_TRUE(dialog.visible());
    desktop.type(control("frmAscii", "txtAsciiColor"), "abcdef");

    choose("mnuOptsAscii");
    ASSERT_EQ(&form("frmAscii"), &dialog);
    EXPECT_EQ(text("frmAscii", "txtAsciiColor"), "abcdef");
    EXPECT_EQ(control("frmAscii", "cboAscii").items().size(), 5u);

    desktop.userClose(dialog);
    choose("mnuOptsAscii");
    EXPECT_TRUE(form("frmAscii").visible());
    EXPECT_EQ(text("frmAscii", "txtAsciiColor"), "0000ff");
    EXPECT_EQ(control("frmAscii", "cboAscii").items().size(), 5u);
}

TEST_F(Menu, AboutBoxShowsTitleAuthorAndClosingLine) {
    choose("mnuOptsAbout");
    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    const sim::ShownMessageBox& box = desktop.messageBoxes()[0];
    EXPECT_EQ(box.text, "lant\xE8rn Idl\xE8 [beta]\r\n\r\nBy: vx9\r\n\r\nMade for lanterns by lanterns. =x");
    EXPECT_EQ(box.title, "lant\xE8rn Idl\xE8 [beta]");
    EXPECT_EQ(box.style, mb::Ok);
}

TEST_F(Menu, ExitRunsTheMenuFormOfShutDown) {
    EXPECT_TRUE(desktop.run([&] { choose("mnuOptsExit"); }));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], unloadBanner(presence.style()));
    EXPECT_EQ(stored("tBox"), "sleepin...");
}

}  // namespace
}  // namespace lantern
