// Start-up and both forms of shut-down.

#include "presence_scene.h"

namespace lantern {
namespace {

using Box = std::pair<std::string, std::string>;

class Lifecycle : public PresenceScene {};

TEST_F(Lifecycle, FirstRunWithAnEmptyRegistryPostsTheDefaultStyle) {
    // Leftovers that start-up must reset.
    presence.idle() = IdleState{true, 5, 6, 7, "gone"};
    bool bannerOutWhenScannerStarted = false;
    scanner.onStart = [&] { bannerOutWhenScannerStarted = posted().size() == 1; };

    ASSERT_FALSE(startUp());

    EXPECT_EQ(posted(), std::vector<std::string>{expected::loadBanner(defaults)});
    EXPECT_EQ(frameCaptions(),
              std::vector<std::string>{"z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . ."});
    EXPECT_EQ(dialog.writes, (std::vector<Box>{{"txtAsciiColor", "000000"},
                                               {"txtFirstColor", "000000"},
                                               {"txtSecondColor", "000066"}}));
    const CurrentStyle& style = presence.style();
    EXPECT_EQ(style.asciiCol, "000000");
    EXPECT_EQ(style.firstColor, "ff3300");
    EXPECT_EQ(style.secondColor, "000066");
    EXPECT_EQ(style.asciiPrefix, defaults.prefix);
    const IdleState& idle = presence.idle();
    EXPECT_FALSE(idle.idleOn);
    EXPECT_EQ(idle.idleMins + idle.idleHrs + idle.idleDays, 0);
    EXPECT_EQ(idle.reasonText, "uppin.");
    EXPECT_EQ(presence.appTitle(), "lant\xE8rn Idl\xE8 [beta]");

    EXPECT_EQ(mainWindow.placedAndHidden, 1);
    EXPECT_EQ(windows.splashes, 1);
    EXPECT_GE(desktop.topmostCalls(mainWindow.handle()), 1);
    EXPECT_EQ(scanner.starts, 1);
    EXPECT_TRUE(bannerOutWhenScannerStarted);
    EXPECT_FALSE(mainWindow.idleTimer().enabled());
    EXPECT_TRUE(desktop.registryWrites().empty()) << "the default prefix is not stored";
    EXPECT_TRUE(desktop.messageBoxes().empty());
}

TEST_F(Lifecycle, StoredValuesAreUsedAsStored) {
    storeSetting("asciiCol", "00ff00");
    storeSetting("firstColor", "123456");
    storeSetting("secondColor", "abcdef");
    // A prefix whose colour differs from asciiCol: used unchanged all the same.
    const std::string prefix = "<font face=Wingdings><font color=#ff0000>J</font></font><font face=Tahoma> ";
    storeSetting("ascii", prefix);

    ASSERT_FALSE(startUp());

    EXPECT_EQ(posted(), std::vector<std::string>{expected::loadBanner({prefix, "123456", "abcdef"})});
    EXPECT_EQ(dialog.writes, (std::vector<Box>{{"txtAsciiColor", "00ff00"},
                                               {"txtFirstColor", "123456"},
                                               {"txtSecondColor", "abcdef"}}));
    EXPECT_EQ(presence.style().asciiCol, "00ff00");
    EXPECT_TRUE(desktop.registryWrites().empty());
}

TEST_F(Lifecycle, DefaultPrefixTakesTheStoredAsciiColour) {
    storeSetting("asciiCol", "0000ff");
    ASSERT_FALSE(startUp());
    EXPECT_EQ(presence.style().asciiPrefix, expected::defaultPrefix("0000ff"));
}

TEST_F(Lifecycle, ColoursReadWinOverWhatTheDialogLoadsWhenItIsCreated) {
    // The dialog's own loading puts its defaults into the style at the first write.
    dialog.onCreate = [&] {
        presence.style().asciiCol = presence.style().firstColor = presence.style().secondColor = "dialog";
    };
    storeSetting("asciiCol", "111111");
    ASSERT_FALSE(startUp());
    EXPECT_EQ(presence.style().asciiCol, "111111");
    EXPECT_EQ(presence.style().firstColor, "ff3300");
    EXPECT_EQ(presence.style().secondColor, "000066");
}

TEST_F(Lifecycle, SecondInstanceOnlyShowsTheMessageBox) {
    desktop.setPreviousInstanceRunning(true);

    EXPECT_TRUE(startUp());

    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    EXPECT_EQ(desktop.messageBoxes()[0].text, "And you call me the newbie...lol.");
    EXPECT_EQ(desktop.messageBoxes()[0].title, "The requested application is already open");
    EXPECT_EQ(desktop.messageBoxes()[0].style, 48u);
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(chat->record().captions().empty());
    EXPECT_EQ(registry.opens, 0);
    EXPECT_TRUE(desktop.registryWrites().empty());
    EXPECT_TRUE(dialog.writes.empty());
    EXPECT_EQ(mainWindow.placedAndHidden + windows.splashes + scanner.starts, 0);
}

TEST_F(Lifecycle, WithoutTheChatClientEverythingButThePostsStillHappens) {
    chat.reset();
    desktop.clearMessages();

    ASSERT_FALSE(startUp());
    EXPECT_EQ(scanner.starts, 1);
    EXPECT_EQ(dialog.writes.size(), 3u);
    EXPECT_TRUE(desktop.messageBoxes().empty());

    mainWindow.txtRsn = "brb";
    EXPECT_TRUE(desktop.run([&] { presence.endProgram(EndForm::Menu); }));
    EXPECT_EQ(desktop.registryValue(kSettingsKey, "tBox")->data, "brb");
    EXPECT_TRUE(desktop.messageBoxes().empty());
    for (const sim::RecordedMessage& message : desktop.messages()) {
        EXPECT_EQ(message.window, mainWindow.handle()) << "nothing may be sent but to our own window";
    }
}

// ---- shut-down

struct EndCase {
    const char* name;
    std::function<void(Presence&)> end;
    bool menuBanner;
    bool savesReason;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class Ending : public PresenceScene, public ::testing::WithParamInterface<EndCase> {};

TEST_P(Ending, PostsOneBannerStopsEverythingAndEndsAtOnce) {
    storeSetting("tBox", "old reason");
    started();
    mainWindow.txtRsn = "out to lunch \xE0 midi";
    ASSERT_FALSE(userSays(".idleon"));
    chat->record().clear();
    chat->startTransfer(standin::TransferKind::Download);
    // At the scanner's stop the timer is already off, and the caption not yet written.
    bool timerOffBeforeScannerStop = false;
    bool captionAfterScannerStop = false;
    scanner.onStop = [&] {
        timerOffBeforeScannerStop = !mainWindow.idleTimer().enabled() && mainWindow.idleTimer().interval() == 0;
        captionAfterScannerStop = frameCaptions().empty();
    };

    EXPECT_TRUE(desktop.run([&] { GetParam().end(presence); }));

    const expected::Style& s = defaults;
    EXPECT_EQ(posted(), std::vector<std::string>{GetParam().menuBanner ? expected::unloadBanner(s)
                                                                       : expected::commandUnloadBanner(s)});
    EXPECT_EQ(scanner.stops, 1);
    EXPECT_TRUE(timerOffBeforeScannerStop);
    EXPECT_TRUE(captionAfterScannerStop);
    EXPECT_EQ(frameCaptions(), std::vector<std::string>{"America Online - Owned by: vx9"});
    EXPECT_EQ(writesOf("tBox"), GetParam().savesReason ? 1 : 0);
    EXPECT_EQ(desktop.registryValue(kSettingsKey, "tBox")->data,
              GetParam().savesReason ? mainWindow.txtRsn : "old reason");
    // Nothing of ours ran after the end: not the chores, not a tick.
    EXPECT_EQ(windowSystem.minimised[chat->transferWindow(standin::TransferKind::Download)], 0);
    desktop.runFor(600);
    EXPECT_EQ(posted().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    BothForms, Ending,
    ::testing::Values(EndCase{"Menu", [](Presence& p) { p.endProgram(EndForm::Menu); }, true, true},
                      EndCase{"MainWindowClosed", [](Presence& p) { p.mainWindowClosed(); }, true, true},
                      EndCase{"ChatCommand", [](Presence& p) { p.endProgram(EndForm::ChatCommand); }, false, false},
                      EndCase{"DotEnd", [](Presence& p) { p.onChatLine(kUser, ".end"); }, false, false},
                      EndCase{"DotExitInCapitals", [](Presence& p) { p.onChatLine(kUser, ".EXIT"); }, false, false}),
    [](const ::testing::TestParamInfo<EndCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace lantern
