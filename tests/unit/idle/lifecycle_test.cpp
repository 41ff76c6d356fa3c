// Start-up and both forms of shut-down.

#include <algorithm>

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

    EXPECT_EQ(posted(), std::vector<std::string>{expected::banner(c.want, expected::kLoad)});
    EXPECT_EQ(frameCaptions(),
              std::vector<std::string>{"z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . ."});
    EXPECT_EQ(boxWrites, (std::vector<Box>{{"txtAsciiColor", c.wantAsciiCol},
                                           {"txtFirstColor", c.wantFirstBox},
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
        Stored{{{"firstColor", "123456"}, {"secondColor", "abcdef"}, {"ascii", kOdd}},
               "000000",
               "123456",
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

// The timer as the presence sees it, telling the scene of every change.
class TracedTimer final : public Timer {
public:
    TracedTimer(Timer& inner, std::function<void(const std::string&)> trace)
        : inner_(inner), trace_(std::move(trace)) {}
    unsigned interval() const override { return inner_.interval(); }
    void setInterval(unsigned milliseconds) override {
        trace_("interval " + std::to_string(milliseconds));
        inner_.setInterval(milliseconds);
    }
    bool enabled() const override { return inner_.enabled(); }
    void setEnabled(bool enabled) override {
        trace_(enabled ? "timer on" : "timer off");
        inner_.setEnabled(enabled);
    }

private:
    Timer& inner_;  // not owned: the scene's
    std::function<void(const std::string&)> trace_;
};

// Every step of a start-up or shut-down in the order it happened: the posts and the
// frame's captions as the stand-in saw them, between the changes to the timer, the
// scanner and the registry.
class Traced : public Lifecycle {
protected:
    Traced() {
        registry.onWrite = [this](const std::string& name) { note("write " + name); };
        onScannerStart = [this] { note("scanner start"); };
        onScannerStop = [this] { note("scanner stop"); };
    }
    Timer& idleTimer() override { return traced_; }

    // The trace so far, with what reached the stand-in since the last step.
    const std::vector<std::string>& trace() {
        note("");
        return trace_;
    }
    void note(const std::string& step) {
        const std::vector<standin::Event>& events = chat->record().events();
        for (; eventsSeen_ < events.size(); ++eventsSeen_) {
            const standin::Event& event = events[eventsSeen_];
            if (event.kind == standin::EventKind::Posted) trace_.push_back("post " + name(event.text));
            // Less the clearing before each caption.
            if (event.kind == standin::EventKind::FrameCaption && !event.text.empty()) {
                trace_.push_back("caption " + event.text);
            }
        }
        if (!step.empty()) trace_.push_back(step);
    }
    std::string name(const std::string& line) const {
        if (line == expected::banner(defaults, expected::kLoad)) return "load banner";
        if (line == expected::banner(defaults, expected::kUnload)) return "unload banner";
        if (line == expected::banner(defaults, expected::kCommandUnload)) return "command unload banner";
        return line;
    }
    void forget() {
        trace_.clear();
        chat->record().clear();
        eventsSeen_ = 0;
    }

private:
    TracedTimer traced_{*timer, [this](const std::string& step) { note(step); }};
    std::vector<std::string> trace_;
    std::size_t eventsSeen_ = 0;
};

const std::string kStart = "caption z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . .";
const std::string kClosing = "caption America Online - Owned by: vx9";

TEST_F(Traced, StartUpMarksTheFrameThenAnnouncesThenStartsTheScanner) {
    ASSERT_FALSE(startUp());
    EXPECT_EQ(trace(), (std::vector<std::string>{kStart, "post load banner", "scanner start"}));
}

struct EndCase {
    const char* name;
    std::function<void(Presence&)> end;
    std::vector<std::string> steps;
    friend void PrintTo(const EndCase& c, std::ostream* out) { *out << c.name; }
};

// The menu form: banner, timer, scanner, tBox, caption. The chat-command form: no tBox.
// At the end of the session: tBox first, so the reason survives a client that is gone.
const std::vector<std::string> kMenuSteps = {"post unload banner", "interval 0", "timer off",
                                             "scanner stop",       "write tBox", kClosing};
const std::vector<std::string> kCommandSteps = {"post command unload banner", "interval 0", "timer off", "scanner stop",
                                                kClosing};
const std::vector<std::string> kSessionSteps = {"write tBox", "post unload banner", "interval 0",
                                                "timer off",  "scanner stop",       kClosing};

class Ending : public Traced, public ::testing::WithParamInterface<EndCase> {};

TEST_P(Ending, OneBannerStepsInOrderThenTheEndAtOnce) {
    storeSetting("tBox", "old reason");
    started();
    txtRsn = "out to lunch \xE0 midi";
    ASSERT_FALSE(says(".idleon"));
    ASSERT_TRUE(timer->enabled());
    chat->startTransfer(standin::TransferKind::Download);
    forget();

    EXPECT_TRUE(desktop.run([&] { GetParam().end(presence); }));

    EXPECT_EQ(trace(), GetParam().steps);
    const bool saved = std::count(GetParam().steps.begin(), GetParam().steps.end(), "write tBox") == 1;
    EXPECT_EQ(desktop.registryValue(kSettingsKey, "tBox")->data, saved ? txtRsn : "old reason");
    // Nothing of ours ran after the end: not the chores; and the timer was stopped
    // by the program, not only by the end of the process.
    EXPECT_FALSE(desktop.minimized(chat->transferWindow(standin::TransferKind::Download)));
    EXPECT_EQ(std::pair(timer->enabled(), timer->interval()), std::pair(false, 0u));
}

INSTANTIATE_TEST_SUITE_P(
    AllForms, Ending,
    ::testing::Values(EndCase{"ExitFromTheMenu", [](Presence& p) { p.endProgram(EndForm::Menu); }, kMenuSteps},
                      EndCase{"MainWindowClosed", [](Presence& p) { p.mainWindowClosed(); }, kMenuSteps},
                      EndCase{"SessionEnds", [](Presence& p) { p.sessionEnding(); }, kSessionSteps},
                      EndCase{"ChatCommand", [](Presence& p) { p.endProgram(EndForm::ChatCommand); }, kCommandSteps},
                      EndCase{"DotEnd", [](Presence& p) { p.onChatLine(kUser, ".end"); }, kCommandSteps},
                      EndCase{"DotExitInCapitals", [](Presence& p) { p.onChatLine(kUser, ".EXIT"); }, kCommandSteps}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace lantern
