#pragma once
// A chat room's transcript as the client keeps it: one entry per line, shown to
// readers of the window's text as "\r\n" + line for each line in order. A chat line
// reads name + ":\t" + the text with its tags removed; a notice has no ":\t". When
// the transcript grows past its limits (lines, or bytes of text) the client drops
// lines from the top, several at once, as a real chat window does. Like a rich edit
// at its text limit, it takes only the start of a line that alone would not fit.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace lantern::standin {

// A line may be half a megabyte of text; a view shows its first kilobyte, all a
// person reads of it (a rich edit lays out long unbroken lines slowly: under Wine
// about 150 ms for four kilobytes). The window's text stays whole.
inline constexpr std::size_t kShownLineChars = 1024;

struct TranscriptLine {
    std::string speaker;  // "" for a notice
    std::string markup;  // the text as it was posted, tags and all

    // The line as the transcript's text shows it, without its leading "\r\n".
    std::string plain() const;
};

struct TranscriptLimits {
    std::size_t maxLines = 200;  // more than this and the oldest lines go; 0: no limit
    std::size_t keepLines = 150;  // how many stay after a trim (at most maxLines)
    // The same for the bytes of text(); the newest line always stays, cut to maxBytes.
    std::size_t maxBytes = 512 * 1024;  // 0: no limit
    std::size_t keepBytes = 384 * 1024;  // at most maxBytes
};

class Transcript {
public:
    explicit Transcript(TranscriptLimits limits = {});

    // Appends one line. Line breaks inside the name or the text become spaces: one
    // post is one line, and nobody can fake a second line by sending a break.
    // Returns how many older lines were dropped from the top to make room.
    std::size_t append(std::string_view speaker, std::string_view markup);
    std::size_t appendNotice(std::string_view notice);

    const TranscriptLimits& limits() const { return limits_; }
    const std::deque<TranscriptLine>& lines() const { return lines_; }
    // The window's text: "\r\n" + plain line, for each line.
    const std::string& text() const { return text_; }

private:
    std::size_t add(TranscriptLine line);
    std::size_t dropOldest(std::size_t count);

    TranscriptLimits limits_;
    std::deque<TranscriptLine> lines_;
    std::deque<std::size_t> lengths_;  // bytes each line takes in text_
    std::string text_;
};

}  // namespace lantern::standin
