// While running: the chat commands with the chores that every line gets, and the
// minute's tick with its switches, colours and lines.

#include "presence_scene.h"

namespace lantern {
namespace {

using standin::TransferKind;

class Running : public PresenceScene {
protected:
    Running() { started(); }
};
using ChatCommands = Running;

struct Said {
    bool signedOn;
    const char* author;
    const char* text;
    bool idlesOn;  // otherwise nothing at all happens but the chores
};

class WhoCommands : public ChatCommands, public ::testing::WithParamInterface<Said> {};

TEST_P(WhoCommands, OnlyTheUsersExactCommandRunsButEveryLineGetsTheChores) {
    if (!GetParam().signedOn) chat->signOff();
    chat->startTransfer(TransferKind::Download);
    chat->startTransfer(TransferKind::Upload);
    const int topmostBefore = desktop.topmostCalls(frmMain);
    ASSERT_FALSE(says(GetParam().text, GetParam().author)) << "the program ended";
    EXPECT_EQ(presence.idle().idleOn, GetParam().idlesOn);
    EXPECT_EQ(posted().size(), GetParam().idlesOn ? 1u : 0u);
    EXPECT_TRUE(desktop.minimized(chat->transferWindow(TransferKind::Download)));
    EXPECT_TRUE(desktop.minimized(chat->transferWindow(TransferKind::Upload)));
    EXPECT_EQ(desktop.topmostCalls(frmMain), topmostBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(Table, WhoCommands,
                         ::testing::Values(Said{true, kUser, ".idleon", true}, Said{true, kUser, ".IdleOn", true},
                                           Said{true, kUser, ".idleon ", false}, Said{true, kUser, "..idleon", false},
                                           Said{true, kUser, " .idleon", false},
                                           Said{true, "Someone Else", ".end", false},
                                           Said{true, "zephyr lights", ".idleon", false},
                                           Said{true, "Zephyr Lights ", ".exit", false},
                                           Said{true, "Someone Else", "Zephyr Lights:\t.end", false},
                                           Said{false, kUser, ".end", false}, Said{false, kNotOnline, ".end", false}));

struct RoomCase {
    const char* text;
    bool aim;
    const char* argument;  // nullptr: nothing runs
};

class RoomCommands : public ChatCommands, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(RoomCommands, PostTheirLineAndOpenTheLinkWithTheArgumentAsTyped) {
    const RoomCase& c = GetParam();
    ASSERT_FALSE(says(c.text));
    std::vector<std::string> lines, links;
    if (c.argument != nullptr) {
        lines.push_back(expected::roomLine(defaults, c.aim, c.argument));
        links.push_back((c.aim ? "aol://2719:10-4-" : "aol://2719:2-2-") + std::string(c.argument));
    }
    EXPECT_EQ(posted(), lines);
    EXPECT_EQ(chat->record().links(), links);
    EXPECT_EQ(chat->keywordWindow(), 0u) << "the keyword window is closed after the pause";
}

INSTANTIATE_TEST_SUITE_P(Table, RoomCommands,
                         ::testing::Values(RoomCase{".PR  Vx9 Hide Out ", false, " vx9 hide out "},
                                           RoomCase{".pr ", false, ""}, RoomCase{".aim Buddy Name", true, "buddy name"},
                                           RoomCase{".pr", false, nullptr}, RoomCase{".aimbuddy", true, nullptr},
                                           RoomCase{" .pr room", false, nullptr}));

TEST_F(ChatCommands, IdleOnTwiceCountsOnAndIdleOffLeavesTheCounters) {
    auto controls = [&] {  // txtIdle, timer running, cmdIdle, cmdOff, caption
        return std::tuple(txtIdle, timer->enabled(), cmdIdle, cmdOff, mainCaption);
    };
    ASSERT_FALSE(says(".idleon"));
    EXPECT_EQ(controls(), std::tuple("on", true, false, true, "Idle 0 : 0 : 0"));
    desktop.runFor(3 * 60 + 5);
    ASSERT_FALSE(says(".idleon"));
    desktop.runFor(60);
    ASSERT_FALSE(says(".idleoff"));
    EXPECT_EQ(controls(), std::tuple("off", false, true, false, "Idle 0 : 0 : 3"));
    desktop.runFor(5 * 60);
    ASSERT_FALSE(says(".idleon"));
    EXPECT_EQ(mainCaption, "Idle 0 : 0 : 4");

    const std::string on = expected::banner(defaults, expected::kCommandIdleOn);
    auto idle = [&](int mins) { return expected::idleLine(defaults, 0, 0, mins, "uppin."); };
    EXPECT_EQ(posted(), (std::vector<std::string>{on, idle(1), idle(2), idle(3), on, idle(4),
                                                  expected::banner(defaults, expected::kCommandIdleOff), on}));
}

TEST_F(ChatCommands, ComsShowsTheListAndPostsEachTime) {
    ASSERT_FALSE(says(".coms"));
    ASSERT_FALSE(says(".COMS"));
    EXPECT_EQ(commandLists, 2);
    EXPECT_EQ(posted(), std::vector<std::string>(2, expected::commandsLine(defaults)));
}

TEST_F(ChatCommands, AnEmptyPrefixStartsTheLineWithTheColour) {
    presence.styleForTest().asciiPrefix = "";
    ASSERT_FALSE(says(".pr x"));
    EXPECT_EQ(posted(), std::vector<std::string>{expected::roomLine({"", defaults.c1, defaults.c2}, false, "x")});
}

class IdleReport : public Running {
protected:
    IdleReport() {
        txtIdle = "on";
        presence.idleForTest().idleOn = true;
        timer->setEnabled(true);
    }
    bool tick() {
        return desktop.run([&] { presence.idleTick(); });
    }
};

struct Tick {
    const char* txtIdle;
    bool idleOn;
    std::string reason;  // "" becomes "uppin.", for good
    int days, hrs, mins, nextDays, nextHrs, nextMins;  // the idle line is posted when they differ
    bool boxesWritten, timerRuns;
};

class Ticks : public IdleReport, public ::testing::WithParamInterface<Tick> {};

TEST_P(Ticks, CountAndPostOnlyWhileSwitchedOn) {
    const Tick& t = GetParam();
    txtIdle = t.txtIdle;
    IdleState& idle = presence.idleForTest();
    idle = IdleState{t.idleOn, std::int16_t(t.mins), std::int16_t(t.hrs), std::int16_t(t.days), t.reason};
    presence.styleForTest().firstColor = presence.styleForTest().secondColor =
        "abcabc";  // none stored: the defaults come back
    ASSERT_FALSE(tick());
    const std::string reason = t.reason.empty() ? "uppin." : t.reason;
    std::vector<std::string> lines;
    if (t.mins != t.nextMins) lines.push_back(expected::idleLine(defaults, t.nextDays, t.nextHrs, t.nextMins, reason));
    EXPECT_EQ(posted(), lines);
    EXPECT_EQ(std::tuple(idle.idleDays, idle.idleHrs, idle.idleMins, idle.reasonText),
              std::tuple(t.nextDays, t.nextHrs, t.nextMins, lines.empty() ? t.reason : reason));
    EXPECT_EQ(boxWrites.size(), t.boxesWritten ? 3u : 0u);
    EXPECT_EQ(timer->enabled(), t.timerRuns);
    EXPECT_TRUE(desktop.registryWrites().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, Ticks,
                         ::testing::Values(Tick{"on", true, "", 0, 0, 59, 0, 1, 0, true, true},
                                           Tick{"on", true, "eating", 3, 23, 59, 4, 0, 0, true, true},
                                           Tick{"off", false, "", 0, 0, 5, 0, 0, 5, false, true},
                                           Tick{"on", false, "", 0, 0, 5, 0, 0, 5, true, false}));

TEST_F(IdleReport, ColoursChangedInTheRegistryShowAtTheNextTickButThePrefixDoesNot) {
    storeSetting("secondColor", "00cc00");
    storeSetting("firstColor", "cc0000");
    storeSetting("ascii", "<font face=Arial>new");
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted(),
              std::vector<std::string>{expected::idleLine({defaults.prefix, "cc0000", "00cc00"}, 0, 0, 1, "uppin.")});
}

TEST_F(IdleReport, BothTransfersGiveTwoLinesUploadFirstAndOneMinute) {
    chat->startTransfer(TransferKind::Download, "song.mp3", 4'000'000);
    chat->startTransfer(TransferKind::Upload);
    chat->setTransferProgress(TransferKind::Upload, 37);
    presence.idleForTest().reasonText = "eating";
    ASSERT_FALSE(tick());
    // The windows' texts less "Now Uploading:", "File Uploading: ", "Time Remaining: ", "File Transfer - ".
    const std::string upLabel = " 850 KB, about 2 minutes left";
    EXPECT_EQ(posted(), (std::vector<std::string>{
                            expected::transferLine(defaults, "u", upLabel, "37% of resume.doc", "eating"),
                            expected::transferLine(defaults, "d", "about 13 minutes", "0% of song.mp3", "eating")}));
    EXPECT_EQ(presence.idle().idleMins, 1);
}

// The transfers as the tests start them, and the line each gives with the reason "eating".
struct RunningTransfer {
    TransferKind kind;
    std::string line;
};
const expected::Style kDefaults{expected::defaultPrefix("000000"), "ff3300", "000066"};
const RunningTransfer kUpload{
    TransferKind::Upload,
    expected::transferLine(kDefaults, "u", " 850 KB, about 2 minutes left", "37% of resume.doc", "eating")};
const RunningTransfer kDownload{TransferKind::Download,
                                expected::transferLine(kDefaults, "d", "about 13 minutes", "0% of song.mp3", "eating")};

TEST_F(IdleReport, OneTransferGivesItsOwnLineAndNoIdleLine) {
    for (const RunningTransfer& transfer : {kUpload, kDownload}) {
        transfer.kind == TransferKind::Upload ? chat->startTransfer(TransferKind::Upload)
                                              : chat->startTransfer(TransferKind::Download, "song.mp3", 4'000'000);
        chat->setTransferProgress(TransferKind::Upload, 37);
        presence.idleForTest().reasonText = "eating";
        chat->record().clear();
        ASSERT_FALSE(tick());
        EXPECT_EQ(posted(), std::vector<std::string>{transfer.line});
        chat->stopTransfer(transfer.kind);
    }
    EXPECT_EQ(presence.idle().idleMins, 2);
}

TEST_F(IdleReport, ATransferThatEndsWhileTheOtherLineIsTypedIsSearchedAgainAndNotPosted) {
    chat->startTransfer(TransferKind::Download, "song.mp3", 4'000'000);
    chat->startTransfer(TransferKind::Upload);
    chat->setTransferProgress(TransferKind::Upload, 37);
    presence.idleForTest().reasonText = "eating";
    desktop.post(0.5, [&] { chat->stopTransfer(TransferKind::Download); });  // inside the upload line's post
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted(), std::vector<std::string>{kUpload.line});
}

TEST_F(IdleReport, SwitchedOffWhilePostingFinishesItsLinesAndTicksNoMore) {
    chat->startTransfer(TransferKind::Download);
    chat->startTransfer(TransferKind::Upload);
    desktop.post(0.5, [&] {  // the menu's Off, while the first line is being typed
        txtIdle = "off";
        presence.idleForTest().idleOn = false;
        timer->setEnabled(false);
    });
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted().size(), 2u);
    desktop.runFor(5 * 60);
    EXPECT_EQ(posted().size(), 2u);
}

}  // namespace
}  // namespace lantern
