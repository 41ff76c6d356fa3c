// Finding the chat room and posting a line into it.

#include "client_scene.h"

namespace lantern {
namespace {

using ChatRoom = ClientScene;

TEST_F(ChatRoom, FirstRoomInSiblingOrderWins) {
    openClient();
    addClientWindow("Welcome, Bob!", {"_AOL_Icon", "_AOL_Static", "_AOL_Glyph", "RICHCNTLSTATIC"});
    const WindowHandle upper = addChatRoom("Lobby");
    const WindowHandle lower = addChatRoom("Town Square");
    EXPECT_EQ(client.findChatRoom(), upper);

    desktop.bringToTop(lower);
    EXPECT_EQ(client.findChatRoom(), lower);
    client.sendChat("hi");
    EXPECT_TRUE(desktop.messagesTo(inputBox(upper)).empty());
    EXPECT_EQ(posted, std::vector<std::string>{"hi"});
}

TEST_F(ChatRoom, WindowLackingOneSignatureClassIsSkipped) {
    const std::vector<const char*> signature = {"_aol_static", "richcntlreadonly", "_aol_combobox",
                                                "_aol_icon", "richcntl"};
    for (const char* missing : signature) {
        openClient();
        const WindowHandle almost = add(mdi, "AOL Child", "almost");
        for (const char* childClass : signature) {
            if (childClass != missing) {
                add(almost, childClass);
            }
        }
        EXPECT_EQ(client.findChatRoom(), 0u) << "without " << missing;
        const WindowHandle room = addChatRoom("Lobby");
        EXPECT_EQ(client.findChatRoom(), room) << "without " << missing;
        desktop.destroyWindow(frame);
    }
}

TEST_F(ChatRoom, NoClientNoRoom) {
    EXPECT_EQ(client.findChatRoom(), 0u);
    openClient();
    EXPECT_EQ(client.findChatRoom(), 0u);  // signed off: no client window open
    // A room straight under a frame that has no MDI client is not reached.
    desktop.destroyWindow(frame);
    mdi = add(0, "AOL Frame25");
    addChatRoom("Lobby");
    EXPECT_EQ(client.findChatRoom(), 0u);
}

TEST_F(ChatRoom, SendChatTypesSendsAndGivesBackTheHalfTypedText) {
    openClient();
    const WindowHandle input = inputBox(addChatRoom("Lobby"));
    desktop.setCaption(input, "brb, wai");
    startRecording();
    client.sendChat("<b>idle</b>");
    expectMessages(desktop.messagesTo(input), {
                                                  {input, msg::GetTextLength, 0, "", 0.0},
                                                  {input, msg::GetText, 9, "brb, wai", 0.0},
                                                  {input, msg::SetText, 0, "", 0.0},
                                                  {input, msg::SetText, 0, "", 0.0},
                                                  {input, msg::SetText, 0, "", 0.3},
                                                  {input, msg::SetText, 0, "<b>idle</b>", 0.3},
                                                  {input, msg::Char, kVkReturn, "", 0.6},
                                                  {input, msg::SetText, 0, "", 1.0},
                                                  {input, msg::SetText, 0, "brb, wai", 1.0},
                                              });
    EXPECT_EQ(posted, std::vector<std::string>{"<b>idle</b>"});
    EXPECT_EQ(desktop.caption(input), "brb, wai");
}

TEST_F(ChatRoom, NothingIsSentForAnEmptyLineOrWithoutARoom) {
    openClient();
    addClientWindow("IM", {"_AOL_Static", "RICHCNTL"});
    startRecording();
    client.sendChat("hello");  // no room open
    addChatRoom("Lobby");
    client.sendChat("");
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_TRUE(posted.empty());
}

// The input box stops answering or closes: the line ends at the failed send, with
// no carriage return; only the user's half-typed text is still given back, so a
// hung box costs two timeouts at most.
TEST_F(ChatRoom, HungOrVanishedInputBoxEndsTheLineAtOnce) {
    struct Case {
        const char* what;
        bool hang;
        double when;  // seconds after the start
        double maxElapsed;
        int undelivered;
    };
    for (const Case& c : {Case{"hung", true, 0, 20.0, 1}, Case{"hung while typing", true, 0.1, 40.3, 2},
                          Case{"closed while typing", false, 0.1, 0.3, 2}}) {
        openClient();
        const WindowHandle input = inputBox(addChatRoom("Lobby"));
        auto strike = [&, input] { c.hang ? desktop.hang(input, 1000) : desktop.destroyWindow(input); };
        c.when == 0 ? strike() : desktop.post(c.when, strike);
        startRecording();
        client.sendChat("line");
        EXPECT_LE(elapsed(), c.maxElapsed + 1e-6) << c.what;
        const std::vector<sim::RecordedMessage>& sent = desktop.messages();
        ASSERT_FALSE(sent.empty()) << c.what;
        EXPECT_FALSE(sent.back().delivered) << c.what;
        EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](auto& m) { return !m.delivered; }), c.undelivered)
            << c.what;
        EXPECT_TRUE(posted.empty()) << c.what;
        EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), [](auto& m) { return m.message == msg::Char; }))
            << c.what;
        desktop.destroyWindow(frame);
    }
}

// A client that stalls for longer than one send may wait, but comes back: the line
// is lost, the user's half-typed text is not.
TEST_F(ChatRoom, HalfTypedTextSurvivesAStallInTheMiddleOfALine) {
    openClient();
    const WindowHandle input = inputBox(addChatRoom("Lobby"));
    desktop.setCaption(input, "see you at ni");
    desktop.post(0.1, [&] { desktop.hang(input, 30); });
    client.sendChat("line");
    EXPECT_EQ(desktop.caption(input), "see you at ni");
    EXPECT_TRUE(posted.empty());
}

}  // namespace
}  // namespace lantern
