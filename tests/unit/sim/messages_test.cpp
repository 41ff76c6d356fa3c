// Sends on the simulated desktop: default answers, handlers, the recorder, WM_GETTEXT
// never writing past the caller's room, and hung windows timing out in virtual time.

#include <gtest/gtest.h>

#include "platform/messages.h"
#include "platform/sim/desktop.h"

namespace lantern::sim {
namespace {

struct Expected {
    unsigned message;
    std::uintptr_t wParam;
    std::string text;
    bool delivered = true;
};

void expectMessages(const std::vector<RecordedMessage>& actual, const std::vector<Expected>& expected) {
    auto line = [](unsigned message, std::uintptr_t wParam, const std::string& text, bool delivered) {
        return messageName(message) + " " + std::to_string(wParam) + " \"" + text + "\"" +
               (delivered ? "" : " undelivered");
    };
    std::string want, got;
    for (const auto& e : expected) want += line(e.message, e.wParam, e.text, e.delivered) + "\n";
    for (const auto& a : actual) got += line(a.message, a.wParam, a.text, a.delivered) + "\n";
    EXPECT_EQ(got, want);
}

class MessagesTest : public ::testing::Test {
protected:
    Desktop desktop;
    WindowSystem& windows = desktop.windows();
};

TEST_F(MessagesTest, DefaultsKeepTheCaptionAndCloseDestroys) {
    WindowHandle box = desktop.createWindow(0, "RICHCNTL", "typed");
    EXPECT_EQ(windows.sendMessage(box, msg::GetTextLength, 0, 0).value, 5);
    EXPECT_TRUE(windows.sendSetText(box, "lant\xE8rn").delivered);
    EXPECT_EQ(desktop.caption(box), "lant\xE8rn");
    std::string buffer(7, '\0');
    EXPECT_EQ(windows.sendGetText(box, 8, buffer).value, 7);
    EXPECT_EQ(buffer, "lant\xE8rn");
    EXPECT_EQ(windows.sendMessage(box, msg::KeyUp, kVkSpace, 0).value, 0);
    EXPECT_TRUE(windows.sendMessage(box, msg::Close, 0, 0).delivered);
    EXPECT_FALSE(desktop.exists(box));
    expectMessages(desktop.messages(), {{msg::GetTextLength, 0, ""},
                                        {msg::SetText, 0, "lant\xE8rn"},
                                        {msg::GetText, 8, "lant\xE8rn"},
                                        {msg::KeyUp, kVkSpace, ""},
                                        {msg::Close, 0, ""}});
}

TEST_F(MessagesTest, HandlersAnswerAndNestedSendsAreRecordedInOrder) {
    WindowHandle transcript = desktop.createWindow(0, "RICHCNTLREADONLY", "old");
    WindowHandle input = desktop.createWindow(0, "RICHCNTL", "hello");
    std::intptr_t seenLParam = 0;
    desktop.setHandler(input, [&](WindowHandle self, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::string&) -> std::optional<std::intptr_t> {
        if (message != msg::Char || wParam != kVkReturn) return std::nullopt;
        seenLParam = lParam;
        windows.sendSetText(transcript, desktop.caption(transcript) + "\r\nme:\t" + desktop.caption(self));
        return 7;
    });
    desktop.setHandler(transcript, [](WindowHandle, unsigned message, std::uintptr_t, std::intptr_t,
                                      std::string& text) -> std::optional<std::intptr_t> {
        if (message != msg::GetText) return std::nullopt;
        text = "reported";
        return 0;
    });
    EXPECT_EQ(windows.sendMessage(input, msg::Char, kVkReturn, 0x1C0001).value, 7);
    EXPECT_EQ(seenLParam, 0x1C0001);
    EXPECT_EQ(desktop.messages()[0].lParam, 0x1C0001);
    EXPECT_EQ(desktop.caption(transcript), "old\r\nme:\thello");
    std::string buffer(20, '\0');
    EXPECT_EQ(windows.sendGetText(transcript, 21, buffer).value, 8);
    EXPECT_EQ(buffer.substr(0, 8), "reported");
    expectMessages(desktop.messages(), {{msg::Char, kVkReturn, ""},
                                        {msg::SetText, 0, "old\r\nme:\thello"},
                                        {msg::GetText, 21, "reported"}});
    EXPECT_EQ(desktop.messagesTo(transcript).size(), 2u);
}

TEST_F(MessagesTest, GetTextCopiesAtMostCapacityLessOneAndNeverPastTheBuffer) {
    WindowHandle label = desktop.createWindow(0, "_AOL_Static", "Downloading");  // 11 bytes
    struct Case {
        std::size_t capacity;
        std::size_t bufferSize;
        std::string expected;  // the whole buffer afterwards
    } cases[] = {
        {0, 4, "####"},                 // no room at all
        {1, 4, "####"},                 // room for the NUL only
        {5, 4, "Down"},                 // cut to capacity - 1
        {12, 11, "Downloading"},        // exactly enough
        {40, 15, "Downloading####"},    // more room than text: the rest untouched
        {40, 3, "Dow"},                 // the caller's buffer is shorter than it said
    };
    for (const auto& c : cases) {
        std::string buffer(c.bufferSize, '#');
        SendResult result = windows.sendGetText(label, c.capacity, buffer);
        EXPECT_EQ(buffer, c.expected) << "capacity " << c.capacity;
        EXPECT_EQ(result.value, static_cast<std::intptr_t>(std::min(c.expected.find('#'), c.expected.size())))
            << "capacity " << c.capacity;
        EXPECT_EQ(desktop.messages().back().text, c.expected.substr(0, static_cast<std::size_t>(result.value)));
    }
}

TEST_F(MessagesTest, AHungWindowAnswersLateOrTimesOut) {
    WindowHandle frame = desktop.createWindow(0, "AOL Frame25", "America Online");
    WindowHandle child = desktop.createWindow(frame, "MDIClient");
    desktop.setSendTimeout(20);
    struct Case {
        double hang;
        bool delivered;
        double waited;
    } cases[] = {{5, true, 5}, {20, true, 20}, {30, false, 20}};
    for (const auto& c : cases) {
        desktop.hang(frame, c.hang);
        double start = desktop.now();
        SendResult result = windows.sendSetText(child, "caption");  // a child shares the hang
        EXPECT_EQ(result.delivered, c.delivered) << "hang " << c.hang;
        EXPECT_DOUBLE_EQ(desktop.now() - start, c.waited) << "hang " << c.hang;
        EXPECT_EQ(desktop.messages().back().delivered, c.delivered);
        desktop.runFor(c.hang);  // let it recover
    }
    // Once the hang is over, sends go straight through.
    double start = desktop.now();
    EXPECT_TRUE(windows.sendMessage(frame, msg::GetTextLength, 0, 0).delivered);
    EXPECT_EQ(desktop.now(), start);
}

TEST_F(MessagesTest, NothingRunsWhileTheSenderIsBlocked) {
    WindowHandle frame = desktop.createWindow(0, "AOL Frame25");
    std::vector<double> ran;
    desktop.post(1, [&] { ran.push_back(desktop.now()); });
    desktop.hang(frame, 60);
    EXPECT_FALSE(windows.sendMessage(frame, msg::Close, 0, 0).delivered);
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(desktop.exists(frame));
    desktop.events().doEvents();  // the overdue event runs at the next chance
    EXPECT_EQ(ran, (std::vector<double>{20}));
}

}  // namespace
}  // namespace lantern::sim
