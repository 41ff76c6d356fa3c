#pragma once
// Which of the add-on's lines a posted line is. Every line the add-on posts is one
// of a few forms: the fixed banners and replies, and the lines with a value inside
// (a room, a name, the idle counters, a transfer's texts). A posted line that fits
// none of them is one the add-on never meant to post.

#include <optional>
#include <string>
#include <vector>

#include "unit/idle/expected_lines.h"

namespace lantern::faults {

enum class LineForm {
    LoadBanner,
    UnloadBanner,         // the menu's form
    CommandUnloadBanner,  // ".end" and ".exit"
    IdleOnBanner,
    IdleOffBanner,
    CommandsLine,
    PrivateRoomLine,
    ChatRoomLine,
    IdleLine,
    UploadLine,
    DownloadLine,
    Unknown,
};

const char* formName(LineForm form);

struct PostedForm {
    LineForm form = LineForm::Unknown;
    std::string value;     // the room or name of a room line, the reason of an idle or transfer line
    long idleMinutes = 0;  // an idle line's days, hours and minutes, in minutes
};

PostedForm classify(const std::string& line, const expected::Style& style);

// A line with holes: the pieces between them must stand in the line as they are,
// the holes take what lies between.
class LineTemplate {
public:
    // `filled` is the line built with each of `markers` in place of a value, in
    // the order they stand in it.
    LineTemplate(const std::string& filled, const std::vector<std::string>& markers);
    // The values in the holes, in order; nullopt when the line does not fit.
    std::optional<std::vector<std::string>> match(const std::string& line) const;

private:
    std::vector<std::string> pieces_;  // literal, hole, literal, hole, ... literal
};

}  // namespace lantern::faults
