// The whole program against the stand-in client on the simulated desktop, through
// our own chat watcher: the lines we post come back through the room under the user's
// name and must never be taken for the user's commands; and against a client that
// hangs, our own windows must answer the user whatever the client does, and nothing
// the room said is lost once it answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "app/app.h"
#include "platform/sim/desktop.h"
#include "standin/model/markup.h"
#include "standin/sim/sim_standin.h"
#include "style/settings.h"

namespace lantern {
namespace {

class WholeProgram : public ::testing::Test {
protected:
    sim::Desktop desktop;
    standin::SimStandin chat{desktop, standin::Options{.screenName = "lantern tester", .rooms = {"Lobby"}}};
    Platform platform = desktop.platform();
    App app{platform};

    long postedContaining(const std::string& piece) {
        const auto posted = chat.record().posted();
        return std::count_if(posted.begin(), posted.end(),
                             [&](const std::string& line) { return line.find(piece) != std::string::npos; });
    }
};

using OwnEcho = WholeProgram;

TEST_F(OwnEcho, APrefixThatReadsLikeACommandDoesNotMakeUsPostForEver) {
    // Every line we post begins with ".pr loop ", as the room shows it.
    desktop.setRegistryValue(kSettingsKey, "ascii", reg::Sz, ".pr loop ");
    ASSERT_FALSE(desktop.run([&] { app.start(); }));
    desktop.runFor(5);

    chat.send(".pr Lounge");
    // In slices, so that a program that does loop is stopped and reported.
    for (int second = 0; second < 120 && postedContaining(">ollin <font color=#") <= 3; ++second) {
        desktop.runFor(1);
    }
    EXPECT_EQ(postedContaining(">ollin <font color=#"), 1) << "the private-room line was posted again";
    EXPECT_EQ(chat.record().links().size(), 1u);
    EXPECT_EQ(postedContaining("[<font color=#000066><b>load</b>"), 1);

    // The user's own commands still work afterwards, also when they read like ours.
    chat.send(".idleon");
    desktop.runFor(5);
    EXPECT_EQ(postedContaining("><b>idl\xE8 on</b>"), 1);
}

TEST_F(OwnEcho, TheUserTypingWhatWePostedEarlierStillCounts) {
    // Our private-room line reads in the room as ".pr loop ..." (a command's shape).
    desktop.setRegistryValue(kSettingsKey, "ascii", reg::Sz, ".pr loop ");
    ASSERT_FALSE(desktop.run([&] { app.start(); }));
    desktop.runFor(5);
    chat.send(".pr Lounge");
    desktop.runFor(10);
    ASSERT_EQ(chat.record().links().size(), 1u);
    const auto posted = chat.record().posted();
    const auto ours = std::find_if(posted.begin(), posted.end(),
                                   [](const std::string& line) { return line.find(">ollin ") != std::string::npos; });
    ASSERT_NE(ours, posted.end());

    // Its echo was recognised once; the same text typed by the user is the user's command.
    chat.send(standin::stripTags(*ours));
    desktop.runFor(10);
    EXPECT_EQ(chat.record().links().size(), 2u) << "the user's own line was taken for our echo";
}

// How late, in virtual seconds, a click on the bar may be handled while the client
// hangs: one glance at a client that has just stopped answering, and no more.
constexpr double kInputBound = 0.25;

class HungClient : public WholeProgram {
protected:
    void SetUp() override {
        ASSERT_FALSE(desktop.run([&] { app.start(); }));
        desktop.runFor(5);
        Window* splash = desktop.form("frmSplash");
        ASSERT_NE(splash, nullptr);
        desktop.click(*splash->control("Image1"));
        desktop.runFor(2);
    }
    // Clicks the bar's arrow `delay` seconds from now, the menu dismissed at once;
    // the answer is how late the click was handled, in virtual seconds.
    void clickArrowIn(double delay, double& lateness) {
        const double due = desktop.now() + delay;
        desktop.post(delay, [this, due, &lateness] {
            lateness = desktop.now() - due;
            const std::size_t before = desktop.popups().size();
            desktop.queuePopupChoice("");
            Window* bar = desktop.form("frmMain");
            if (!bar) throw std::runtime_error("no bar");
            desktop.click(*bar->control("lblPop"));
            if (desktop.popups().size() != before + 1) throw std::runtime_error("the arrow opened no menu");
        });
    }
};

TEST_F(HungClient, TheBarAnswersAtOnceAndTheCommandsSaidBeforeTheHangStillRun) {
    // The user's command is in the room, not yet seen by the watcher, when the client hangs.
    ASSERT_TRUE(chat.send(".idleon"));
    ASSERT_TRUE(chat.hang(30));
    const double clickDelays[] = {0.01, 0.1, 4, 12, 25, 29.9};
    double lateness[std::size(clickDelays)] = {};
    for (std::size_t i = 0; i < std::size(clickDelays); ++i) clickArrowIn(clickDelays[i], lateness[i]);
    desktop.runFor(29.95);
    EXPECT_EQ(postedContaining("<b>idl\xE8 on</b>"), 0) << "posted while the client hung";
    desktop.runFor(1);
    for (std::size_t i = 0; i < std::size(clickDelays); ++i) {
        EXPECT_LE(lateness[i], kInputBound) << "a click " << clickDelays[i] << " s into the hang";
    }
    desktop.runFor(10);
    EXPECT_EQ(postedContaining("<b>idl\xE8 on</b>"), 1) << "the command was lost in the hang";
    ASSERT_NE(app.chatWatcher(), nullptr);
    EXPECT_EQ(app.chatWatcher()->stats().clientStalls, 1u) << "the stall is noticed once";
}

}  // namespace
}  // namespace lantern
