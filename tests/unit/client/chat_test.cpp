// The window primitives, the pause, finding the chat room and posting a line into it.

#include <limits>

#include "client/window_io.h"
#include "client_scene.h"

namespace lantern {
namespace {

using ChatRoom = ClientScene;

TEST_F(ChatRoom, WriteReadAndClickSendTheirMessagesExactly) {
    for (const std::string text : {"hello", "", "lant\xE8rn Idl\xE8"}) {
        const WindowHandle w = add(0, "RICHCNTL", "old");
        startRecording();
        client.writeText(w, text);
        EXPECT_EQ(client.readText(w), text);
        client.clickWindow(w);
        // writeText: the box cleared, then the text; readText: its length, then the
        // text; clickWindow: a button down, then the space key up, never a button up.
        const Traffic kWriteReadClick = {{w, msg::SetText, 0, ""},       {w, msg::SetText, 0, text},
                                         {w, msg::GetTextLength, 0, ""}, {w, msg::GetText, text.size() + 1, text},
                                         {w, msg::LButtonDown, 0, ""},   {w, msg::KeyUp, kVkSpace, ""}};
        expectTraffic(kWriteReadClick);
    }
    // A text that changed between its length and the read, or a length no window has.
    for (const auto& [length, copied, expected] :
         {std::tuple<std::intptr_t, std::string, std::string>{3, "abcdefgh", "abc"},
          {10, "ab", "ab"},
          {-5, "abc", ""}}) {
        const WindowHandle w = add(0, "RICHCNTL");
        desktop.setHandler(w,
                           [&](WindowHandle, unsigned message, std::uintptr_t, std::intptr_t,
                               std::string& text) -> std::optional<std::intptr_t> {
                               text = copied;  // for WM_GETTEXT
                               return message == msg::GetTextLength ? length
                                                                    : static_cast<std::intptr_t>(copied.size());
                           });
        EXPECT_EQ(client.readText(w), expected) << length;
    }
    // A length beyond the bound of every length read from another program is cut to
    // it; a negative one reads as nothing.
    const std::pair<std::intptr_t, std::string> bogus[] = {
        {std::numeric_limits<std::intptr_t>::max(), "all of it"},
        {static_cast<std::intptr_t>(windowio::kMaxForeignTextLength) + 1, "all of it"},
        {-1, ""},
        {std::numeric_limits<std::intptr_t>::min(), ""}};
    for (const auto& [length, expected] : bogus) {
        const WindowHandle w = add(0, "RICHCNTL", "all of it");
        desktop.misreportTextLength(w, length);
        startRecording();
        EXPECT_EQ(client.readText(w), expected) << length;
        const std::size_t room = expected.empty() ? 0 : windowio::kMaxForeignTextLength;
        // readText: the length, then a read into room for at most the bound.
        const Traffic kBoundedRead = {{w, msg::GetTextLength, 0, ""}, {w, msg::GetText, room + 1, expected}};
        expectTraffic(kBoundedRead);
    }
}

TEST_F(ChatRoom, PauseWaitsItsDurationAcrossMidnightWithoutSpinning) {
    for (const auto& [startOfDay, seconds] :
         {std::pair{43200.0, 0.3}, {86399.9, 0.3}, {86398.0, 5.0}, {43200.0, 0.0}}) {
        desktop.setTimeOfDay(startOfDay);
        bool eventRan = false;
        desktop.post(seconds / 2, [&] { eventRan = true; });
        const long waitsBefore = desktop.eventWaits();
        startRecording();
        client.pauseSeconds(seconds);
        EXPECT_NEAR(desktop.now() - mark, seconds, 1e-6) << "from " << startOfDay;
        EXPECT_EQ(eventRan, seconds > 0);
        EXPECT_LT(desktop.eventWaits() - waitsBefore, 10);
        desktop.runFor(1);  // lets the event of a zero pause go
    }
}

TEST_F(ChatRoom, FirstRoomInSiblingOrderWinsAWindowLackingOneSignatureClassIsNoneAndNothingIsSentWithout) {
    EXPECT_EQ(client.findChatRoom(), 0u);  // no client
    openClient();
    add(mdi, "AOL Child", "Welcome, Bob!", {"_AOL_Icon", "_AOL_Static", "_AOL_Glyph", "RICHCNTLSTATIC"});
    client.sendChat("hello");
    const WindowHandle upper = addChatRoom("Lobby"), lower = addChatRoom("Town Square");
    client.sendChat("");
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(client.findChatRoom(), upper);
    desktop.bringToTop(lower);
    EXPECT_EQ(client.findChatRoom(), lower);

    for (const char* missing : {"_aol_static", "richcntlreadonly", "_aol_combobox", "_aol_icon", "richcntl"}) {
        desktop.destroyWindow(frame);
        openClient();
        desktop.destroyWindow(desktop.windows().findChild(addChatRoom("almost"), 0, missing));
        EXPECT_EQ(client.findChatRoom(), 0u) << "without " << missing;
        const WindowHandle complete = addChatRoom();  // added before the search, whatever the compiler's order
        EXPECT_EQ(client.findChatRoom(), complete) << "without " << missing;
    }
}

TEST_F(ChatRoom, SendChatClearsTypesSendsAndGivesBackTheHalfTypedText) {
    openClient();
    const WindowHandle input = desktop.windows().findChild(addChatRoom(), 0, "richcntl");
    desktop.setCaption(input, "brb, wai");
    startRecording();
    client.sendChat("<b>idle</b>");
    expectTraffic(test::sendChatTraffic("brb, wai", "<b>idle</b>"), input);
}

// A box that stops answering or closes ends the line at the failed send, with no carriage return.
TEST_F(ChatRoom, HungOrVanishedInputBoxEndsTheLine) {
    // What happens, how long the box hangs (0: it closes), when, and the sends that fail.
    const std::tuple<const char*, double, double, long> cases[] = {{"hung", 1000, 0, 1},
                                                                   {"hung while typing", 1000, 0.1, 2},
                                                                   {"closed while typing", 0, 0.1, 2},
                                                                   {"stalled while typing", 30, 0.1, 1}};
    for (const auto& [what, hangFor, when, undelivered] : cases) {
        openClient();
        const WindowHandle input = desktop.windows().findChild(addChatRoom(), 0, "richcntl");
        desktop.setCaption(input, "see you at ni");
        auto strike = [&, input] { hangFor ? desktop.hang(input, hangFor) : desktop.destroyWindow(input); };
        when == 0 ? strike() : desktop.post(when, strike);
        desktop.clearMessages();
        client.sendChat("line");
        const std::vector<sim::RecordedMessage>& sent = desktop.messages();
        EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](auto& m) { return !m.delivered; }), undelivered) << what;
        EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), [](auto& m) { return m.message == msg::Char; })) << what;
        if (hangFor == 30) {
            EXPECT_EQ(desktop.caption(input), "see you at ni");
        }
        desktop.destroyWindow(frame);
    }
}

}  // namespace
}  // namespace lantern
