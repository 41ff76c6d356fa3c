// The options menu: where it opens, the idle switches with their flags and lines,
// the reason, and the windows it opens.

#include "style/style.h"
#include "ui/commands_list.h"
#include "ui_scene.h"

namespace lantern {
namespace {

class Menu : public UiScene {
protected:
    Menu() { startProgram(); }

    bool offered(const std::string& item) {
        desktop.click(control("frmMain", "lblPop"));
        return desktop.popups().back().enabled.at(item);
    }

    // Idling and everything the switches set show `on`; the menu offers the other switch.
    void expectSwitched(bool on) {
        EXPECT_EQ(presence.idle().idleOn, on);
        EXPECT_EQ(text("frmMain", "txtIdle"), on ? "on" : "off");
        EXPECT_EQ(ui.mainWindow().idleTimer().enabled(), on);
        EXPECT_EQ(control("frmMain", "cmdIdle").enabled(), !on);
        EXPECT_EQ(control("frmMain", "cmdOff").enabled(), on);
        EXPECT_EQ(offered("mnuOptsIdleOn"), !on);
        EXPECT_EQ(offered("mnuOptsIdleOff"), on);
    }

    void setCounters(std::int16_t days, std::int16_t hours, std::int16_t minutes) {
        presence.idle().idleDays = days;
        presence.idle().idleHrs = hours;
        presence.idle().idleMins = minutes;
    }
};

TEST_F(Menu, OpensAtTheBottomLeftOfTheArrowFromANeverShownMenuWindow) {
    desktop.click(control("frmMain", "lblPop"));
    ASSERT_EQ(desktop.popups().size(), 1u);
    EXPECT_EQ(desktop.popups()[0].over, form("frmMain").handle());
    EXPECT_EQ(std::make_pair(desktop.popups()[0].x, desktop.popups()[0].y), std::make_pair(2520.0, 375.0));
    EXPECT_FALSE(form("frmMenu").visible());
}

TEST_F(Menu, OnAndOffSwitchEachOtherInTheirOrder) {
    // What the switches had done by the time their line reached the room.
    std::vector<std::string> atPost;
    onPost = [&] {
        atPost.push_back(text("frmMain", "txtIdle") + (ui.mainWindow().idleTimer().enabled() ? " timer " : " - ") +
                         std::to_string(presence.idle().idleMins));
    };
    setCounters(1, 2, 3);

    choose("mnuOptsIdleOn");
    expectSwitched(true);
    EXPECT_EQ(presence.idle().idleMins, 3);  // counting goes on from where it stood

    choose("mnuOptsIdleOff");
    expectSwitched(false);
    EXPECT_EQ(presence.idle().idleMins, 0);

    EXPECT_EQ(posted, (std::vector<std::string>{menuIdleBanner(presence.style(), IdleEvent::On),
                                                menuIdleBanner(presence.style(), IdleEvent::Off)}));
    EXPECT_EQ(atPost, (std::vector<std::string>{"on - 3", "off - 3"}));
}

TEST_F(Menu, FirstOpenedAfterIdlingWentOnInTheChatOffersOnNotOff) {
    presence.onChatLine(kTester, ".idleon");
    ASSERT_TRUE(presence.idle().idleOn);
    setCounters(0, 1, 7);
    posted.clear();

    EXPECT_TRUE(offered("mnuOptsIdleOn"));
    EXPECT_FALSE(offered("mnuOptsIdleOff"));
    choose("mnuOptsIdleOn");
    EXPECT_EQ(posted, std::vector<std::string>{menuIdleBanner(presence.style(), IdleEvent::On)});
    EXPECT_EQ(presence.idle().idleMins, 7);
}

TEST_F(Menu, OffWhileAlreadyOffStillPostsAndZeroes) {
    choose("mnuOptsIdleOn");  // Off is offered only after On
    presence.onChatLine(kTester, ".idleoff");
    setCounters(2, 5, 30);
    posted.clear();

    choose("mnuOptsIdleOff");
    EXPECT_EQ(posted, std::vector<std::string>{menuIdleBanner(presence.style(), IdleEvent::Off)});
    EXPECT_EQ(presence.idle().idleDays + presence.idle().idleHrs + presence.idle().idleMins, 0);
}

TEST_F(Menu, ReasonIsLowerCasedAndOnlyAnEmptyAnswerIsIgnored) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"Out For LUNCH", "out for lunch"},
        {"CAF\xC9 \xC0 C\xD4T\xC9", "caf\xE9 \xE0 c\xF4t\xE9"},
        {"   ", "   "},
        {"", "previous"},
        {std::nullopt, "previous"},  // cancelled
    };
    for (const auto& [answer, reason] : cases) {
        presence.idle().reasonText = "previous";
        desktop.queueInputBoxAnswer(answer);
        choose("mnuOptsReason");
        EXPECT_EQ(presence.idle().reasonText, reason);
        EXPECT_EQ(desktop.inputBoxPrompts().back(), "Enter reason:");
    }
    EXPECT_EQ(text("frmMain", "txtRsn"), "sleepin...");
}

TEST_F(Menu, CommandsListIsLoadedOnceWhileOpenAndAfreshAfterClosing) {
    const std::vector<std::string> lines(kCommandLines.begin(), kCommandLines.end());
    ui.showCommandsList();  // as ".coms" does
    Window& list = form("frmComs");
    EXPECT_EQ(desktop.topmostCalls(list.handle()), 1);
    choose("mnuOptsComs");
    ASSERT_EQ(&form("frmComs"), &list);
    EXPECT_TRUE(list.visible());
    EXPECT_EQ(control("frmComs", "lstComs").items(), lines);
    EXPECT_EQ(desktop.topmostCalls(list.handle()), 1);

    desktop.userClose(list);
    choose("mnuOptsComs");
    EXPECT_TRUE(form("frmComs").visible());
    EXPECT_EQ(control("frmComs", "lstComs").items(), lines);
}

TEST_F(Menu, StyleDialogIsNotReloadedWhileOpenButAfterClosing) {
    store("asciiCol", "0000ff");
    choose("mnuOptsAscii");
    Window& dialog = form("frmAscii");
    desktop.type(control("frmAscii", "txtAsciiColor"), "abcdef");
    choose("mnuOptsAscii");
    ASSERT_EQ(&form("frmAscii"), &dialog);
    EXPECT_EQ(text("frmAscii", "txtAsciiColor"), "abcdef");

    desktop.userClose(dialog);
    choose("mnuOptsAscii");
    EXPECT_TRUE(form("frmAscii").visible());
    EXPECT_EQ(text("frmAscii", "txtAsciiColor"), "0000ff");
    EXPECT_EQ(control("frmAscii", "cboAscii").items().size(), 5u);
}

TEST_F(Menu, AboutBoxAndExit) {
    choose("mnuOptsAbout");
    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    const sim::ShownMessageBox& box = desktop.messageBoxes()[0];
    EXPECT_EQ(box.text, "lant\xE8rn Idl\xE8 [beta]\r\n\r\nBy: vx9\r\n\r\nMade for lanterns by lanterns. =x");
    EXPECT_EQ(box.title, "lant\xE8rn Idl\xE8 [beta]");
    EXPECT_EQ(box.style, mb::Ok);

    EXPECT_TRUE(desktop.run([&] { choose("mnuOptsExit"); }));
    EXPECT_EQ(posted, std::vector<std::string>{unloadBanner(presence.style())});
    EXPECT_EQ(stored("tBox"), "sleepin...");
}

}  // namespace
}  // namespace lantern
