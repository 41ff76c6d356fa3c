// The whole program against the stand-in client, through our own chat watcher: the
// lines we post come back through the room under the user's name and must never be
// taken for the user's commands.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app.h"
#include "platform/sim/desktop.h"
#include "standin/model/markup.h"
#include "standin/sim/sim_standin.h"
#include "style/settings.h"

namespace lantern {
namespace {

class OwnEcho : public ::testing::Test {
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

}  // namespace
}  // namespace lantern
