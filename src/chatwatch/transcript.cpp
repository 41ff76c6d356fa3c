#include "chatwatch/transcript.h"

#include <algorithm>

namespace lantern::transcript {

namespace {

constexpr std::string_view kNameSeparator = ":\t";

// Whether a stretch of `text` starting at `position` starts a line or the break
// before one. Whole lines are what the client trims from the top.
bool startsOnLineBoundary(std::string_view text, std::size_t position) {
    return position == 0 || position >= text.size() || isBreak(text[position - 1]) || isBreak(text[position]);
}

std::size_t nextBreak(std::string_view text, std::size_t from) {
    const std::size_t found = text.find_first_of("\r\n", from);
    return found == std::string_view::npos ? text.size() : found;
}

// Where the line after the break at `position` starts: "\r\n" is one break.
std::size_t afterBreak(std::string_view text, std::size_t position) {
    if (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n') {
        return position + 2;
    }
    return position + 1;
}

// The prefix function of `pattern`: for each length i + 1, the length of its longest
// proper prefix that is also a suffix.
std::vector<std::size_t> prefixFunction(std::string_view pattern) {
    std::vector<std::size_t> border(pattern.size(), 0);
    for (std::size_t i = 1; i < pattern.size(); ++i) {
        std::size_t j = border[i - 1];
        while (j > 0 && pattern[i] != pattern[j]) {
            j = border[j - 1];
        }
        if (pattern[i] == pattern[j]) {
            ++j;
        }
        border[i] = j;
    }
    return border;
}

// Whether `text` ends with `line` (one line and its break, in either order) twice
// running: the run of alike lines that a flooder leaves.
bool endsInRunOf(std::string_view text, std::string_view line) {
    const std::size_t start = line.find_first_not_of("\r\n");
    const std::size_t stop = line.find_last_not_of("\r\n");
    if (start == std::string_view::npos) return false;
    const std::string_view words = line.substr(start, stop + 1 - start);
    if (words.find_first_of("\r\n") != std::string_view::npos) return false;  // more than one line
    std::size_t end = text.find_last_not_of("\r\n");
    for (int seen = 0; seen < 2; ++seen) {
        if (end == std::string_view::npos || end + 1 < words.size()) return false;
        const std::size_t begin = end + 1 - words.size();
        if (text.substr(begin, words.size()) != words || !startsOnLineBoundary(text, begin)) return false;
        end = begin == 0 ? std::string_view::npos : text.find_last_not_of("\r\n", begin - 1);
    }
    return true;
}

}  // namespace

std::optional<ChatLine> parseLine(std::string_view line) {
    const std::size_t separator = line.find(kNameSeparator);
    if (separator == std::string_view::npos) {
        return std::nullopt;
    }
    return ChatLine{std::string(line.substr(0, separator)),
                    std::string(line.substr(separator + kNameSeparator.size()))};
}

std::size_t overlap(std::string_view handled, std::string_view current) {
    // The common case, nothing trimmed: the new read begins with all we handled.
    if (current.starts_with(handled)) {
        return handled.size();
    }
    const std::size_t most = std::min(handled.size(), current.size());
    if (most == 0) {
        return 0;
    }
    // Knuth-Morris-Pratt over the last `most` bytes of `handled`, looking for
    // `current`'s beginning: at the end, `matched` is the longest suffix of `handled`
    // that begins `current`, and the chain of borders gives every shorter one.
    const std::string_view pattern = current.substr(0, most);
    const std::vector<std::size_t> border = prefixFunction(pattern);
    std::size_t matched = 0;
    for (const char c : handled.substr(handled.size() - most)) {
        while (matched > 0 && (matched == most || pattern[matched] != c)) {
            matched = border[matched - 1];
        }
        if (matched < most && pattern[matched] == c) {
            ++matched;
        }
    }
    while (matched > 0 && !startsOnLineBoundary(handled, handled.size() - matched)) {
        matched = border[matched - 1];
    }
    return matched;
}

Diff diff(std::string_view previous, std::size_t handled, std::string_view current) {
    handled = std::min(handled, previous.size());
    const std::string_view unfinished = previous.substr(handled);
    Diff result;

    const std::string_view handledText = previous.substr(0, handled);
    std::size_t position = overlap(handledText, current);
    // Lines go from the top only as one comes at the bottom. Where the handled text
    // ends in a run of alike lines, a trim of n lines with one added reads just like a
    // trim of n - 1 with none: then the overlap one line shorter is the true one, as
    // long as what follows it can be an append (it goes on from the unfinished line).
    if (position > 0 && position < handledText.size() && unfinished.starts_with(current.substr(position))) {
        const std::size_t shorter = overlap(handledText, current.substr(0, position - 1));
        if (current.substr(shorter).starts_with(unfinished) &&
            endsInRunOf(handledText, current.substr(shorter, position - shorter))) {
            position = shorter;
        }
    }
    const std::string_view rest = current.substr(position);
    // The unfinished line is neither continued in the new read nor cut short by it:
    // it was trimmed away, or the transcript replaced, after it had arrived whole.
    // Report it as it was rather than lose it. A read cut short (one that raced an
    // append) still holds the older lines above it; without them, a new text that
    // merely begins like the old line is a replacement.
    const bool continued = rest.starts_with(unfinished);
    const bool anchored = current.substr(0, position).find_first_not_of("\r\n") != std::string_view::npos;
    const bool cutShort = anchored && !rest.empty() && unfinished.starts_with(rest);
    if (!unfinished.empty() && !continued && !cutShort) {
        if (auto line = parseLine(unfinished)) {
            result.lines.push_back(std::move(*line));
        }
    }

    // The handled text ended inside a line (an old one, or one already taken as
    // complete): whatever follows up to the next break belongs to that line.
    if (position > 0 && !isBreak(current[position - 1])) {
        position = nextBreak(current, position);
        if (position == current.size()) {
            result.handledEnd = position;
            return result;
        }
        position = afterBreak(current, position);
    }

    for (;;) {
        const std::size_t end = nextBreak(current, position);
        if (end == current.size()) {
            break;  // no break after it yet: unfinished
        }
        if (auto line = parseLine(current.substr(position, end - position))) {
            result.lines.push_back(std::move(*line));
        }
        position = afterBreak(current, end);
    }
    result.handledEnd = position;
    return result;
}

}  // namespace lantern::transcript

namespace lantern {

void TranscriptTracker::reset(std::string text) {
    text_ = std::move(text);
    handled_ = text_.size();
    unchangedReads_ = 0;
}

std::vector<ChatLine> TranscriptTracker::update(std::string text) {
    const std::string before(unfinished());
    transcript::Diff diff = transcript::diff(text_, handled_, text);
    text_ = std::move(text);
    handled_ = diff.handledEnd;

    // Settling: the client writes a line in one go, so a last line that reads the
    // same a few times running is whole, even with no break after it yet.
    const std::string_view now = unfinished();
    const bool sameLineAgain = diff.lines.empty() && now == before && transcript::parseLine(now);
    unchangedReads_ = sameLineAgain ? unchangedReads_ + 1 : 0;
    if (unchangedReads_ >= settleReads_) {
        diff.lines.push_back(*transcript::parseLine(now));
        handled_ = text_.size();
        unchangedReads_ = 0;
    }
    return std::move(diff.lines);
}

bool TranscriptTracker::hasUnsettledLine() const { return transcript::parseLine(unfinished()).has_value(); }

std::string_view TranscriptTracker::unfinished() const { return std::string_view(text_).substr(handled_); }

}  // namespace lantern
