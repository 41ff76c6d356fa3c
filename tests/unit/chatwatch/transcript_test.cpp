// The transcript diff, without windows: a series of reads, each with the lines it must report.

#include <random>

#include "watcher_scene.h"

namespace lantern {
namespace {

struct TrackerCase {
    const char* name;
    std::string before;  // there when watching starts: old
    std::vector<std::pair<std::string, std::vector<ChatLine>>> reads;  // each read, and what it reports
};

std::string alike(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "\r\nS:\tx";
    return text;
}

const TrackerCase kCases[] = {
    {"parsing at the first \":\\t\"; lines without one are skipped",
     "",
     {{"\r\nBig Al 2:\thi there\r\nBob:\ttime:\t12:30\r\nBob: no tab\r\nOnlineHost:  *** Bob left\r\nZo\xEB:\t\r\n",
       {{"Big Al 2", "hi there"}, {"Bob", "time:\t12:30"}, {"Zo\xEB", ""}}}}},
    {"CR, LF and CR LF between lines", "", {{"\rA:\t1\nB:\t2\r\nC:\t3\rD", {{"A", "1"}, {"B", "2"}, {"C", "3"}}}}},
    {"a line split across two reads", "", {{"\r\nBob:\thel", {}}, {"\r\nBob:\thello\r\n", {{"Bob", "hello"}}}}},
    {"a CR LF split across two reads", "", {{"\r\nA:\t1\r", {{"A", "1"}}}, {"\r\nA:\t1\r\nB:\t2\r\n", {{"B", "2"}}}}},
    {"trimmed, leading break kept", "\r\nA:\t1\r\nB:\t2\r\n", {{"\r\nB:\t2\r\nC:\t3\r\n", {{"C", "3"}}}}},
    {"trimmed, trailing break taken", "\r\nA:\t1\r\nB:\t2\r\n", {{"B:\t2\r\nC:\t3\r\n", {{"C", "3"}}}}},
    {"replaced wholesale", "\r\nA:\t1\r\nB:\t2\r\n", {{"\r\nC:\t3\r\nD:\t4\r\n", {{"C", "3"}, {"D", "4"}}}}},
    {"the same words twice are two lines", "\r\nA:\tlol\r\n", {{"\r\nA:\tlol\r\nA:\tlol\r\n", {{"A", "lol"}}}}},
    {"an overlap starting inside a line is no trim",
     "\r\nA:\t1\r\nB:\tC:\t3\r\n",
     {{"C:\t3\r\nD:\t4\r\n", {{"C", "3"}, {"D", "4"}}}}},
    {"an unfinished line trimmed away is reported as it was",
     "\r\nA:\t1\r\n",
     {{"\r\nA:\t1\r\nB:\t2", {}}, {"\r\nX:\t9\r\n", {{"B", "2"}, {"X", "9"}}}}},
    {"a read cut short inside the unfinished line loses nothing",
     "\r\nA:\t1\r\n",
     {{"\r\nA:\t1\r\nB:\t22", {}}, {"\r\nA:\t1\r\nB:\t2", {}}, {"\r\nA:\t1\r\nB:\t22\r\n", {{"B", "22"}}}}},
    {"a last line settles after two more same reads, and is not reported again",
     "",
     {{"\r\nA:\thi", {}},
      {"\r\nA:\thi", {}},
      {"\r\nA:\thi", {{"A", "hi"}}},
      {"\r\nA:\thi, C:\tyo\r\nB:\t2\r\n", {{"B", "2"}}}}},
    {"a name still without its tab does not settle",
     "",
     {{"\r\nBob:", {}}, {"\r\nBob:", {}}, {"\r\nBob:", {}}, {"\r\nBob:\tyo\r\n", {{"Bob", "yo"}}}}},
    // A flooder's alike lines, trimmed in bulk: n lines gone with one added reads as if
    // n - 1 had gone with none; only the client's way (no trim without an append) tells.
    {"alike lines trimmed in bulk as one is added, settled or not",
     alike(10),
     {{alike(6), {}},
      {alike(6), {}},
      {alike(6), {{"S", "x"}}},
      {alike(3), {}},
      {alike(3), {}},
      {alike(3), {{"S", "x"}}},
      {alike(5), {{"S", "x"}}},
      {alike(2), {{"S", "x"}}},
      {alike(2), {}},
      {alike(2), {{"S", "x"}}}}},
    {"alike lines above an unfinished line, trimmed with nothing added: nothing new",
     "",
     {{alike(3) + "\r\nC:\t3", {{"S", "x"}, {"S", "x"}, {"S", "x"}}}, {alike(2) + "\r\nC:\t3", {}}}},
    {"lines unlike each other, trimmed with nothing added: nothing new",
     "\r\nA:\t8\r\nB:\t9\r\n",
     {{"\r\nB:\t9\r\n", {}}, {"\r\nB:\t9\r\nC:\t10\r\n", {{"C", "10"}}}}},
    {"an unfinished line from before stays old",
     "\r\nA:\t1\r\nB:\tunfini",
     {{"\r\nA:\t1\r\nB:\tunfinished\r\nC:\t3\r\n", {{"C", "3"}}}}},
};

TEST(TranscriptTracker, ReportsEachNewLineOnce) {
    for (const TrackerCase& c : kCases) {
        TranscriptTracker tracker;
        tracker.reset(c.before);
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            EXPECT_EQ(tracker.update(c.reads[i].first), c.reads[i].second) << c.name << ", read " << i + 1;
        }
    }
}

// Random appends, half-written reads and trims from the top: every line comes out once, in order.
TEST(TranscriptTracker, RandomAppendsAndTrimsLoseAndRepeatNothing) {
    std::mt19937 random(20240611);
    const char* breaks[] = {"\r\n", "\r", "\n"};
    for (int round = 0; round < 40; ++round) {
        std::deque<std::string> pieces;  // break + line, oldest first
        std::vector<ChatLine> expected, reported;
        TranscriptTracker tracker;
        auto read = [&](bool cutShort = false) {
            std::string text;
            for (const std::string& piece : pieces) text += piece;
            text.resize(text.size() - (cutShort ? 1 + random() % 3 : 0));
            for (ChatLine& line : tracker.update(text)) reported.push_back(line);
        };
        for (int step = 0, next = 0; step < 60; ++step) {
            if (!pieces.empty() && random() % 100 < 40) {
                pieces.erase(pieces.begin(), pieces.begin() + 1 + random() % pieces.size());
                if (!pieces.empty() && random() % 2) pieces[0].erase(0, pieces[0].find_first_not_of("\r\n"));
            }
            const int appended = static_cast<int>(random() % 4);
            for (int i = 0; i < appended; ++i, ++next) {
                expected.push_back({next % 3 ? "Bob" : "Big Al", "line " + std::to_string(next)});
                pieces.push_back(breaks[random() % 3] + expected.back().screenName + ":\t" + expected.back().text);
            }
            if (appended > 0 && random() % 100 < 30) read(true);
            read();
        }
        pieces.push_back("\r\nEnd:\tend");
        expected.push_back({"End", "end"});
        read(), read(), read();
        EXPECT_EQ(reported, expected) << "round " << round;
    }
}

}  // namespace
}  // namespace lantern
