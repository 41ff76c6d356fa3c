// The signed-on screen name and opening a link through the keyword window.

#include "client_scene.h"

namespace lantern {
namespace {

using ScreenName = ClientScene;

TEST_F(ScreenName, TopmostWindowIsTakenOnAWelcomeCaptionAloneALowerOneNeedsAllFourChildren) {
    EXPECT_EQ(client.readScreenName(), kNotOnline);  // no client
    for (const auto& [caption, name] : {std::pair{"Welcome, Bob!", "Bob"},
                                        {"Welcome, Mr  Spock !", "Mr  Spock "},
                                        {"Welcome, J\xE9r\xF4me!!", "J\xE9r\xF4me"},
                                        {"Welcome back!", "Welcome back"}}) {
        openClient();
        add(mdi, "AOL Child", caption);  // no children at all
        addChatRoom();
        EXPECT_EQ(client.readScreenName(), name) << caption;
        desktop.destroyWindow(frame);
    }
    const auto welcomeChildren = {"_AOL_Icon", "_AOL_Static", "_AOL_Glyph", "RICHCNTLSTATIC"};
    for (const char* missing : welcomeChildren) {
        openClient();
        addChatRoom();
        const WindowHandle lacking = add(mdi, "AOL Child", "Welcome, Impostor!", welcomeChildren);
        desktop.destroyWindow(desktop.windows().findChild(lacking, 0, missing));
        EXPECT_EQ(client.readScreenName(), kNotOnline) << "without " << missing;
        add(mdi, "AOL Child", "Welcome, Bob!", welcomeChildren);
        EXPECT_EQ(client.readScreenName(), "Bob") << "without " << missing;
        desktop.destroyWindow(frame);
    }
}

class KeywordNavigation : public ClientScene {
protected:
    std::vector<WindowHandle> icons;  // the toolbar's icons, in order, with other children among them

    void SetUp() override {
        openClient();
        const WindowHandle toolbar = add(add(frame, "AOL Toolbar"), "_AOL_Toolbar");
        for (int i = 0; i < 20; ++i) {
            if (i % 5 == 2) add(toolbar, "_AOL_Combobox");
            icons.push_back(add(toolbar, "_AOL_Icon"));
        }
    }
};

TEST_F(KeywordNavigation, ClicksTheNineteenthIconThenTypesTheLinkIntoTheOpenKeywordWindow) {
    const WindowHandle keyword = add(mdi, "AOL Child", "Keyword", {"_AOL_Glyph", "RICHCNTLSTATIC"});
    const WindowHandle linkBox = add(keyword, "_AOL_Edit"), go = add(keyword, "_AOL_Icon");
    addChatRoom();
    startRecording();
    client.openKeyword("aol://2719:10-4-pal");
    // openKeyword: the nineteenth icon clicked; 0.4 s later the keyword window is
    // found, and after one more pause the link is typed and Go clicked.
    const Traffic kOpenKeyword = {
        {icons[18], msg::LButtonDown, 0, "", 0.0}, {icons[18], msg::KeyUp, kVkSpace, "", 0.0},
        {linkBox, msg::SetText, 0, "", 0.8},       {linkBox, msg::SetText, 0, "aol://2719:10-4-pal", 0.8},
        {go, msg::LButtonDown, 0, "", 0.8},        {go, msg::KeyUp, kVkSpace, "", 0.8}};
    expectTraffic(kOpenKeyword);
}

TEST_F(KeywordNavigation, GivesUpAfterTenSecondsWithoutAKeywordWindowAndClicksNothingWithoutANineteenthIcon) {
    startRecording();
    client.openKeyword("aol://2719:2-2-nowhere");
    EXPECT_GE(desktop.now() - mark, 10.0);
    EXPECT_LT(desktop.now() - mark, 10.5);
    // openKeyword without a keyword window: the click on the nineteenth icon, no more.
    const Traffic kClickOnly = {{icons[18], msg::LButtonDown, 0, ""}, {icons[18], msg::KeyUp, kVkSpace, ""}};
    expectTraffic(kClickOnly);
    desktop.destroyWindow(icons[19]);
    desktop.destroyWindow(icons[18]);
    startRecording();
    client.clickKeywordButton();
    expectTraffic({});
}

}  // namespace
}  // namespace lantern
