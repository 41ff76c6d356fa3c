// Log-off and shut-down while the program runs: the desktop asks every window, tells
// every window, then ends the process. Whatever the program did not do while it was
// told is lost, as on Windows.

#include <algorithm>

#include "platform/messages.h"
#include "style/style.h"
#include "ui_scene.h"

namespace lantern {
namespace {

struct SessionCase {
    const char* name;
    double clientHangs;  // seconds, from just before the session ends; 0: the client answers
    bool bannerAndCaption;
    friend void PrintTo(const SessionCase& c, std::ostream* out) { *out << c.name; }
};

class SessionEnd : public UiScene, public ::testing::WithParamInterface<SessionCase> {};

TEST_P(SessionEnd, RunsTheMenuFormStepsOnceWithinAFewSeconds) {
    const SessionCase& c = GetParam();
    store("tBox", "old reason");
    startProgram();
    const std::string unload = expected::banner({}, expected::kUnload);
    if (c.clientHangs > 0) chat.hang(c.clientHangs);
    const double began = desktop.now();

    ASSERT_TRUE(desktop.endSession());

    EXPECT_TRUE(desktop.programEnded());
    EXPECT_EQ(stored("tBox"), "sleepin...") << "the reason box was not stored";
    // The steps run inside WM_ENDSESSION, before Windows ends the process: a few seconds.
    EXPECT_LE(desktop.now() - began, 3.0);
    const std::vector<std::string> captions = chat.record().captions();
    if (c.bannerAndCaption) {
        EXPECT_EQ(posted(), std::vector<std::string>{unload});
        EXPECT_EQ(captions.empty() ? "" : captions.back(), expected::kClosingCaption);
    } else {
        EXPECT_TRUE(posted().empty());
    }
    // The process is gone: no tick, no second run of the steps.
    desktop.runFor(600);
    EXPECT_EQ(posted().size(), c.bannerAndCaption ? 1u : 0u);
    const auto tBoxWrites = std::count_if(desktop.registryWrites().begin(), desktop.registryWrites().end(),
                                          [](const sim::RegistryWrite& write) { return write.name == "tBox"; });
    EXPECT_EQ(tBoxWrites, 1);
}

INSTANTIATE_TEST_SUITE_P(Client, SessionEnd,
                         ::testing::Values(SessionCase{"Answering", 0, true}, SessionCase{"Hung", 600, false}),
                         [](const auto& test) { return std::string(test.param.name); });

// Only the main window runs the steps, however many windows are told and however often.
TEST_F(UiScene, EveryWindowIsAskedAndMayLetTheSessionEnd) {
    startProgram();
    choose("mnuOptsComs");  // one more window of ours
    desktop.clearMessages();
    ASSERT_TRUE(desktop.endSession());
    int asked = 0, told = 0;
    for (const sim::RecordedMessage& message : desktop.messages()) {
        asked += message.message == msg::QueryEndSession;
        told += message.message == msg::EndSession && message.wParam == 1;
    }
    EXPECT_GE(asked, 4);  // the bar, the menu's window, the style dialog, the list
    EXPECT_GE(told, 1);  // the bar's steps end the process: the others may never hear
    EXPECT_EQ(posted().size(), 1u);
}

}  // namespace
}  // namespace lantern
