// The minute's tick: counting, the switches it obeys, the colours it re-reads, and
// the idle and transfer lines.

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
        mainWindow.idleTimer().setEnabled(true);
    }
    bool tick() {
        return desktop.run([&] { presence.idleTick(); });
    }
    void setCounters(int days, int hrs, int mins) {
        presence.idle().idleDays = static_cast<std::int16_t>(days);
        presence.idle().idleHrs = static_cast<std::int16_t>(hrs);
        presence.idle().idleMins = static_cast<std::int16_t>(mins);
    }
    // A text of one of the client's windows as the chat room would see it cut: from
    // the `from`-th character on.
    std::string cut(const std::string& text, std::size_t from) {
        return text.size() < from ? "" : text.substr(from - 1);
    }
    std::string firstLabel(WindowHandle window) {
        for (WindowHandle child : desktop.children(window)) {
            if (desktop.className(child) == "_AOL_Static") return desktop.caption(child);
        }
        return "";
    }
    // The transfer line the room should get, from the transfer window's own texts.
    std::string transferLine(TransferKind kind) {
        const WindowHandle window = chat->transferWindow(kind);
        const bool upload = kind == TransferKind::Upload;
        return expected::transferLine(defaults, upload, cut(firstLabel(window), upload ? 15 : 17),
                                      cut(desktop.caption(window), 17), presence.idle().reasonText);
    }
};

struct Rollover {
    int days, hrs, mins;
    int nextDays, nextHrs, nextMins;
};

class Rollovers : public IdleReport, public ::testing::WithParamInterface<Rollover> {};

TEST_P(Rollovers, OneTickCountsOneMinute) {
    const Rollover& r = GetParam();
    setCounters(r.days, r.hrs, r.mins);
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted(), std::vector<std::string>{
                            expected::idleLine(defaults, r.nextDays, r.nextHrs, r.nextMins, "uppin.")});
    const IdleState& idle = presence.idle();
    EXPECT_EQ(std::vector<int>({idle.idleDays, idle.idleHrs, idle.idleMins}),
              std::vector<int>({r.nextDays, r.nextHrs, r.nextMins}));
}

INSTANTIATE_TEST_SUITE_P(Table, Rollovers,
                         ::testing::Values(Rollover{0, 0, 0, 0, 0, 1}, Rollover{0, 0, 59, 0, 1, 0},
                                           Rollover{0, 23, 59, 1, 0, 0}, Rollover{3, 22, 59, 3, 23, 0},
                                           Rollover{12, 7, 30, 12, 7, 31}));

TEST_F(IdleReport, AnEmptyReasonBecomesUppinForGood) {
    presence.idle().reasonText = "";
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted(), std::vector<std::string>{expected::idleLine(defaults, 0, 0, 1, "uppin.")});
    EXPECT_EQ(presence.idle().reasonText, "uppin.");
}

TEST_F(IdleReport, OffInTheBoxDoesNothingAndKeepsTheTimerRunning) {
    mainWindow.txtIdle = "off";
    registry.opens = 0;
    ASSERT_FALSE(tick());
    EXPECT_EQ(registry.opens, 0);
    EXPECT_TRUE(dialog.writes.empty());
    EXPECT_EQ(presence.idle().idleMins, 0);
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(mainWindow.idleTimer().enabled());
}

TEST_F(IdleReport, IdlingOffWithTheBoxOnRefreshesTheBoxesThenStopsTheTimer) {
    presence.idle().idleOn = false;
    ASSERT_FALSE(tick());
    EXPECT_EQ(dialog.writes.size(), 3u);
    EXPECT_FALSE(mainWindow.idleTimer().enabled());
    EXPECT_EQ(presence.idle().idleMins, 0);
    EXPECT_TRUE(posted().empty());
}

TEST_F(IdleReport, BothTransfersGiveTwoLinesUploadFirstAndOneMinute) {
    chat->startTransfer(TransferKind::Download, "song.mp3", 4'000'000);
    chat->startTransfer(TransferKind::Upload);
    chat->setTransferProgress(TransferKind::Upload, 37);
    presence.idle().reasonText = "eating";

    ASSERT_FALSE(tick());

    EXPECT_EQ(posted(), (std::vector<std::string>{transferLine(TransferKind::Upload),
                                                  transferLine(TransferKind::Download)}));
    EXPECT_EQ(presence.idle().idleMins, 1);
    // The texts really came from the windows: a cut in the wrong place would show.
    EXPECT_NE(posted()[1].find(">0% of song.mp3<font color=#ff3300> ["), std::string::npos);
}

TEST_F(IdleReport, NoColoursStoredPutsTheDefaultsBack) {
    CurrentStyle& style = presence.style();
    style.asciiCol = style.firstColor = style.secondColor = "abcabc";
    ASSERT_FALSE(tick());
    EXPECT_EQ(std::vector<std::string>({style.asciiCol, style.firstColor, style.secondColor}),
              std::vector<std::string>({"000000", "ff3300", "000066"}));
    EXPECT_EQ(dialog.writes, (std::vector<std::pair<std::string, std::string>>{
                                 {"txtAsciiColor", "000000"}, {"txtFirstColor", "000000"}, {"txtSecondColor", "000066"}}));
    EXPECT_EQ(posted(), std::vector<std::string>{expected::idleLine(defaults, 0, 0, 1, "uppin.")});
    EXPECT_TRUE(desktop.registryWrites().empty());
}

TEST_F(IdleReport, ColoursChangedInTheRegistryShowAtTheNextTickButThePrefixDoesNot) {
    storeSetting("secondColor", "00cc00");
    storeSetting("firstColor", "cc0000");
    storeSetting("ascii", "<font face=Arial>new");
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted(), std::vector<std::string>{
                            expected::idleLine({defaults.prefix, "cc0000", "00cc00"}, 0, 0, 1, "uppin.")});
    EXPECT_EQ(dialog.writes.back(), (std::pair<std::string, std::string>{"txtSecondColor", "00cc00"}));
}

TEST_F(IdleReport, SwitchedOffWhilePostingFinishesItsLinesAndTicksNoMore) {
    chat->startTransfer(TransferKind::Download);
    chat->startTransfer(TransferKind::Upload);
    // The menu's Off, while the first line is being typed into the room.
    desktop.post(0.5, [&] { menuOff(); });
    ASSERT_FALSE(tick());
    EXPECT_EQ(posted().size(), 2u);
    desktop.runFor(5 * 60);
    EXPECT_EQ(posted().size(), 2u);
    EXPECT_EQ(presence.idle().idleMins, 1);
}

}  // namespace
}  // namespace lantern
