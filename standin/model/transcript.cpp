#include "standin/model/transcript.h"

#include <algorithm>

#include "standin/model/markup.h"

namespace lantern::standin {

namespace {

std::string oneLine(std::string_view s) {
    std::string out(s);
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

}  // namespace

std::string TranscriptLine::plain() const {
    std::string visible = stripTags(markup);
    return speaker.empty() ? visible : speaker + ":\t" + visible;
}

Transcript::Transcript(TranscriptLimits limits) : limits_(limits) {
    limits_.keepLines = std::min(limits_.keepLines, limits_.maxLines);
}

bool Transcript::append(std::string_view speaker, std::string_view markup) {
    return add({oneLine(speaker), oneLine(markup)});
}

bool Transcript::appendNotice(std::string_view notice) {
    return add({"", oneLine(notice)});
}

bool Transcript::add(TranscriptLine line) {
    std::string shown = "\r\n" + line.plain();
    text_ += shown;
    lengths_.push_back(shown.size());
    lines_.push_back(std::move(line));
    if (limits_.maxLines == 0 || lines_.size() <= limits_.maxLines) return false;

    std::size_t drop = lines_.size() - limits_.keepLines;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < drop; ++i) bytes += lengths_[i];
    text_.erase(0, bytes);
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(drop));
    lengths_.erase(lengths_.begin(), lengths_.begin() + static_cast<std::ptrdiff_t>(drop));
    return true;
}

}  // namespace lantern::standin
