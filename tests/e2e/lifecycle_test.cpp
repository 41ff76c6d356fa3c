// Start-up, a second instance and closing in one run; a run without any client.

#include "e2e/harness.h"
#include "support/expected_lines.h"

namespace lantern::e2e {
namespace {

using namespace expected;

TEST_F(EndToEnd, StartUpSecondInstanceAndClosing) {
    // A number where a colour belongs reads as not set; a stored prefix is used as it is.
    const char* const prefix = "<font face=Arial><font color=#00ff00>\xE9t\xE9</font><font face=Tahoma> ";
    const char* const stored[][3] = {{"ascii", "REG_SZ", prefix},
                                     {"asciiCol", "REG_SZ", "9900cc"},
                                     {"firstColor", "REG_SZ", "0066cc"},
                                     {"secondColor", "REG_DWORD", "255"}};
    for (const auto& value : stored) ASSERT_TRUE(regAdd(value[0], value[1], value[2])) << value[0];
    const Style style{prefix, "0066cc", "000066"};
    startStandin();
    const std::string typed = "half a thought";
    ASSERT_TRUE(command("type " + typed));
    startAddOn();
    waitForStartUp();

    const std::string load = banner(style, kLoad);
    EXPECT_EQ(log().posted(), std::vector<std::string>{load});
    EXPECT_EQ(caption(frame()), kStartCaption);
    // The load banner through sendChat, the user's half-typed text read first and given
    // back last; the pauses between, with wide margins under Wine.
    test::expectTraffic(test::sendChatTraffic(typed, load), inputTraffic(), test::kPauses);
    EXPECT_EQ(controlText(inputBox()), typed) << "the user's half-typed text is not back";

    const std::size_t captions = log().read("caption").size();
    Process second(programPath("lantern-idle.exe"));
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] { return (box = findTopLevel("#32770", second.id(), "The requested application is already open")); }, 30));
    EXPECT_EQ(controlText(GetDlgItem(box, 0xFFFF)), "And you call me the newbie...lol.");
    EXPECT_TRUE(topLevelWindows("#32770", addOn().id()).empty()) << "the first instance showed a box";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.waitForExit(15)) << "the second instance did not end after OK";
    EXPECT_EQ(log().posted().size(), 1u) << "something was posted for the second instance";
    EXPECT_EQ(log().read("caption").size(), captions) << "the frame's caption was written again";
    ASSERT_TRUE(addOn().running()) << "the first instance ended";

    ASSERT_FALSE(readStoredSetting("tBox")) << "the reason was stored before shut-down";
    PostMessageA(mainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(addOn().waitForExit(20), std::optional<DWORD>(0));
    const std::string unload = banner(style, kUnload);
    EXPECT_EQ(log().posted(), (std::vector<std::string>{load, unload}));
    EXPECT_EQ(caption(frame()), kClosingCaption);
    EXPECT_LT(log().find("posted", unload).index, log().find("caption", kClosingCaption).index)
        << "the closing caption came before the unload banner";
    EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin..."));
}

// Log-off or shut-down, as Windows does it: every window is asked, then told; the
// process is ended right after. With the client answering, the menu form's steps
// come in order; with the client hung, the reason box is stored all the same and the
// add-on is gone within a few seconds (a send waits 20 s otherwise).
TEST_F(EndToEnd, SessionEndRunsTheClosingStepsOnce) {
    for (const bool clientHung : {false, true}) {
        SCOPED_TRACE(clientHung ? "client hung" : "client answering");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\vx9");
        ASSERT_NO_FATAL_FAILURE(startStandin());
        ASSERT_NO_FATAL_FAILURE(startAddOn());
        ASSERT_NO_FATAL_FAILURE(waitForStartUp());
        const std::size_t postsBefore = log().posted().size();
        if (clientHung) {
            ASSERT_TRUE(command("hang 60"));
        }

        DWORD_PTR mayEnd = FALSE;
        ASSERT_TRUE(SendMessageTimeoutA(mainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &mayEnd));
        EXPECT_EQ(mayEnd, static_cast<DWORD_PTR>(TRUE)) << "the add-on refused the end of the session";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(mainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 30000, &ignored);
        EXPECT_EQ(addOn().waitForExit(clientHung ? 10 : 20), std::optional<DWORD>(0)) << "the add-on still runs";
        EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin...")) << "the reason was lost";

        const std::vector<std::string> posted = log().posted();
        const std::string unload = banner(Style{}, kUnload);
        if (clientHung) {
            EXPECT_EQ(posted.size(), postsBefore) << "a line came from a client that hung";
        } else {
            EXPECT_EQ(std::vector<std::string>(posted.begin() + static_cast<long>(postsBefore), posted.end()),
                      std::vector<std::string>{unload});
            EXPECT_EQ(caption(frame()), kClosingCaption);
            EXPECT_LT(log().find("posted", unload).index, log().find("caption", kClosingCaption).index)
                << "the closing caption came before the unload banner";
        }
        standin().kill();
        ASSERT_TRUE(waitUntil([] { return !FindWindowA(kFrameClass, nullptr); }, 10));
    }
}

TEST_F(EndToEnd, NoClientNoMessageBox) {
    startAddOn();
    bool shown = false;
    auto boxShown = [&] { return shown = shown || !topLevelWindows("#32770", addOn().id()).empty(); };
    waitUntil(boxShown, 3);
    PostMessageA(mainWindow(), WM_CLOSE, 0, 0);
    waitUntil([&] { return boxShown(), !addOn().running(); }, 20);
    EXPECT_FALSE(shown) << "a message box came up";
    EXPECT_EQ(addOn().waitForExit(0), std::optional<DWORD>(0));
    EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin...")) << "shut-down did not go on";
}

}  // namespace
}  // namespace lantern::e2e
