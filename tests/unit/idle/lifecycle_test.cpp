// Start-up and both forms of shut-down.

#include "presence_scene.h"

namespace lantern {
namespace {

using Lifecycle = PresenceScene;

struct Stored {
    std::vector<Box> registry;  // setting, value
    std::string wantAsciiCol, wantFirstBox;
    expected::Style want;
};

class StartUp : public Lifecycle, public ::testing::WithParamInterface<Stored> {};

TEST_P(StartUp, ReadsTheStyleAnnouncesThenStartsTheScanner) {
    const Stored& c = GetParam();
    for (const auto& [name, value] : c.registry) storeSetting(name, value);
    presence.idleForTest() = IdleState{true, 5, 6, 7, "gone"};
    // The dialog's own loading puts its defaults into the style: what was read must win.
    onDialogCreate = [&] { presence.styleForTest() = CurrentStyle{"dialog", "dialog", "dialog", "dialog"}; };
    bool bannerOutWhenScannerStarted = false;
    onScannerStart = [&] { bannerOutWhenScannerStarted = posted().size() == 1; };

    ASSERT_FALSE(startUp());

    EXPECT_EQ(posted(), std::vector<std::string>{expected::loadBanner(c.want)});
    EXPECT_EQ(frameCaptions(),
              std::vector<std::string>{"z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . ."});
    EXPECT_EQ(boxWrites, (std::vector<Box>{{"txtAsciiColor", c.wantAsciiCol}, {"txtFirstColor", c.wantFirstBox},
                                           {"txtSecondColor", c.want.c2}}));
    const IdleState& idle = presence.idleForTest();
    EXPECT_EQ(std::tuple(idle.idleOn, idle.idleDays, idle.idleHrs, idle.idleMins, idle.reasonText),
              std::tuple(false, 0, 0, 0, "uppin."));
    EXPECT_EQ(placedAndHidden + splashes + scannerStarts, 3);
    EXPECT_TRUE(bannerOutWhenScannerStarted);
    EXPECT_GE(desktop.topmostCalls(frmMain), 1);
    EXPECT_TRUE(desktop.registryWrites().empty()) << "the default prefix is not stored";
}

// A stored prefix is used unchanged, even with a colour other than asciiCol's.
const std::string kOdd = "<font face=Wingdings><font color=#ff0000>J</font></font><font face=Tahoma> ";

INSTANTIATE_TEST_SUITE_P(
    Table, StartUp,
    ::testing::Values(
        Stored{{}, "000000", "000000", {expected::defaultPrefix("000000"), "ff3300", "000066"}},
        Stored{{{"asciiCol", "0000ff"}}, "0000ff", "000000", {expected::defaultPrefix("0000ff"), "ff3300", "000066"}},
        Stored{{{"firstColor", "123456"}, {"secondColor", "abcdef"}, {"ascii", kOdd}}, "000000", "123456",
               {kOdd, "123456", "abcdef"}}));

TEST_F(Lifecycle, SecondInstanceOnlyShowsTheMessageBox) {
    desktop.setPreviousInstanceRunning(true);
    EXPECT_TRUE(startUp());
    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    const sim::ShownMessageBox& box = desktop.messageBoxes()[0];
    EXPECT_EQ(std::tie(box.text, box.title, box.style),
              std::tuple("And you call me the newbie...lol.", "The requested application is already open", 48u));
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(chat->record().captions().empty());
    EXPECT_TRUE(desktop.registryWrites().empty());
    EXPECT_TRUE(boxWrites.empty()) << "the colours were read";
    EXPECT_EQ(placedAndHidden + splashes + scannerStarts, 0);
}

TEST_F(Lifecycle, WithoutTheChatClientEverythingButThePostsStillHappens) {
    chat.reset();
    desktop.clearMessages();
    ASSERT_FALSE(startUp());
    EXPECT_EQ(scannerStarts, 1);
    txtRsn = "brb";
    EXPECT_TRUE(desktop.run([&] { presence.endProgram(EndForm::Menu); }));
    EXPECT_EQ(desktop.registryValue(kSettingsKey, "tBox")->data, "brb");
    EXPECT_TRUE(desktop.messageBoxes().empty());
    for (const sim::RecordedMessage& message : desktop.messages()) {
        EXPECT_EQ(message.window, frmMain) << "nothing may be sent but to our own window";
    }
}

struct EndCase {
    std::function<void(Presence&)> end;
    bool menuForm;  // the menu's unload banner, and tBox saved
};

class Ending : public Lifecycle, public ::testing::WithParamInterface<EndCase> {};

TEST_P(Ending, PostsOneBannerStopsEverythingAndEndsAtOnce) {
    storeSetting("tBox", "old reason");
    started();
    txtRsn = "out to lunch \xE0 midi";
    ASSERT_FALSE(says(".idleon"));
    chat->record().clear();
    chat->startTransfer(standin::TransferKind::Download);
    bool inOrder = false;  // at the scanner's stop: the timer already off, the caption not yet written
    onScannerStop = [&] { inOrder = !timer->enabled() && timer->interval() == 0 && frameCaptions().empty(); };

    EXPECT_TRUE(desktop.run([&] { GetParam().end(presence); }));

    const bool menu = GetParam().menuForm;
    EXPECT_EQ(posted(), std::vector<std::string>{menu ? expected::unloadBanner(defaults)
                                                      : expected::commandUnloadBanner(defaults)});
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(frameCaptions(), std::vector<std::string>{"America Online - Owned by: vx9"});
    EXPECT_EQ(desktop.registryValue(kSettingsKey, "tBox")->data, menu ? txtRsn : "old reason");
    // Nothing of ours ran after the end: not the chores, not a tick.
    EXPECT_FALSE(desktop.minimized(chat->transferWindow(standin::TransferKind::Download)));
    desktop.runFor(600);
    EXPECT_EQ(posted().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    BothForms, Ending,
    ::testing::Values(EndCase{[](Presence& p) { p.endProgram(EndForm::Menu); }, true},
                      EndCase{[](Presence& p) { p.mainWindowClosed(); }, true},
                      EndCase{[](Presence& p) { p.endProgram(EndForm::ChatCommand); }, false},
                      EndCase{[](Presence& p) { p.onChatLine(kUser, ".end"); }, false},
                      EndCase{[](Presence& p) { p.onChatLine(kUser, ".EXIT"); }, false}));

}  // namespace
}  // namespace lantern
