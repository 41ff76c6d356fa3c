// The chat command processor: which lines command us, what each command does and
// posts, and the chores that every line gets.

#include "presence_scene.h"

namespace lantern {
namespace {

using standin::TransferKind;

class ChatCommands : public PresenceScene {
protected:
    ChatCommands() { started(); }
    std::string idleOnLine() { return expected::commandIdleBanner(defaults, true); }
};

struct Recognition {
    const char* author;
    const char* text;
    bool switchesIdlingOn;
};

class IdleOnRecognition : public ChatCommands, public ::testing::WithParamInterface<Recognition> {};

TEST_P(IdleOnRecognition, OnlyTheSignedOnUsersExactCommandRuns) {
    ASSERT_FALSE(line(GetParam().author, GetParam().text));
    EXPECT_EQ(presence.idle().idleOn, GetParam().switchesIdlingOn);
    EXPECT_EQ(posted().size(), GetParam().switchesIdlingOn ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IdleOnRecognition,
    ::testing::Values(Recognition{kUser, ".idleon", true}, Recognition{kUser, ".IdleOn", true},
                      Recognition{kUser, ".IDLEON", true}, Recognition{kUser, ".idleon ", false},
                      Recognition{kUser, "..idleon", false}, Recognition{kUser, " .idleon", false},
                      Recognition{kUser, "idleon", false}, Recognition{"zephyr lights", ".idleon", false},
                      Recognition{"Zephyr Lights ", ".idleon", false}, Recognition{"ZephyrLights", ".idleon", false},
                      Recognition{"Someone Else", ".idleon", false}));

TEST_F(ChatCommands, OthersCannotEndTheProgramEvenByQuotingTheUser) {
    const std::vector<std::pair<std::string, std::string>> attempts = {
        {"Someone Else", ".end"},
        {"Someone Else", std::string(kUser) + ":\t.end"},
        {"Someone Else", "\r\n" + std::string(kUser) + ":\t.exit"},
        {"zephyr lights", ".end"},
        {"Zephyr Lights ", ".exit"},
    };
    for (const auto& [author, text] : attempts) {
        EXPECT_FALSE(line(author, text)) << author << " said " << text;
    }
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(scanner.stops, 0);
}

TEST_F(ChatCommands, NobodySignedOnMeansNobodyCommands) {
    chat->signOff();
    for (const std::string author : {kUser, kNotOnline, ""}) {
        EXPECT_FALSE(line(author, ".end"));
        EXPECT_FALSE(line(author, ".idleon"));
    }
    EXPECT_FALSE(presence.idle().idleOn);
    EXPECT_TRUE(posted().empty());
}

struct RoomCase {
    const char* text;
    bool aim;
    const char* argument;  // nullptr: nothing runs
};

class RoomCommands : public ChatCommands, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(RoomCommands, PostTheirLineAndOpenTheLinkWithTheArgumentAsTyped) {
    const RoomCase& c = GetParam();
    ASSERT_FALSE(userSays(c.text));
    if (c.argument == nullptr) {
        EXPECT_TRUE(posted().empty());
        EXPECT_TRUE(chat->record().links().empty());
        return;
    }
    const std::string argument = c.argument;
    EXPECT_EQ(posted(), std::vector<std::string>{c.aim ? expected::chatRoomLine(defaults, argument)
                                                       : expected::privateRoomLine(defaults, argument)});
    EXPECT_EQ(chat->record().links(),
              std::vector<std::string>{(c.aim ? "aol://2719:10-4-" : "aol://2719:2-2-") + argument});
    EXPECT_EQ(chat->keywordWindow(), 0u) << "the keyword window is closed after the pause";
}

INSTANTIATE_TEST_SUITE_P(
    Table, RoomCommands,
    ::testing::Values(RoomCase{".pr Vx9 Hide Out ", false, "vx9 hide out "}, RoomCase{".PR  two", false, " two"},
                      RoomCase{".pr ", false, ""}, RoomCase{".aim Buddy Name", true, "buddy name"},
                      RoomCase{".pr", false, nullptr}, RoomCase{".aim", true, nullptr},
                      RoomCase{".prx room", false, nullptr}, RoomCase{".aimbuddy", true, nullptr},
                      RoomCase{" .pr room", false, nullptr}));

TEST_F(ChatCommands, IdleOnTwicePostsTwiceAndTheCountRunsOn) {
    ASSERT_FALSE(userSays(".idleon"));
    EXPECT_EQ(mainWindow.txtIdle, "on");
    EXPECT_TRUE(mainWindow.idleTimer().enabled());
    EXPECT_FALSE(mainWindow.cmdIdle);
    EXPECT_TRUE(mainWindow.cmdOff);
    EXPECT_EQ(mainWindow.caption, "Idle 0 : 0 : 0");

    desktop.runFor(3 * 60 + 5);
    ASSERT_FALSE(userSays(".idleon"));
    EXPECT_EQ(mainWindow.caption, "Idle 0 : 0 : 3");
    desktop.runFor(60);

    const auto lines = posted();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], idleOnLine());
    EXPECT_EQ(lines[3], expected::idleLine(defaults, 0, 0, 3, "uppin."));
    EXPECT_EQ(lines[4], idleOnLine());
    EXPECT_EQ(lines[5], expected::idleLine(defaults, 0, 0, 4, "uppin."));
}

TEST_F(ChatCommands, IdleOffKeepsTheCountersAndTheCaption) {
    ASSERT_FALSE(userSays(".idleon"));
    desktop.runFor(2 * 60 + 5);
    ASSERT_FALSE(userSays(".idleoff"));

    EXPECT_EQ(posted().back(), expected::commandIdleBanner(defaults, false));
    EXPECT_EQ(mainWindow.txtIdle, "off");
    EXPECT_FALSE(presence.idle().idleOn);
    EXPECT_FALSE(mainWindow.idleTimer().enabled());
    EXPECT_TRUE(mainWindow.cmdIdle);
    EXPECT_FALSE(mainWindow.cmdOff);
    EXPECT_EQ(presence.idle().idleMins, 2);
    EXPECT_EQ(mainWindow.caption, "Idle 0 : 0 : 0");

    ASSERT_FALSE(userSays(".idleon"));
    EXPECT_EQ(mainWindow.caption, "Idle 0 : 0 : 2");
}

TEST_F(ChatCommands, IdlingSwitchedOffWhileTheIdleOnLineIsPostedPostsNoIdleLines) {
    // The menu's Off, run from inside the post: the command goes on with the state of
    // that moment and enables the timer, whose ticks then find idling off and post
    // nothing.
    desktop.post(0.5, [&] { menuOff(); });
    ASSERT_FALSE(userSays(".idleon"));
    EXPECT_FALSE(presence.idle().idleOn);
    EXPECT_TRUE(mainWindow.idleTimer().enabled());
    const auto postedBefore = chat->record().posted().size();
    desktop.runFor(3 * 60 + 1);
    EXPECT_EQ(chat->record().posted().size(), postedBefore) << "a tick posted while idling was off";
    EXPECT_EQ(presence.idle().idleMins, 0);
}

TEST_F(ChatCommands, ComsShowsTheListAndPostsEachTime) {
    ASSERT_FALSE(userSays(".coms"));
    ASSERT_FALSE(userSays(".COMS"));
    EXPECT_EQ(windows.commandLists, 2);
    EXPECT_EQ(posted(), std::vector<std::string>(2, expected::commandsLine(defaults)));
}

TEST_F(ChatCommands, AnEmptyPrefixStartsEveryLineWithTheColour) {
    presence.style().asciiPrefix = "";
    for (const char* command : {".idleon", ".idleoff", ".coms", ".pr x", ".aim y"}) {
        ASSERT_FALSE(userSays(command));
    }
    ASSERT_EQ(posted().size(), 5u);
    for (const std::string& posting : posted()) {
        EXPECT_EQ(posting.rfind("<font color=#ff3300>", 0), 0u) << posting;
    }
}

TEST_F(ChatCommands, EveryLineMinimisesBothTransferWindows) {
    chat->startTransfer(TransferKind::Download);
    chat->startTransfer(TransferKind::Upload);
    const WindowHandle download = chat->transferWindow(TransferKind::Download);
    const WindowHandle upload = chat->transferWindow(TransferKind::Upload);

    for (const auto& [author, text] : std::vector<std::pair<std::string, std::string>>{
             {"Someone Else", "hello"}, {kUser, "just talking"}, {kUser, ".coms"}, {"Someone Else", ".end"}}) {
        ASSERT_FALSE(line(author, text));
    }
    EXPECT_EQ(windowSystem.minimised[download], 4);
    EXPECT_EQ(windowSystem.minimised[upload], 4);
    EXPECT_EQ(desktop.topmostCalls(mainWindow.handle()), 1 + 4);  // start-up, then every line
}

}  // namespace
}  // namespace lantern
