// Shutting down through the main window's closing, with and without a client.

#include "e2e/expected_lines.h"
#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

using ShutDown = EndToEnd;

TEST_F(ShutDown, ClosingTheMainWindowPostsTheUnloadBannerOnceAndStoresTheReason) {
    startStandin();
    startAddOn();
    waitForStartUp();
    ASSERT_FALSE(readStoredSetting("tBox")) << "the reason was stored before shut-down";

    const std::optional<DWORD> exitCode = closeAddOn();
    ASSERT_TRUE(exitCode) << "lantern-idle did not end after its main window was closed";
    EXPECT_EQ(*exitCode, 0u);

    const std::string prefix = defaultPrefix("000000");
    const std::string unload = unloadBanner(prefix, Colours{});
    EXPECT_EQ(log().posted(), (std::vector<std::string>{loadBanner(prefix, Colours{}), unload}))
        << "expected the load banner, then one unload banner: " << printable(unload);
    EXPECT_EQ(caption(frame()), kClosingCaption);
    const std::vector<std::string> captions = log().captions();
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions[captions.size() - 2], "");
    EXPECT_EQ(captions.back(), kClosingCaption);
    const std::vector<LogEntry> entries = log().read();
    EXPECT_LT(positionOf(entries, "posted", unload), positionOf(entries, "caption", kClosingCaption))
        << "the closing caption came before the unload banner";
    EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin..."));
}

TEST_F(ShutDown, WithoutAClientStartsAndEndsWithoutAnyMessageBox) {
    startAddOn();
    const DWORD id = addOn().id();
    auto boxShown = [&] { return !topLevelWindows("#32770", id).empty(); };
    EXPECT_FALSE(waitUntil(boxShown, 3)) << "a message box came up during start-up";

    PostMessageA(mainWindow(), WM_CLOSE, 0, 0);
    bool shown = false;
    waitUntil([&] { return (shown = shown || boxShown()), !addOn().running(); }, 20);
    EXPECT_FALSE(shown) << "a message box came up during shut-down";
    const std::optional<DWORD> exitCode = addOn().waitForExit(0);
    ASSERT_TRUE(exitCode) << "lantern-idle did not end without a client";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_EQ(readStoredSetting("tBox"), std::optional<std::string>("sleepin..."))
        << "shut-down did not go on without a client";
}

}  // namespace
}  // namespace lantern::e2e
