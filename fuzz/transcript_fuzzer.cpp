// Fuzzes the chat watcher's reading of a transcript: parsing a line, finding what a
// new read shares with the last one, and picking out the lines that are new.
//
// Input: a header byte, then texts separated by NUL bytes (see fuzz_support.h).
//   text 0   the earlier read; text 1 the later one (arbitrary diff);
//   text 0   also the start of a pure append, texts 1.. what the client adds;
//   header   how much of the earlier read was handled, and how many whole lines
//            the client trims from the top before it appends.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chatwatch/transcript.h"
#include "fuzz_support.h"

namespace lantern::fuzz {
namespace {

using transcript::isBreak;

struct Line {
    std::size_t start = 0;
    std::string_view text;  // without its break
    bool complete = false;  // a break follows it
};

// The lines of `text`, split the way the client writes them: "\r\n", "\r" or "\n"
// ends a line, "\r\n" counting as one break.
std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!isBreak(text[at])) continue;
        lines.push_back({start, text.substr(start, at - start), true});
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        start = at + 1;
    }
    lines.push_back({start, text.substr(start), false});
    return lines;
}

// The chat lines among the complete lines of `text` that start at or after `from`.
std::vector<ChatLine> completeChatLines(std::string_view text, std::size_t from = 0) {
    std::vector<ChatLine> found;
    for (const Line& line : splitLines(text)) {
        if (!line.complete || line.start < from) continue;
        if (auto chat = transcript::parseLine(line.text)) found.push_back(*chat);
    }
    return found;
}

std::string describe(const std::vector<ChatLine>& lines) {
    std::string out = "[";
    for (const ChatLine& line : lines) {
        out += " " + printable(line.screenName) + ":" + printable(line.text);
    }
    return out + " ]";
}

// The split of one line is at its first ":\t", and nothing is lost or added by it.
void checkParse(std::string_view line) {
    const std::optional<ChatLine> chat = transcript::parseLine(line);
    const std::size_t separator = line.find(":\t");
    FUZZ_CHECK(chat.has_value() == (separator != std::string_view::npos), printable(line));
    if (!chat) return;
    FUZZ_CHECK(chat->screenName.find(":\t") == std::string::npos, printable(line));
    FUZZ_CHECK(chat->screenName + ":\t" + chat->text == line, printable(line));
}

// The longest stretch that ends `handled` and begins `current`, starting on a line
// boundary of `handled`: tried length by length, longest first.
std::size_t slowOverlap(std::string_view handled, std::string_view current) {
    for (std::size_t length = std::min(handled.size(), current.size()); length > 0; --length) {
        const std::size_t start = handled.size() - length;
        const bool onBoundary = start == 0 || isBreak(handled[start - 1]) || isBreak(handled[start]);
        if (onBoundary && handled.ends_with(current.substr(0, length))) return length;
    }
    return 0;
}

bool endsWith(const std::vector<ChatLine>& all, const std::vector<ChatLine>& tail) {
    return tail.size() <= all.size() && std::equal(tail.begin(), tail.end(), all.end() - tail.size());
}

// Any two reads: the overlap is the longest one; the lines reported are whole chat
// lines of the new read, a run of them up to its end, possibly preceded by the last
// read's unfinished line when that vanished; what is left unhandled holds no break.
void checkAnyDiff(std::string_view previous, std::size_t handled, std::string_view current) {
    const std::string context =
        "previous " + printable(previous) + " handled " + std::to_string(handled) + " current " + printable(current);
    const std::string_view handledText = previous.substr(0, std::min(handled, previous.size()));
    const std::string_view unfinished = previous.substr(handledText.size());
    const auto vanished = transcript::parseLine(unfinished);
    const std::size_t overlap = slowOverlap(handledText, current);
    FUZZ_CHECK(transcript::overlap(handledText, current) == overlap, context);

    const transcript::Diff diff = transcript::diff(previous, handled, current);
    FUZZ_CHECK(diff.handledEnd <= current.size(), context);
    const std::size_t end = diff.handledEnd;
    FUZZ_CHECK(end == 0 || end == current.size() || isBreak(current[end - 1]), context);
    FUZZ_CHECK(current.find_first_of("\r\n", end) == std::string_view::npos, context);

    const std::vector<ChatLine> whole = completeChatLines(current);
    std::vector<ChatLine> fromCurrent = diff.lines;
    if (!endsWith(whole, fromCurrent)) {
        FUZZ_CHECK(vanished && !fromCurrent.empty() && fromCurrent.front() == *vanished,
                   context + "\nreported " + describe(diff.lines));
        fromCurrent.erase(fromCurrent.begin());
        FUZZ_CHECK(endsWith(whole, fromCurrent), context + "\nreported " + describe(diff.lines));
    }
    for (const ChatLine& line : diff.lines) checkParse(line.screenName + ":\t" + line.text);

    // Nothing in common and the unfinished chat line not continued: it was trimmed
    // away or the transcript replaced after it arrived whole, so it is not lost.
    if (vanished && overlap == 0 && !current.starts_with(unfinished)) {
        std::vector<ChatLine> expected{*vanished};
        for (ChatLine& line : completeChatLines(current)) expected.push_back(std::move(line));
        FUZZ_CHECK(diff.lines == expected,
                   context + "\nreported " + describe(diff.lines) + "\nexpected " + describe(expected));
    }
}

// The client appends to a read of which everything up to the last break was handled,
// after trimming `trimmed` whole lines from the top. Every complete chat line after
// the handled part is reported once, in order, unless the trim makes the new read
// look like a different overlap (then no reader could tell, and only the general
// rules apply).
void checkAppend(std::string_view earlier, std::size_t trimmed, std::string_view added) {
    const std::size_t lastBreak = earlier.find_last_of("\r\n");
    const std::size_t handled = lastBreak == std::string_view::npos ? 0 : lastBreak + 1;
    const std::vector<Line> handledLines = splitLines(earlier.substr(0, handled));
    const std::size_t wholeLines = handledLines.size() - 1;  // the last is the empty rest
    const std::size_t keptFrom = handledLines[trimmed % (wholeLines + 1)].start;
    const std::string current = std::string(earlier.substr(keptFrom)) + std::string(added);
    const std::string_view unfinished = earlier.substr(handled);

    const std::string context =
        "earlier " + printable(earlier) + " trimmed from " + std::to_string(keptFrom) + " added " + printable(added);
    if (slowOverlap(earlier.substr(0, handled), current) != handled - keptFrom) return;  // ambiguous
    // The client trims only as it appends: a trim alone of a run of alike lines (blank
    // lines between them count for nothing) reads as a trim of one more with one
    // added, and is taken so.
    std::vector<std::string_view> written;
    for (std::size_t i = 0; i < wholeLines; ++i) {
        if (!handledLines[i].text.empty()) written.push_back(handledLines[i].text);
    }
    const bool endsInAlikeLines = written.size() >= 2 && written.back() == written[written.size() - 2];
    if (keptFrom > 0 && added.empty() && endsInAlikeLines) return;
    const transcript::Diff diff = transcript::diff(earlier, handled, current);
    const std::vector<ChatLine> expected = completeChatLines(std::string(unfinished) + std::string(added));
    FUZZ_CHECK(diff.lines == expected,
               context + "\nreported " + describe(diff.lines) + "\nexpected " + describe(expected));
}

// The watcher's memory fed read after read while the client appends one piece at a
// time, then the same read until the last line settles: every chat line that starts
// after what was there at the start comes out exactly once, the last one included.
void checkTracker(std::string_view start, const std::vector<std::string>& pieces) {
    TranscriptTracker tracker;
    tracker.reset(std::string(start));
    std::string text(start);
    std::vector<ChatLine> reported;
    for (const std::string& piece : pieces) {
        if (piece.empty()) continue;  // an unchanged read would count towards settling
        text += piece;
        for (ChatLine& line : tracker.update(text)) reported.push_back(std::move(line));
    }
    std::vector<ChatLine> expected = completeChatLines(text, start.size());
    const Line last = splitLines(text).back();
    const auto lastChat = last.start >= start.size() ? transcript::parseLine(last.text) : std::nullopt;
    if (lastChat) expected.push_back(*lastChat);

    const std::string context = "start " + printable(start) + " final " + printable(text);
    FUZZ_CHECK(tracker.hasUnsettledLine() == lastChat.has_value(), context);
    for (int read = 0; read < TranscriptTracker::kSettleReads; ++read) {
        for (ChatLine& line : tracker.update(text)) reported.push_back(std::move(line));
    }
    FUZZ_CHECK(!tracker.hasUnsettledLine(), context);
    FUZZ_CHECK(reported == expected, context + "\nreported " + describe(reported) + "\nexpected " + describe(expected));
    FUZZ_CHECK(tracker.update(text).empty(), context + "\nthe settled line came again");
}

}  // namespace
}  // namespace lantern::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lantern::fuzz;
    const Parts parts = splitInput(data, size);
    const std::string_view earlier = parts.text(0);
    const std::string_view later = parts.text(1);

    for (const std::string& part : parts.texts) checkParse(part);

    // The header as a share of the earlier read, one past its end included.
    const std::size_t handled = (earlier.size() + 1) * parts.header / 255;
    checkAnyDiff(earlier, handled, later);

    std::string added;
    for (std::size_t i = 1; i < parts.texts.size(); ++i) added += parts.texts[i];
    checkAppend(earlier, parts.header, added);

    checkTracker(earlier, std::vector<std::string>(parts.texts.begin() + 1, parts.texts.end()));
    return 0;
}
