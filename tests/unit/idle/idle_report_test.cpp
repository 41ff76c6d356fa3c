// The minute's tick: counting, its switches, the colours it re-reads, and its lines.

#include "presence_scene.h"

namespace lantern {
namespace {

using standin::TransferKind;

class IdleReport : public PresenceScene {
protected:
    IdleReport() {
        started();
        mainWindow.txtIdle = "on";
        presence.idle().idleOn = true;
        mainWindow.timer->setEnabled(true);
    }
    bool tick() { return desktop.run([&] { presence.idleTick(); }); }
    const std::vector<Box> defaultBoxes{{"txtAsciiColor", "000000"}, {"txtFirstColor", "000000"},
                                         {"txtSecondColor", "000066"}};
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
    mainWindow.txtIdle = t.txtIdle;
    IdleState& idle = presence.idle();
    idle = IdleState{t.idleOn, std::int16_t(t.mins), std::int16_t(t.hrs), std::int16_t(t.days), t.reason};
    presence.style().firstColor = presence.style().secondColor = "abcabc";  // none stored: the defaults come back
    ASSERT_FALSE(tick());
    const std::string reason = t.reason.empty() ? "uppin." : t.reason;
    std::vector<std::string> lines;
    if (t.mins != t.nextMins) lines.push_back(expected::idleLine(defaults, t.nextDays, t.nextHrs, t.nextMins, reason));
    EXPECT_EQ(posted(), lines);
    EXPECT_EQ(std::tuple(idle.idleDays, idle.idleHrs, idle.idleMins, idle.reasonText),
              std::tuple(t.nextDays, t.nextHrs, t.nextMins, lines.empty() ? t.reason : reason));
    EXPECT_EQ(dialog.writes, (t.boxesWritten ? defaultBoxes : std::vector<Box>{}));
    EXPECT_EQ(mainWindow.timer->enabled(), t.timerRuns);
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
    EXPECT_EQ(posted(), std::vector<std::string>{
                            expected::idleLine({defaults.prefix, "cc0000", "00cc00"}, 0, 0, 1, "uppin.")});
}

TEST_F(IdleReport, BothTransfersGiveTwoLinesUploadFirstAndOneMinute) {
    chat->startTransfer(TransferKind::Download, "song.mp3", 4'000'000);
    chat->startTransfer(TransferKind::Upload);
    chat->setTransferProgress(TransferKind::Upload, 37);
    presence.idle().reasonText = "eating";
    ASSERT_FALSE(tick());
    // The windows' texts less "Now Uploading:", "File Uploading: ", "Time Remaining: ", "File Transfer - ".
    const std::string upLabel = " 850 KB, about 2 minutes left";
    EXPECT_EQ(posted(), (std::vector<std::string>{
                            expected::transferLine(defaults, "u", upLabel, "37% of resume.doc", "eating"),
                            expected::transferLine(defaults, "d", "about 13 minutes", "0% of song.mp3", "eating")}));
    EXPECT_EQ(presence.idle().idleMins, 1);
}

TEST_F(IdleReport, SwitchedOffWhilePostingFinishesItsLinesAndTicksNoMore) {
    chat->startTransfer(TransferKind::Download);
    chat->startTransfer(TransferKind::Upload);
    desktop.post(0.5, [&] {  // the menu's Off, while the first line is being typed
        mainWindow.txtIdle = "off";
        presence.idle().idleOn = false;
        mainWindow.timer->setEnabled(false);
    });
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted().size(), 2u);
    desktop.runFor(5 * 60);
    EXPECT_EQ(posted().size(), 2u);
    EXPECT_EQ(presence.idle().idleMins, 1);
}

}  // namespace
}  // namespace lantern
