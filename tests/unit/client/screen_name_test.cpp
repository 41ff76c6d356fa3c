// The signed-on screen name and opening a link through the keyword window.

#include "client_scene.h"

namespace lantern {
namespace {

constexpr std::initializer_list<const char*> kWelcomeChildren = {"_AOL_Icon", "_AOL_Static", "_AOL_Glyph",
                                                                 "RICHCNTLSTATIC"};
constexpr std::initializer_list<const char*> kKeywordChildren = {"_AOL_Glyph", "RICHCNTLSTATIC", "_AOL_Edit",
                                                                 "_AOL_Icon"};

using ScreenName = ClientScene;

TEST_F(ScreenName, TopmostWelcomeCaptionGivesTheName) {
    struct Case {
        std::string caption;
        std::string name;
    };
    for (const Case& c : {Case{"Welcome, Bob!", "Bob"}, Case{"Welcome, Mr  Spock !", "Mr  Spock "},
                          Case{"Welcome, J\xE9r\xF4me!!", "J\xE9r\xF4me"},
                          Case{"Welcome back!", "Welcome back"}, Case{"Welcome, Welcome, x!", "x"}}) {
        openClient();
        const WindowHandle welcome = add(mdi, "AOL Child", c.caption);  // no children at all
        addChatRoom("Lobby");
        EXPECT_EQ(client.findWelcome(), welcome) << c.caption;
        EXPECT_EQ(client.readScreenName(), c.name) << c.caption;
        desktop.destroyWindow(frame);
    }
}

TEST_F(ScreenName, LowerWelcomeWindowNeedsAllFourChildren) {
    for (const char* missing : kWelcomeChildren) {
        openClient();
        addChatRoom("Lobby");
        const WindowHandle lacking = add(mdi, "AOL Child", "Welcome, Impostor!");
        for (const char* childClass : kWelcomeChildren) {
            if (childClass != missing) {
                add(lacking, childClass);
            }
        }
        EXPECT_EQ(client.readScreenName(), kNotOnline) << "without " << missing;
        const WindowHandle welcome = addClientWindow("Welcome, Bob!", kWelcomeChildren);
        EXPECT_EQ(client.findWelcome(), welcome) << "without " << missing;
        EXPECT_EQ(client.readScreenName(), "Bob") << "without " << missing;
        desktop.destroyWindow(frame);
    }
}

TEST_F(ScreenName, NobodySignedOn) {
    EXPECT_EQ(client.readScreenName(), kNotOnline);
    openClient();
    EXPECT_EQ(client.findWelcome(), 0u);
    EXPECT_EQ(client.readScreenName(), kNotOnline);
    addChatRoom("Lobby");
    addClientWindow("Buddy List", kWelcomeChildren);
    EXPECT_EQ(client.readScreenName(), kNotOnline);
}

class KeywordNavigation : public ClientScene {
protected:
    std::vector<WindowHandle> icons;  // the toolbar's icons, in order

    void SetUp() override {
        openClient();
        const WindowHandle toolbarHost = add(frame, "AOL Toolbar");
        const WindowHandle toolbar = add(toolbarHost, "_AOL_Toolbar");
        for (int i = 0; i < 20; ++i) {
            if (i % 5 == 2) {
                add(toolbar, "_AOL_Combobox");  // other children among the icons
            }
            icons.push_back(add(toolbar, "_AOL_Icon"));
        }
    }

    // The 19th icon opens the keyword window `delay` seconds after it is clicked.
    void keywordButtonOpensWindowAfter(double delay) {
        desktop.setHandler(icons[18],
                           [this, delay](WindowHandle, unsigned message, std::uintptr_t wParam, std::intptr_t,
                                         std::string&) -> std::optional<std::intptr_t> {
                               if (message == msg::KeyUp && wParam == kVkSpace) {
                                   desktop.post(delay,
                                                [this] { addClientWindow("Keyword", kKeywordChildren); });
                               }
                               return std::nullopt;
                           });
    }

    // The keyword button's click, then, `at` seconds later, the link typed into the
    // keyword window and its go button clicked.
    std::vector<Sent> expectedNavigation(WindowHandle keyword, const std::string& link, double at) {
        const WindowHandle linkBox = desktop.windows().findChild(keyword, 0, "_aol_edit");
        const WindowHandle go = desktop.windows().findChild(keyword, 0, "_aol_icon");
        return {{icons[18], msg::LButtonDown, 0, "", 0.0}, {icons[18], msg::KeyUp, kVkSpace, "", 0.0},
                {linkBox, msg::SetText, 0, "", at},        {linkBox, msg::SetText, 0, link, at},
                {go, msg::LButtonDown, 0, "", at},         {go, msg::KeyUp, kVkSpace, "", at}};
    }
};

TEST_F(KeywordNavigation, ClicksTheNineteenthIconThenTypesTheLinkAndClicksGo) {
    addChatRoom("Lobby");
    keywordButtonOpensWindowAfter(1.0);
    startRecording();
    client.openKeyword("aol://2719:2-2-secret room");
    const WindowHandle keyword = client.findKeywordWindow();
    ASSERT_NE(keyword, 0u);
    // Looks at 0.4, 0.8 and 1.2 s; found at the third, typed after one more pause.
    expectTraffic(expectedNavigation(keyword, "aol://2719:2-2-secret room", 1.6));
}

TEST_F(KeywordNavigation, AlreadyOpenKeywordWindowIsUsedAfterTheFirstLook) {
    const WindowHandle keyword = addClientWindow("Keyword", kKeywordChildren);
    addChatRoom("Lobby");
    startRecording();
    client.openKeyword("aol://2719:10-4-pal");
    expectTraffic(expectedNavigation(keyword, "aol://2719:10-4-pal", 0.8));
}

TEST_F(KeywordNavigation, GivesUpAfterTenSecondsWithoutTypingTheLink) {
    startRecording();
    client.openKeyword("aol://2719:2-2-nowhere");
    EXPECT_GE(elapsed(), Client::kKeywordWaitLimitSeconds);
    EXPECT_LT(elapsed(), Client::kKeywordWaitLimitSeconds + 0.5);
    expectTraffic({{icons[18], msg::LButtonDown, 0, ""}, {icons[18], msg::KeyUp, kVkSpace, ""}});
}

TEST_F(KeywordNavigation, ToolbarWithTooFewIconsClicksNothing) {
    desktop.destroyWindow(icons[19]);
    desktop.destroyWindow(icons[18]);
    addClientWindow("Keyword", kKeywordChildren);
    startRecording();
    client.clickKeywordButton();
    EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace
}  // namespace lantern
