// How the terminal front end shows the room's lines.

#include <gtest/gtest.h>

#include "app/terminal/markup.h"

namespace lantern::terminal {
namespace {

TEST(Markup, PlainRenderingShowsWhatTheRoomReads) {
    EXPECT_EQ(renderMarkup("<font color=#ff3300><b>i</b><font color=#000066>dl\xE8 <font color=#000000>0", Rendering::Plain),
              "idl\xC3\xA8 0");
    EXPECT_EQ(renderMarkup("a < b and c>d", Rendering::Plain), "a d");  // a '<' opens a tag up to the next '>'
    EXPECT_EQ(renderMarkup("unclosed <font", Rendering::Plain), "unclosed <font");
    EXPECT_EQ(renderMarkup("", Rendering::Plain), "");
}

TEST(Markup, AnsiRenderingFollowsColoursAndBold) {
    std::string out = renderMarkup("<font color=#FF3300><b>r</b><font color=#000066>ollin</font>x", Rendering::Ansi);
    const std::string bg = "\x1b[0;48;2;255;255;255";  // the room's white background
    EXPECT_EQ(out, bg + ";38;2;0;0;0m"                   // black text to begin with
                       + bg + ";38;2;255;51;0m"          // <font color=#FF3300>
                       + bg + ";1;38;2;255;51;0m"        // <b>
                       + "r"                             //
                       + bg + ";38;2;255;51;0m"          // </b>
                       + bg + ";38;2;0;0;102m"           // <font color=#000066>
                       + "ollin"                         //
                       + bg + ";38;2;255;51;0m"          // </font> back to the outer colour
                       + "x\x1b[0m");
}

TEST(Markup, BadColoursKeepTheColourInForce) {
    std::string out = renderMarkup("<font color=#12345><font color=#zzzzzz>x", Rendering::Ansi);
    const std::string black = "\x1b[0;48;2;255;255;255;38;2;0;0;0m";
    const std::string none = "\x1b[0;48;2;255;255;255m";
    EXPECT_EQ(out, black + none + none + "x\x1b[0m");
}

TEST(Markup, PrintableMarkupEscapesControlsAndConvertsAccents) {
    EXPECT_EQ(printableMarkup("a\r\nb\tc \xE8"), "a\\r\\nb\\tc \xC3\xA8");
}

}  // namespace
}  // namespace lantern::terminal
