// The signed-on user drives the add-on from the room of the real stand-in:
// ".idleon", the first idle line a minute later, ".pr" into a private room, ".end".

#include <cstdio>

#include "e2e/expected_lines.h"
#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

std::optional<LogEntry> findEntry(const StandinLog& log, const std::string& kind, const std::string& lastField) {
    const std::vector<LogEntry> entries = log.read();
    const long position = positionOf(entries, kind, lastField);
    if (position < 0) return std::nullopt;
    return entries[static_cast<std::size_t>(position)];
}

using ChatCommands = EndToEnd;

TEST_F(ChatCommands, IdleOnThenTheFirstIdleLineThenAPrivateRoomThenEnd) {
    startStandin();
    startAddOn();
    waitForStartUp();
    sleepSeconds(0.5);  // the chat watcher starts right after the main window goes on top

    const std::string prefix = defaultPrefix("000000");
    const Colours colours;
    const std::string idleOn = commandIdleOnBanner(prefix, colours);
    ASSERT_TRUE(command("send .idleon"));
    ASSERT_TRUE(log().waitFor("posted", idleOn, 20)) << "no idle-on line; expected " << printable(idleOn);
    EXPECT_EQ(caption(mainWindow()), "Idle 0 : 0 : 0");

    const std::string firstIdle = idleLine(prefix, colours, 0, 0, 1, "uppin.");
    ASSERT_TRUE(log().waitFor("posted", firstIdle, 100)) << "no idle line; expected " << printable(firstIdle);
    const double minute =
        static_cast<double>(findEntry(log(), "posted", firstIdle)->ms - findEntry(log(), "posted", idleOn)->ms) / 1000;
    std::printf("first idle line %.3f s after the idle-on line\n", minute);
    EXPECT_GT(minute, 55.0);
    EXPECT_LT(minute, 80.0);

    ASSERT_TRUE(command("send .pr My Room"));
    const std::string link = "aol://2719:2-2-my room";
    ASSERT_TRUE(log().waitFor("link", link, 20)) << "the private room's link was not opened";
    ASSERT_TRUE(waitUntil([&] { return !log().entries("closed").empty(); }, 10)) << "the keyword window stayed open";
    const std::vector<LogEntry> closed = log().entries("closed");
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].field(1), "Keyword") << "closed a window other than the keyword window";
    ASSERT_TRUE(log().waitFor("room-entered", "my room", 10));
    const std::string privateRoom = privateRoomLine(prefix, colours, "my room");
    const std::vector<LogEntry> entries = log().read();
    EXPECT_LT(positionOf(entries, "posted", privateRoom), positionOf(entries, "link", link))
        << "the private-room line did not come before the link";
    sleepSeconds(1.0);  // the command's last pause

    ASSERT_TRUE(command("send .end"));
    const std::optional<DWORD> exitCode = addOn().waitForExit(30);
    ASSERT_TRUE(exitCode) << "\".end\" did not end the add-on";
    EXPECT_EQ(*exitCode, 0u);

    const std::string unload = commandUnloadBanner(prefix, colours);
    const std::vector<std::string> expected = {
        loadBanner(prefix, colours), ".idleon", idleOn, firstIdle, ".pr My Room", privateRoom, ".end", unload};
    const std::vector<std::string> posted = log().posted();
    EXPECT_EQ(posted, expected) << "posted:\n" << [&] {
        std::string all;
        for (const std::string& line : posted) all += "  " + printable(line) + "\n";
        return all;
    }();
    const std::optional<LogEntry> unloadEntry = findEntry(log(), "posted", unload);
    ASSERT_TRUE(unloadEntry);
    EXPECT_EQ(unloadEntry->field(0), "my room") << "the unload line went to another room";
    EXPECT_EQ(log().captions().back(), kClosingCaption);
    EXPECT_EQ(caption(frame()), kClosingCaption);
    EXPECT_FALSE(readStoredSetting("tBox")) << "\".end\" stored the reason";
}

}  // namespace
}  // namespace lantern::e2e
