#include "standin/model/transcript.h"

#include <algorithm>

#include "standin/model/markup.h"

namespace lantern::standin {

namespace {

std::string oneLine(std::string_view s) {
    std::string out(s);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

// The start of `line` whose shown form ("\r\n" + plain text) takes at most `room`
// bytes. The mark-up is cut; a tag that the cut splits goes whole, so that its
// first half never shows as text.
void cutToFit(TranscriptLine& line, std::size_t room) {
    std::size_t head = 2 + (line.speaker.empty() ? 0 : line.speaker.size() + 2);
    if (head >= room) {
        line.speaker.resize(std::min(line.speaker.size(), room > 4 ? room - 4 : 0));
        line.markup.clear();
        return;
    }
    const std::size_t visibleRoom = room - head;
    // Tags take no room, so walk the mark-up counting only what shows.
    std::size_t shown = 0, at = 0;
    while (at < line.markup.size() && shown < visibleRoom) {
        if (line.markup[at] == '<') {
            std::size_t close = line.markup.find('>', at);
            if (close != std::string::npos) {
                at = close + 1;
                continue;
            }
        }
        ++shown;
        ++at;
    }
    line.markup.resize(at);
}

}  // namespace

std::string TranscriptLine::plain() const {
    std::string visible = stripTags(markup);
    return speaker.empty() ? visible : speaker + ":\t" + visible;
}

Transcript::Transcript(TranscriptLimits limits) : limits_(limits) {
    limits_.keepLines = std::min(limits_.keepLines, limits_.maxLines);
    limits_.keepBytes = std::min(limits_.keepBytes, limits_.maxBytes);
}

std::size_t Transcript::append(std::string_view speaker, std::string_view markup) {
    return add({oneLine(speaker), oneLine(markup)});
}

std::size_t Transcript::appendNotice(std::string_view notice) { return add({"", oneLine(notice)}); }

std::size_t Transcript::add(TranscriptLine line) {
    std::string shown = "\r\n" + line.plain();
    if (limits_.maxBytes != 0 && shown.size() > limits_.maxBytes) {
        cutToFit(line, limits_.maxBytes);
        shown = "\r\n" + line.plain();
    }
    text_ += shown;
    lengths_.push_back(shown.size());
    lines_.push_back(std::move(line));

    std::size_t drop = 0;
    if (limits_.maxLines != 0 && lines_.size() > limits_.maxLines) drop = lines_.size() - limits_.keepLines;
    if (limits_.maxBytes != 0 && text_.size() > limits_.maxBytes) {
        // Whole lines from the top until the rest fits in keepBytes; never the newest.
        std::size_t bytes = text_.size();
        std::size_t byBytes = 0;
        while (byBytes + 1 < lines_.size() && bytes > limits_.keepBytes) bytes -= lengths_[byBytes++];
        drop = std::max(drop, byBytes);
    }
    return dropOldest(drop);
}

std::size_t Transcript::dropOldest(std::size_t count) {
    if (count == 0) return 0;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < count; ++i) bytes += lengths_[i];
    text_.erase(0, bytes);
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(count));
    lengths_.erase(lengths_.begin(), lengths_.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

}  // namespace lantern::standin
