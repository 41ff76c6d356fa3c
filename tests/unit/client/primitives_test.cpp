// The window primitives and the pause, on single windows of the simulated desktop.

#include "client_scene.h"

namespace lantern {
namespace {

using ClientPrimitives = ClientScene;

TEST_F(ClientPrimitives, WriteTextAlwaysClearsFirst) {
    for (const std::string text : {"hello", "", "lant\xE8rn Idl\xE8"}) {
        const WindowHandle box = add(0, "Edit", "old");
        startRecording();
        client.writeText(box, text);
        expectTraffic({{box, msg::SetText, 0, ""}, {box, msg::SetText, 0, text}});
        EXPECT_EQ(desktop.caption(box), text);
    }
}

TEST_F(ClientPrimitives, ClickIsButtonDownThenSpaceKeyUp) {
    const WindowHandle button = add(0, "_AOL_Icon");
    startRecording();
    client.clickWindow(button);
    expectTraffic({{button, msg::LButtonDown, 0, ""}, {button, msg::KeyUp, kVkSpace, ""}});
    for (const sim::RecordedMessage& m : desktop.messages()) {
        EXPECT_EQ(m.lParam, 0);
    }
}

TEST_F(ClientPrimitives, ReadTextAsksLengthThenTextWithRoomForTheNul) {
    for (const std::string text : {"Welcome, Bob!", "", "\xE8t\xE9"}) {
        const WindowHandle window = add(0, "AOL Child", text);
        startRecording();
        EXPECT_EQ(client.readText(window), text);
        expectTraffic({{window, msg::GetTextLength, 0, ""}, {window, msg::GetText, text.size() + 1, text}});
    }
}

// A window whose text changes between the length and the read, or that reports a
// length that cannot be.
TEST_F(ClientPrimitives, ReadTextKeepsOnlyWhatWasCopied) {
    struct Case {
        std::intptr_t reportedLength;
        std::string copied;
        std::string expected;
    };
    // Grown, shrunk, emptied; a length that no window has, either way.
    for (const Case& c : {Case{3, "abcdefgh", "abc"}, Case{10, "ab", "ab"}, Case{4, "", ""},
                          Case{-5, "abc", ""}, Case{INTPTR_MAX, "abc", "abc"}}) {
        const WindowHandle window = add(0, "RICHCNTL");
        desktop.setHandler(window,
                           [c](WindowHandle, unsigned message, std::uintptr_t, std::intptr_t,
                               std::string& text) -> std::optional<std::intptr_t> {
                               if (message == msg::GetTextLength) {
                                   return c.reportedLength;
                               }
                               text = c.copied;  // WM_GETTEXT
                               return static_cast<std::intptr_t>(c.copied.size());
                           });
        const std::string read = client.readText(window);
        EXPECT_EQ(read, c.expected);
        EXPECT_EQ(read.find('\0'), std::string::npos);
    }
}

TEST_F(ClientPrimitives, CloseMinimizeAndKeepOnTop) {
    const WindowHandle closing = add(0, "AOL Child");
    const WindowHandle minimizing = add(0, "AOL Child");
    const WindowHandle ours = add(0, "ThunderForm");
    startRecording();
    client.closeWindow(closing);
    client.minimizeWindow(minimizing);
    client.keepOnTop(ours);
    expectTraffic({{closing, msg::Close, 0, ""}});
    EXPECT_FALSE(desktop.exists(closing));
    EXPECT_TRUE(desktop.minimized(minimizing));
    EXPECT_TRUE(desktop.topmost(ours));
}

TEST_F(ClientPrimitives, MainCaptionGoesToTheFrameOnly) {
    client.setMainCaption("nobody");  // no client: nothing to write to
    EXPECT_TRUE(desktop.messages().empty());

    openClient();
    startRecording();
    client.setMainCaption("lant\xE8rn");
    expectTraffic({{frame, msg::SetText, 0, ""}, {frame, msg::SetText, 0, "lant\xE8rn"}});
    EXPECT_EQ(desktop.caption(frame), "lant\xE8rn");
}

// A window that is gone or hung ends the primitive at its first failed send.
TEST_F(ClientPrimitives, UndeliveredSendEndsThePrimitive) {
    for (bool hung : {false, true}) {
        const WindowHandle window = add(0, "RICHCNTL", "text");
        hung ? desktop.hang(window, 1000) : desktop.destroyWindow(window);
        for (auto primitive : {+[](Client&c, WindowHandle w) { EXPECT_EQ(c.readText(w), ""); },
                               +[](Client&c, WindowHandle w) { c.writeText(w, "x"); },
                               +[](Client&c, WindowHandle w) { c.clickWindow(w); }}) {
            startRecording();
            primitive(client, window);
            ASSERT_EQ(desktop.messages().size(), 1u) << (hung ? "hung" : "gone");
            EXPECT_FALSE(desktop.messages()[0].delivered);
            EXPECT_LE(elapsed(), 20.0 + 1e-6);  // one send timeout at most
        }
    }
}

TEST_F(ClientPrimitives, PauseWaitsItsDurationRunningEventsWithoutSpinning) {
    struct Case {
        double startOfDay;
        double seconds;
    };
    // Mid-day, and across midnight where the time of day starts again at 0.
    for (const Case& c : {Case{43200, 0.3}, Case{86399.9, 0.3}, Case{86398, 5}, Case{43200, 0}}) {
        desktop.setTimeOfDay(c.startOfDay);
        bool eventRan = false;
        desktop.post(c.seconds / 2, [&] { eventRan = true; });
        const long waitsBefore = desktop.eventWaits();
        startRecording();
        client.pauseSeconds(c.seconds);
        EXPECT_NEAR(elapsed(), c.seconds, 1e-6) << "from " << c.startOfDay;
        EXPECT_EQ(eventRan, c.seconds > 0);
        EXPECT_LT(desktop.eventWaits() - waitsBefore, 10);
        desktop.runFor(1);  // let a pending event of a zero pause go
    }
}

}  // namespace
}  // namespace lantern
