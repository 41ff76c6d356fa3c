#include "standin/model/markup.h"

#include "common/text.h"

namespace lantern::standin {

namespace {

// Calls onText for each piece of plain text and onTag for the inside of each tag,
// in order.
template <typename OnText, typename OnTag>
void scanMarkup(std::string_view markup, OnText onText, OnTag onTag) {
    std::size_t at = 0;
    while (at < markup.size()) {
        std::size_t open = markup.find('<', at);
        std::size_t close = open == std::string_view::npos ? open : markup.find('>', open + 1);
        if (close == std::string_view::npos) {
            onText(markup.substr(at));  // no tag left: the rest is text, "<" included
            return;
        }
        if (open > at) onText(markup.substr(at, open - at));
        onTag(markup.substr(open + 1, close - open - 1));
        at = close + 1;
    }
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#rrggbb" or "rrggbb"; nothing for anything else.
std::optional<std::uint32_t> parseColor(std::string_view value) {
    if (!value.empty() && value.front() == '#') value.remove_prefix(1);
    if (value.size() != 6) return std::nullopt;
    std::uint32_t rgb = 0;
    for (char c : value) {
        int digit = hexValue(c);
        if (digit < 0) return std::nullopt;
        rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
    }
    return rgb;
}

struct Attribute {
    std::string name;  // lower case
    std::string value;
};

// The tag's name (lower case) and its name=value attributes; values may be quoted.
std::string parseTag(std::string_view tag, std::vector<Attribute>& attributes) {
    std::size_t at = 0;
    while (at < tag.size() && !isSpace(tag[at])) ++at;
    std::string name = text::toLower(tag.substr(0, at));
    while (at < tag.size()) {
        while (at < tag.size() && isSpace(tag[at])) ++at;
        std::size_t nameStart = at;
        while (at < tag.size() && tag[at] != '=' && !isSpace(tag[at])) ++at;
        Attribute attribute{text::toLower(tag.substr(nameStart, at - nameStart)), {}};
        if (at < tag.size() && tag[at] == '=') {
            ++at;
            char quote = at < tag.size() && (tag[at] == '"' || tag[at] == '\'') ? tag[at] : 0;
            if (quote) ++at;
            std::size_t valueStart = at;
            while (at < tag.size() && (quote ? tag[at] != quote : !isSpace(tag[at]))) ++at;
            attribute.value = std::string(tag.substr(valueStart, at - valueStart));
            if (quote && at < tag.size()) ++at;
        }
        if (!attribute.name.empty()) attributes.push_back(std::move(attribute));
    }
    return name;
}

// The style in force while mark-up is read: a stack of <font> styles and a depth
// for each on/off tag, so nested and unbalanced tags behave.
class StyleState {
public:
    TextStyle current() const {
        TextStyle style = fonts_.empty() ? TextStyle{} : fonts_.back();
        style.bold = bold_ > 0;
        style.italic = italic_ > 0;
        style.underline = underline_ > 0;
        return style;
    }

    void apply(std::string_view tag) {
        std::vector<Attribute> attributes;
        std::string name = parseTag(tag, attributes);
        if (name == "font") {
            openFont(attributes);
        } else if (name == "/font") {
            if (!fonts_.empty()) fonts_.pop_back();
        } else {
            switchOnOff(name);
        }
    }

private:
    void openFont(const std::vector<Attribute>& attributes) {
        TextStyle style = fonts_.empty() ? TextStyle{} : fonts_.back();
        for (const Attribute& attribute : attributes) {
            if (attribute.name == "color") {
                if (auto color = parseColor(attribute.value)) style.color = color;
            } else if (attribute.name == "face" && !attribute.value.empty()) {
                style.face = attribute.value;
            }
        }
        fonts_.push_back(style);
    }

    void switchOnOff(const std::string& name) {
        bool closing = !name.empty() && name.front() == '/';
        std::string_view bare = closing ? std::string_view(name).substr(1) : std::string_view(name);
        int* depth = bare == "b" ? &bold_ : bare == "i" ? &italic_ : bare == "u" ? &underline_ : nullptr;
        if (!depth) return;
        if (!closing) {
            ++*depth;
        } else if (*depth > 0) {
            --*depth;
        }
    }

    std::vector<TextStyle> fonts_;
    int bold_ = 0, italic_ = 0, underline_ = 0;
};

}  // namespace

std::string stripTags(std::string_view markup) {
    std::string plain;
    scanMarkup(
        markup, [&](std::string_view piece) { plain += piece; }, [](std::string_view) {});
    return plain;
}

std::vector<StyledRun> styledRuns(std::string_view markup) {
    std::vector<StyledRun> runs;
    StyleState state;
    scanMarkup(
        markup,
        [&](std::string_view piece) {
            TextStyle style = state.current();
            if (!runs.empty() && runs.back().style == style) {
                runs.back().text += piece;
            } else {
                runs.push_back({std::string(piece), style});
            }
        },
        [&](std::string_view tag) { state.apply(tag); });
    return runs;
}

}  // namespace lantern::standin
