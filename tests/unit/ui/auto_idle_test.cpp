// The automatic idle switch on the simulated desktop: minutes without input switch
// idling on as the menu does, the first input switches it off again, and nothing the
// user switched by hand is undone.

#include "ui/auto_idle.h"

#include "style/lines.h"  // IdleTime
#include "ui_scene.h"

namespace lantern {

void PrintTo(IdleTime t, std::ostream* out) { *out << t.days << "d " << t.hours << "h " << t.minutes << "m"; }

namespace {

class AutoIdleTest : public UiScene {
protected:
    AutoIdleTest() {
        startProgram();  // the click on the splash is the user's last input
        ui.startAutoIdle();
    }
    IdleTime counters() {
        const IdleState& idle = presence.idle();
        return {idle.idleDays, idle.idleHrs, idle.idleMins};
    }
    bool idleOn() { return presence.idle().idleOn && text("frmMain", "txtIdle") == "on"; }
    // The menu's flags: whether "&On" is offered, then "O&ff".
    std::pair<bool, bool> menuOffers() {
        desktop.click(control("frmMain", "lblPop"));
        const sim::ShownPopup& shown = desktop.popups().back();
        return {shown.enabled("mnuOptsIdleOn"), shown.enabled("mnuOptsIdleOff")};
    }
    void userTypes(const std::string& line) {
        desktop.userInput();
        presence.onChatLine(kTester, line);
    }
};

TEST_F(AutoIdleTest, AwayForTheMinutesSwitchesOnAsTheMenuDoesAndInputSwitchesOff) {
    store(kAutoIdleSetting, "10");
    desktop.runFor(10 * 60 - 1);
    EXPECT_FALSE(presence.idle().idleOn);
    EXPECT_TRUE(posted().empty());
    desktop.runFor(1.5);
    EXPECT_TRUE(idleOn());
    EXPECT_TRUE(ui.mainWindow().idleTimer().enabled());
    EXPECT_EQ(counters(), (IdleTime{0, 0, 10}));
    EXPECT_EQ(posted(), std::vector{banner(IdleEvent::On)});
    desktop.runFor(60);  // the first idle line shows the minutes gone and one more
    EXPECT_EQ(posted().back(), expected::idleLine({}, 0, 0, 11, "uppin."));
    EXPECT_EQ(counters(), (IdleTime{0, 0, 11}));

    desktop.userInput();
    desktop.runFor(1.5);
    EXPECT_FALSE(presence.idle().idleOn);
    EXPECT_EQ(text("frmMain", "txtIdle"), "off");
    EXPECT_EQ(posted().back(), banner(IdleEvent::Off));
    EXPECT_EQ(counters(), (IdleTime{0, 0, 0}));
    EXPECT_EQ(menuOffers(), std::pair(true, false));  // the clicks of this check are input, too
    EXPECT_EQ(posted().size(), 3u);
}

TEST_F(AutoIdleTest, OnlyPlainMinutesFromOneTo1440SwitchItOnAndAChangeCountsAtTheNextCheck) {
    const std::pair<unsigned long, std::string> off[] = {{reg::Sz, ""},
                                                         {reg::Sz, "0"},
                                                         {reg::Sz, "+5"},
                                                         {reg::Sz, "-5"},
                                                         {reg::Sz, " 5"},
                                                         {reg::Sz, "5 "},
                                                         {reg::Sz, "five"},
                                                         {reg::Sz, "1441"},
                                                         {reg::Sz, "99999999999999999999"},
                                                         {reg::Dword, std::string("\x05\0\0\0", 4)}};
    for (const auto& [type, value] : off) {
        desktop.setRegistryValue(kSettingsKey, kAutoIdleSetting, type, value);
        desktop.runFor(3 * 3600);  // 30 hours away in all
        EXPECT_FALSE(presence.idle().idleOn) << value;
    }
    EXPECT_TRUE(posted().empty());
    store(kAutoIdleSetting, "1440");
    desktop.runFor(1.5);
    EXPECT_TRUE(idleOn());
    EXPECT_EQ(counters(), (IdleTime{1, 0, 0}));
    for (const char* minutes : {"1", "0001", "1440"}) EXPECT_TRUE(autoIdleMinutes(minutes)) << minutes;
}

// Each switch by hand ends the automatic period: the next input leaves the state alone.
TEST_F(AutoIdleTest, NothingSwitchedByHandIsUndone) {
    store(kAutoIdleSetting, "1");
    desktop.runFor(61);
    ASSERT_TRUE(idleOn());
    presence.onChatLine(kTester, ".idleon");  // from the room, with no input here
    desktop.userInput();
    desktop.runFor(5);
    EXPECT_TRUE(idleOn()) << "a manual idle-on was ended by input";

    userTypes(".idleoff");
    desktop.runFor(61);
    ASSERT_TRUE(idleOn()) << "no second automatic period";
    presence.onChatLine(kTester, ".idleoff");  // the user's off, then on, by hand
    presence.onChatLine(kTester, ".idleon");
    chat.record().clear();
    desktop.userInput();
    desktop.runFor(5);
    EXPECT_TRUE(idleOn());
    EXPECT_TRUE(posted().empty());

    // Switched on by hand from the start: minutes away do not make it the add-on's.
    userTypes(".idleoff");
    userTypes(".idleon");
    desktop.runFor(120);
    desktop.userInput();
    desktop.runFor(5);
    EXPECT_TRUE(idleOn());
}

TEST_F(AutoIdleTest, WithoutARoomTheStateStillSwitchesAndNothingIsPosted) {
    chat.closeRoom("Lobby");
    store(kAutoIdleSetting, "2");
    desktop.runFor(121);
    EXPECT_TRUE(idleOn());
    desktop.userInput();
    desktop.runFor(1.5);
    EXPECT_FALSE(presence.idle().idleOn);
    EXPECT_TRUE(posted().empty());
}

TEST_F(AutoIdleTest, EndAndExitAreUnaffected) {
    store(kAutoIdleSetting, "1");
    desktop.runFor(61);
    ASSERT_TRUE(idleOn());
    EXPECT_TRUE(desktop.run([&] { presence.onChatLine(kTester, ".end"); }));
    EXPECT_EQ(posted().back(), expected::banner({}, expected::kCommandUnload));
    EXPECT_EQ(stored("tBox"), "(missing)");
}

}  // namespace
}  // namespace lantern
