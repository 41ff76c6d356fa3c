#include <gtest/gtest.h>

#include "common/text.h"
#include "standin/model/record.h"
#include "standin/model/transfer.h"

namespace lantern::standin {
namespace {

TEST(EscapeForLog, KeepsEachEventOnOneLine) {
    struct Case {
        std::string bytes;
        const char* escaped;
    };
    const Case cases[] = {
        {"plain <b>text</b>", "plain <b>text</b>"},
        {"back\\slash", "back\\\\slash"},
        {"a\r\nb\tc", "a\\r\\nb\\tc"},
        {"lant\xE8rn", "lant\\xE8rn"},
        {std::string("nul\0x", 5), "nul\\x00x"},
        {"\x7F\x1B", "\\x7F\\x1B"},
    };
    for (const Case& c : cases) EXPECT_EQ(escapeForLog(c.bytes), c.escaped);
}

TEST(UnescapeFromLog, UndoesEscapeForLogAndLeavesOtherBackslashes) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    EXPECT_EQ(unescapeFromLog(escapeForLog(everyByte)), everyByte);
    EXPECT_EQ(unescapeFromLog("say buddy\\thi \\xe8"), "say buddy\thi \xE8");
    EXPECT_EQ(unescapeFromLog("\\q \\x4 \\xZZ end\\"), "\\q \\x4 \\xZZ end\\");
}

TEST(LogLine, TimeInMillisecondsThenKeywordThenTabSeparatedFields) {
    Event posted{.time = 12.3456, .kind = EventKind::Posted, .room = "Lobby", .name = "lantern tester",
                 .text = "<b>hi</b>\t\xE9"};
    EXPECT_EQ(logLine(posted), "12346\tposted\tLobby\tlantern tester\t<b>hi</b>\\t\\xE9");

    Event caption{.time = 0.0004, .kind = EventKind::FrameCaption, .text = ""};
    EXPECT_EQ(logLine(caption), "0\tcaption\t");

    Event input{.time = 1, .kind = EventKind::InputMessage, .room = "Lobby", .name = "WM_CHAR",
                .text = "", .number = 13};
    EXPECT_EQ(logLine(input), "1000\tinput\tLobby\tWM_CHAR\t13\t");

    Event hung{.time = 2, .kind = EventKind::Hung, .number = 8000};
    EXPECT_EQ(logLine(hung), "2000\thang\t8000");
}

TEST(Record, CallsItsListenerForEveryEventInOrder) {
    Record record;
    std::vector<std::string> heard;
    record.onEvent = [&](const Event& event) { heard.push_back(event.text); };
    record.add({.kind = EventKind::FrameCaption, .text = ""});
    record.add({.kind = EventKind::Posted, .text = "one"});
    record.add({.kind = EventKind::FrameCaption, .text = "lant\xE8rn"});
    EXPECT_EQ(heard, (std::vector<std::string>{"", "one", "lant\xE8rn"}));
    EXPECT_EQ(record.captions(), (std::vector<std::string>{"", "lant\xE8rn"}));
    EXPECT_EQ(record.posted(), (std::vector<std::string>{"one"}));
}

TEST(TransferTexts, ReadWellAfterTheFixedCutsOfTheReaders) {
    // The add-on drops the first 16 characters of captions and download labels and
    // the first 14 of upload labels; what is left should still say something.
    TransferState download{TransferKind::Download, "photo.jpg", 2'516'582, 12};
    EXPECT_EQ(transferCaption(download), "File Transfer - 12% of photo.jpg");
    EXPECT_EQ(text::from(transferCaption(download), 17), "12% of photo.jpg");
    EXPECT_EQ(text::from(transferLabel(download), 17), "about 7 minutes");

    TransferState upload{TransferKind::Upload, "resume.doc", 870'400, 50};
    EXPECT_EQ(text::from(transferCaption(upload), 17), "50% of resume.doc");
    EXPECT_EQ(transferLabel(upload), "Now Uploading: 850 KB, about 1 minute left");

    upload.percent = 100;
    EXPECT_EQ(transferLabel(upload), "Now Uploading: 850 KB, done");
    download.percent = 100;
    EXPECT_EQ(transferLabel(download), "Time Remaining: done");
}

TEST(TransferTexts, SizesAndTimes) {
    EXPECT_EQ(sizeText(512), "512 bytes");
    EXPECT_EQ(sizeText(870'400), "850 KB");
    EXPECT_EQ(sizeText(2'516'582), "2.4 MB");
    EXPECT_EQ(remainingText(20), "less than a minute");
    EXPECT_EQ(remainingText(60), "about 1 minute");
    EXPECT_EQ(remainingText(8 * 60 + 10), "about 8 minutes");
    EXPECT_EQ(remainingText(3600), "about 1 hour");
    EXPECT_EQ(remainingText(2 * 3600 + 5 * 60), "about 2 hours 5 minutes");
}

}  // namespace
}  // namespace lantern::standin
