#pragma once
// Chat mark-up as the stand-in client reads it: the plain text that a transcript
// shows (every tag removed) and the styled runs that a real window draws. A tag
// runs from "<" to the next ">"; a "<" with no ">" after it is plain text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lantern::standin {

// The text of the mark-up with its tags removed, every other byte kept.
std::string stripTags(std::string_view markup);

struct TextStyle {
    std::optional<std::uint32_t> color;  // 0xRRGGBB; none: the window's own colour
    std::string face;  // "": the window's own font
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const TextStyle&) const = default;
};

struct StyledRun {
    std::string text;
    TextStyle style;

    bool operator==(const StyledRun&) const = default;
};

// The visible text split where its style changes. <font color=#rrggbb face=...>
// opens a style that </font> closes; <b>, <i> and <u> switch on until their closing
// tag. Other tags are dropped. The runs' texts joined give stripTags(markup).
std::vector<StyledRun> styledRuns(std::string_view markup);

}  // namespace lantern::standin
