// How the terminal front end shows the room's lines.

#include <gtest/gtest.h>

#include "app/terminal/markup.h"

namespace lantern::terminal {
namespace {

TEST(Markup, PlainRenderingShowsWhatTheRoomReadsInUtf8) {
    EXPECT_EQ(renderMarkup("<font color=#ff3300><b>i</b><font color=#000066>dl\xE8 0", Rendering::Plain),
              "idl\xC3\xA8 0");
    EXPECT_EQ(renderMarkup("a < b and c>d", Rendering::Plain), "a d");  // a '<' opens a tag up to the next '>'
    EXPECT_EQ(renderMarkup("unclosed <font", Rendering::Plain), "unclosed <font");
    EXPECT_EQ(printableMarkup("a\r\nb\tc \xE8"), "a\\r\\nb\\tc \xC3\xA8");
}

TEST(Markup, AnsiRenderingFollowsColoursAndBoldAndKeepsTheColourInForceOverBadOnes) {
    const std::string bg = "\x1b[0;48;2;255;255;255";  // the room's white background
    EXPECT_EQ(renderMarkup("<font color=#FF3300><b>r</b><font color=#000066>ollin</font>x", Rendering::Ansi),
              bg + ";38;2;0;0;0m" + bg + ";38;2;255;51;0m" + bg + ";1;38;2;255;51;0m" + "r" +  // black, red, bold
                  bg + ";38;2;255;51;0m" + bg + ";38;2;0;0;102m" + "ollin" +  // </b>, navy
                  bg + ";38;2;255;51;0m" + "x\x1b[0m");  // </font>: red again
    const std::string red = bg + ";38;2;255;51;0m";
    EXPECT_EQ(renderMarkup("<font color=#FF3300><font color=#12345><font color=#zzzzzz>x", Rendering::Ansi),
              bg + ";38;2;0;0;0m" + red + red + red + "x\x1b[0m");
}

}  // namespace
}  // namespace lantern::terminal
