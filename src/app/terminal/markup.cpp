#include "app/terminal/markup.h"

#include <cstdio>
#include <vector>

#include "common/text.h"

namespace lantern::terminal {

namespace {

struct Colour {
    int r = -1, g = -1, b = -1;  // -1: the terminal's own colour
    bool known() const { return r >= 0; }
};

// The colour of a "color=#rrggbb" attribute inside a tag, if the tag has a valid one.
bool parseColour(std::string_view tag, Colour& colour) {
    std::string lower = text::toLower(tag);
    std::size_t at = lower.find("color=#");
    if (at == std::string::npos || at + 7 + 6 > lower.size()) return false;
    int digits[6];
    for (int i = 0; i < 6; ++i) {
        digits[i] = text::hexDigit(lower[at + 7 + i]);
        if (digits[i] < 0) return false;
    }
    colour = {digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]};
    return true;
}

std::string tagName(std::string_view tag) {
    std::size_t end = tag.find_first_of(" \t>");
    return text::toLower(tag.substr(0, end));
}

// Every escape also sets the room's white background, so dark colours read as they
// do in the chat room, whatever the terminal's own colours.
std::string escape(const Colour& colour, bool bold) {
    std::string out = "\x1b[0;48;2;255;255;255";
    if (bold) out += ";1";
    if (colour.known()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, ";38;2;%d;%d;%d", colour.r, colour.g, colour.b);
        out += buffer;
    }
    return out + "m";
}

}  // namespace

std::string renderMarkup(std::string_view markup, Rendering rendering) {
    std::string visible;  // CP1252, converted at the end
    std::vector<Colour> fonts;  // one entry per open <font>, the colour in force
    bool bold = false;
    auto current = [&] { return fonts.empty() ? Colour{} : fonts.back(); };

    for (std::size_t i = 0; i < markup.size();) {
        if (markup[i] == '<') {
            std::size_t close = markup.find('>', i);
            if (close != std::string_view::npos) {
                std::string_view tag = markup.substr(i + 1, close - i - 1);
                std::string name = tagName(tag);
                if (name == "font") {
                    Colour colour = current();
                    parseColour(tag, colour);
                    fonts.push_back(colour);
                } else if (name == "/font") {
                    if (!fonts.empty()) fonts.pop_back();
                } else if (name == "b") {
                    bold = true;
                } else if (name == "/b") {
                    bold = false;
                }
                // Escapes are ASCII, so they pass the CP1252 conversion unchanged.
                if (rendering == Rendering::Ansi) visible += escape(current(), bold);
                i = close + 1;
                continue;
            }
        }
        visible += markup[i++];
    }
    std::string out = text::cp1252ToUtf8(visible);
    if (rendering == Rendering::Ansi) out = escape(Colour{0, 0, 0}, false) + out + "\x1b[0m";
    return out;
}

std::string printableMarkup(std::string_view markup) {
    std::string escaped;
    for (char c : markup) {
        switch (c) {
        case '\r':
            escaped += "\\r";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        default:
            escaped += c;
        }
    }
    return text::cp1252ToUtf8(escaped);
}

}  // namespace lantern::terminal
