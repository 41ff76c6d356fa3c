// A second lantern-idle.exe while one runs: only the warning, nothing else.

#include <algorithm>

#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kWarningTitle = "The requested application is already open";

bool showsAnIcon(HWND dialog) {
    for (HWND child = FindWindowExA(dialog, nullptr, "Static", nullptr); child;
         child = FindWindowExA(dialog, child, "Static", nullptr)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE)) return true;
    }
    return false;
}

using SecondInstance = EndToEnd;

TEST_F(SecondInstance, ShowsTheWarningAndLeavesTheFirstAlone) {
    startStandin();
    startAddOn();
    waitForStartUp();
    const std::vector<std::string> postedBefore = log().posted();
    const std::vector<std::string> captionsBefore = log().captions();
    const std::string frameCaption = caption(frame());

    Process& second = startSecondAddOn();
    HWND warning = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (warning = findTopLevel(kDialogClass, kWarningTitle, second.id())); }, 30))
        << "no message box titled \"" << kWarningTitle << "\" from the second instance";
    const std::vector<std::string> texts = childTexts(warning, "Static");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "And you call me the newbie...lol."), texts.end())
        << "texts of the box: " << ::testing::PrintToString(texts);
    EXPECT_TRUE(showsAnIcon(warning)) << "the warning shows no icon";
    EXPECT_TRUE(topLevelWindows(kDialogClass, addOn().id()).empty()) << "the first instance showed a box";

    // The box waits for the user; the second instance ends once it is answered.
    sleepSeconds(0.5);
    EXPECT_TRUE(second.running()) << "the second instance did not wait for the user";
    PostMessageA(warning, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(second.waitForExit(15)) << "the second instance did not end after OK";

    EXPECT_EQ(log().posted(), postedBefore) << "something was posted for the second instance";
    EXPECT_EQ(log().captions(), captionsBefore) << "the frame's caption was written again";
    EXPECT_EQ(caption(frame()), frameCaption);
    EXPECT_TRUE(addOn().running()) << "the first instance ended";
    EXPECT_TRUE(IsWindow(mainWindow())) << "the first instance lost its main window";
}

}  // namespace
}  // namespace lantern::e2e
