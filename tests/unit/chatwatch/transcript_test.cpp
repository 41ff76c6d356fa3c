// The transcript parser and the diff between two reads, without windows.

#include "chatwatch/transcript.h"

#include <gtest/gtest.h>

#include <random>

#include "chat_line_print.h"

namespace lantern {
namespace {

TEST(TranscriptLine, SplitsAtTheFirstNameSeparator) {
    struct Case {
        std::string line;
        std::optional<ChatLine> expected;
    };
    const Case cases[] = {
        {"Bob:\thi", ChatLine{"Bob", "hi"}},
        {"Big Al 2:\thello there", ChatLine{"Big Al 2", "hello there"}},
        {"Bob:\ttime:\t12:30", ChatLine{"Bob", "time:\t12:30"}},
        {"Bob:\t", ChatLine{"Bob", ""}},
        {"Zo\xEB:\tlant\xE8rn", ChatLine{"Zo\xEB", "lant\xE8rn"}},
        {"Bob: not a tab", std::nullopt},
        {"OnlineHost:  *** Bob has entered the room.", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(transcript::parseLine(c.line), c.expected) << ::testing::PrintToString(c.line);
    }
}

// The tracker is fed a series of reads; each read lists the lines it must report.
struct Read {
    std::string text;
    std::vector<ChatLine> expected;
};
struct TrackerCase {
    const char* name;
    std::string before;  // already in the room when watching starts
    std::vector<Read> reads;
};

const TrackerCase kTrackerCases[] = {
    {"a line is complete once the next begins",
     "\r\nA:\t1",
     {{"\r\nA:\t1\r\nB:\t2", {}}, {"\r\nA:\t1\r\nB:\t2\r\nC:\t3", {{"B", "2"}}}}},
    {"a line split across two reads",
     "",
     {{"\r\nBob:\thel", {}}, {"\r\nBob:\thello world\r\n", {{"Bob", "hello world"}}}}},
    {"a CR LF split across two reads",
     "",
     {{"\r\nA:\t1\r", {{"A", "1"}}}, {"\r\nA:\t1\r\nB:\t2\r\n", {{"B", "2"}}}}},
    {"CR alone between lines", "", {{"\rA:\t1\rB:\t2\r", {{"A", "1"}, {"B", "2"}}}}},
    {"LF alone between lines", "", {{"\nA:\t1\nB:\t2\n", {{"A", "1"}, {"B", "2"}}}}},
    {"mixed breaks", "", {{"A:\t1\r\nB:\t2\nC:\t3\rD", {{"A", "1"}, {"B", "2"}, {"C", "3"}}}}},
    {"notices between chat lines are skipped",
     "",
     {{"\r\nOnlineHost:  *** Bob has entered the room.\r\nBob:\thi\r\n\r\n", {{"Bob", "hi"}}}}},
    {"trimmed at the top with its leading break kept",
     "\r\nA:\t1\r\nB:\t2\r\n",
     {{"\r\nB:\t2\r\nC:\t3\r\n", {{"C", "3"}}}}},
    {"trimmed at the top with its trailing break taken",
     "\r\nA:\t1\r\nB:\t2\r\n",
     {{"B:\t2\r\nC:\t3\r\n", {{"C", "3"}}}}},
    {"trimmed without anything new", "\r\nA:\t1\r\nB:\t2\r\n", {{"\r\nB:\t2\r\n", {}}}},
    {"trimmed while the last line was unfinished",
     "\r\nA:\t1\r\n",
     {{"\r\nA:\t1\r\nB:\t2", {}}, {"\r\nB:\t2\r\nC:\t3\r\n", {{"B", "2"}, {"C", "3"}}}}},
    {"replaced wholesale",
     "\r\nA:\t1\r\nB:\t2\r\n",
     {{"\r\nC:\t3\r\nD:\t4\r\n", {{"C", "3"}, {"D", "4"}}}}},
    {"emptied, then written again", "\r\nA:\t1\r\n", {{"", {}}, {"\r\nA:\t1\r\n", {{"A", "1"}}}}},
    {"an unfinished line that vanishes is reported as it was",
     "\r\nA:\t1\r\n",
     {{"\r\nA:\t1\r\nB:\t2", {}}, {"\r\nX:\t9\r\n", {{"B", "2"}, {"X", "9"}}}}},
    {"a read cut short inside the unfinished line loses nothing",
     "\r\nA:\t1\r\n",
     {{"\r\nA:\t1\r\nB:\t22", {}},
      {"\r\nA:\t1\r\nB:\t2", {}},
      {"\r\nA:\t1\r\nB:\t22\r\n", {{"B", "22"}}}}},
    {"the same words twice in a row are two lines",
     "\r\nA:\tlol\r\n",
     {{"\r\nA:\tlol\r\nA:\tlol\r\n", {{"A", "lol"}}}}},
    {"an overlap that starts inside a line is a coincidence, not a trim",
     "\r\nA:\t1\r\nB:\tC:\t3\r\n",
     {{"C:\t3\r\nD:\t4\r\n", {{"C", "3"}, {"D", "4"}}}}},
    {"the last line settles after reading the same twice more",
     "",
     {{"\r\nA:\t1", {}},
      {"\r\nA:\t1", {}},
      {"\r\nA:\t1", {{"A", "1"}}},
      {"\r\nA:\t1\r\nB:\t2\r\n", {{"B", "2"}}}}},
    {"a settled line that grows after all is not reported again",
     "",
     {{"\r\nA:\thi", {}},
      {"\r\nA:\thi", {}},
      {"\r\nA:\thi", {{"A", "hi"}}},
      {"\r\nA:\thi there\r\nB:\t2\r\n", {{"B", "2"}}}}},
    {"an unfinished name without its tab does not settle",
     "",
     {{"\r\nBob:", {}},
      {"\r\nBob:", {}},
      {"\r\nBob:", {}},
      {"\r\nBob:", {}},
      {"\r\nBob:\tyo\r\n", {{"Bob", "yo"}}}}},
    {"what was there before watching stays old, unfinished or not",
     "\r\nA:\t1\r\nB:\tunfini",
     {{"\r\nA:\t1\r\nB:\tunfinished\r\nC:\t3\r\n", {{"C", "3"}}}}},
};

TEST(TranscriptTracker, ReportsEachNewLineOnce) {
    for (const TrackerCase& c : kTrackerCases) {
        TranscriptTracker tracker;
        tracker.reset(c.before);
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            EXPECT_EQ(tracker.update(c.reads[i].text), c.reads[i].expected)
                << c.name << ", read " << i + 1;
        }
    }
}

TEST(TranscriptTracker, OnlyAnUnfinishedChatLineAsksForAnotherRead) {
    TranscriptTracker tracker;
    tracker.reset("");
    tracker.update("\r\nOnlineHost:  *** notice");
    EXPECT_FALSE(tracker.hasUnsettledLine());
    tracker.update("\r\nOnlineHost:  *** notice\r\nA:\t1");
    EXPECT_TRUE(tracker.hasUnsettledLine());
    tracker.update("\r\nOnlineHost:  *** notice\r\nA:\t1");
    tracker.update("\r\nOnlineHost:  *** notice\r\nA:\t1");
    EXPECT_FALSE(tracker.hasUnsettledLine());  // settled
}

// A client that appends numbered lines with random breaks, sometimes writes a line
// in two goes, and trims old lines from the top (with or without their break): every
// line must come out exactly once and in order.
TEST(TranscriptTracker, RandomAppendsAndTrimsLoseAndRepeatNothing) {
    std::mt19937 random(20240611);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const char* breaks[] = {"\r\n", "\r", "\n"};

    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> pieces;  // break + line, oldest first
        bool trimmedBreak = false;        // the top piece lost its break in a trim
        std::vector<ChatLine> expected, reported;
        TranscriptTracker tracker;
        tracker.reset("");
        auto text = [&] {
            std::string all;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                all += (i == 0 && trimmedBreak)
                           ? pieces[i].substr(pieces[i].find_first_not_of("\r\n"))
                           : pieces[i];
            }
            return all;
        };
        auto read = [&](const std::string& now) {
            for (ChatLine& line : tracker.update(now)) {
                reported.push_back(std::move(line));
            }
        };
        int next = 0;
        for (int step = 0; step < 60; ++step) {
            // The client trims only what was there at the last read (whole lines,
            // perhaps all of them), then appends.
            if (!pieces.empty() && chance(40)) {
                const std::size_t trimmed = 1 + random() % pieces.size();
                pieces.erase(pieces.begin(), pieces.begin() + static_cast<long>(trimmed));
                trimmedBreak = chance(50);
            }
            const int appended = static_cast<int>(random() % 4);
            for (int i = 0; i < appended; ++i, ++next) {
                const ChatLine line{next % 3 ? "Bob" : "Big Al", "line " + std::to_string(next)};
                expected.push_back(line);
                pieces.push_back(breaks[random() % 3] + line.screenName + ":\t" + line.text);
            }
            if (appended > 0 && chance(30)) {
                // A read that raced the append: the newest line seen half written.
                const std::string whole = text();
                read(whole.substr(0, whole.size() - 1 - random() % 3));
            }
            read(text());
        }
        pieces.push_back("\r\nEnd:\tend");
        expected.push_back({"End", "end"});
        read(text());
        read(text());
        read(text());
        EXPECT_EQ(reported, expected) << "round " << round;
    }
}

}  // namespace
}  // namespace lantern
