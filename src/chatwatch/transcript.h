#pragma once
// Reading a chat room's transcript, without any window: splitting it into lines,
// parsing a line into author and text, and working out which lines are new since the
// last read. The client appends every chat line as "\r\n" + screen name + ":\t" +
// text and trims old lines from the top now and then, so a new read is the old one
// with some lines gone from the top and some added at the bottom.
//
// A line is complete once a line break ("\r\n", "\r" or "\n") follows it. The newest
// line has no break after it until the next line comes, so TranscriptTracker also
// takes the last line as complete once it has stayed the same for a few reads.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lantern {

// One chat line: who wrote it and what they wrote.
struct ChatLine {
    std::string screenName;
    std::string text;
    bool operator==(const ChatLine&) const = default;
};

namespace transcript {

inline bool isBreak(char c) { return c == '\r' || c == '\n'; }

// One line without its break: the author is what comes before the first ":\t" (names
// may hold spaces), the text everything after it (texts may hold ":\t" again).
// nullopt for a line without ":\t", such as a notice of the room.
std::optional<ChatLine> parseLine(std::string_view line);

// How much of `current` is text already handled: the length of the longest stretch
// that ends `handled` and begins `current`, where that stretch starts on a line
// boundary of `handled` (so a coincidence inside a line is not taken for an overlap).
// 0 when there is none: the transcript was replaced, or trimmed past all we knew.
std::size_t overlap(std::string_view handled, std::string_view current);

struct Diff {
    std::vector<ChatLine> lines;  // new complete chat lines, oldest first
    std::size_t handledEnd = 0;  // in `current`: where the line still unfinished starts
};

// Compares a new read with the previous one, of which the first `handled` bytes had
// been dealt with (reported, or old when watching began), and returns the chat lines
// completed since. An unfinished last line that has vanished from the new read
// (trimmed, or the transcript replaced) is returned as it was last seen.
Diff diff(std::string_view previous, std::size_t handled, std::string_view current);

}  // namespace transcript

// The memory of one transcript between reads: the last text read and how far it has
// been dealt with. Feed it every read; it returns each new line exactly once.
class TranscriptTracker {
public:
    // The last line counts as complete once it has read the same this many times
    // after the read that first showed it: by default, and when every change of the
    // transcript is known to be reported (then a read after the report that showed
    // it is the only doubt left).
    static constexpr int kSettleReads = 2;
    static constexpr int kSettleReadsWhenReported = 1;
    void setSettleReads(int reads) { settleReads_ = reads; }

    // Starts afresh: everything in `text` is old.
    void reset(std::string text);

    // The chat lines that are new in `text`, oldest first.
    std::vector<ChatLine> update(std::string text);

    // Whether a chat line at the end is still waiting to be taken as complete, so
    // the next read matters even if the length has not changed.
    bool hasUnsettledLine() const;

    // The last text read.
    const std::string& text() const { return text_; }

private:
    std::string_view unfinished() const;

    std::string text_;  // the last text read
    std::size_t handled_ = 0;  // bytes of text_ dealt with
    int unchangedReads_ = 0;  // reads in a row that showed the same unfinished line
    int settleReads_ = kSettleReads;
};

}  // namespace lantern
