// The chat command processor: which lines command us, what each command posts, and
// the chores that every line gets.

#include "presence_scene.h"

namespace lantern {
namespace {

using standin::TransferKind;

class ChatCommands : public PresenceScene {
protected:
    ChatCommands() { started(); }
};

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
    const int topmostBefore = desktop.topmostCalls(mainWindow.handle());
    ASSERT_FALSE(says(GetParam().text, GetParam().author)) << "the program ended";
    EXPECT_EQ(presence.idle().idleOn, GetParam().idlesOn);
    EXPECT_EQ(posted().size(), GetParam().idlesOn ? 1u : 0u);
    EXPECT_TRUE(desktop.minimized(chat->transferWindow(TransferKind::Download)));
    EXPECT_TRUE(desktop.minimized(chat->transferWindow(TransferKind::Upload)));
    EXPECT_EQ(desktop.topmostCalls(mainWindow.handle()), topmostBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WhoCommands,
    ::testing::Values(Said{true, kUser, ".idleon", true}, Said{true, kUser, ".IdleOn", true},
                      Said{true, kUser, ".idleon ", false}, Said{true, kUser, "..idleon", false},
                      Said{true, kUser, " .idleon", false}, Said{true, "Someone Else", ".end", false},
                      Said{true, "zephyr lights", ".idleon", false}, Said{true, "Zephyr Lights ", ".exit", false},
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
                                           RoomCase{".pr ", false, ""},
                                           RoomCase{".aim Buddy Name", true, "buddy name"},
                                           RoomCase{".pr", false, nullptr}, RoomCase{".aimbuddy", true, nullptr},
                                           RoomCase{" .pr room", false, nullptr}));

TEST_F(ChatCommands, IdleOnTwiceCountsOnAndIdleOffLeavesTheCounters) {
    auto controls = [&] {  // txtIdle, timer running, cmdIdle, cmdOff, caption
        return std::tuple(mainWindow.txtIdle, mainWindow.timer->enabled(), mainWindow.cmdIdle, mainWindow.cmdOff,
                          mainWindow.caption);
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
    EXPECT_EQ(mainWindow.caption, "Idle 0 : 0 : 4");

    const std::string on = expected::commandIdleBanner(defaults, true);
    auto idle = [&](int mins) { return expected::idleLine(defaults, 0, 0, mins, "uppin."); };
    EXPECT_EQ(posted(), (std::vector<std::string>{on, idle(1), idle(2), idle(3), on, idle(4),
                                                  expected::commandIdleBanner(defaults, false), on}));
}

TEST_F(ChatCommands, ComsShowsTheListAndPostsEachTime) {
    ASSERT_FALSE(says(".coms"));
    ASSERT_FALSE(says(".COMS"));
    EXPECT_EQ(windows.commandLists, 2);
    EXPECT_EQ(posted(), std::vector<std::string>(2, expected::commandsLine(defaults)));
}

TEST_F(ChatCommands, AnEmptyPrefixStartsTheLineWithTheColour) {
    presence.style().asciiPrefix = "";
    ASSERT_FALSE(says(".idleon"));
    ASSERT_FALSE(says(".pr x"));
    const expected::Style s{"", defaults.c1, defaults.c2};
    EXPECT_EQ(posted(),
              (std::vector<std::string>{expected::commandIdleBanner(s, true), expected::roomLine(s, false, "x")}));
}

}  // namespace
}  // namespace lantern
