// Every line the add-on posts, byte for byte, against the lines the test support
// writes out piece by piece: with the defaults of a first run, with colours and a
// prefix of the user's, and with no prefix.

#include <gtest/gtest.h>

#include "style/lines.h"
#include "support/expected_lines.h"

namespace lantern {
namespace {

TEST(Lines, EveryLineInEveryStyle) {
    EXPECT_EQ(defaultPrefix("c0ffee"), "<font face=Webdings><font color=#c0ffee>6</font></font><font face=Tahoma> ");
    EXPECT_EQ(storedPrefix("Arial", "xo"), expected::storedPrefix("Arial", "xo"));
    EXPECT_EQ(colouredPrefix("Arial", "ff3300", "xo"), expected::setPrefix("Arial", "ff3300", "xo"));
    using expected::banner;
    for (const expected::Style& want :
         {expected::Style{},
          expected::Style{"<font face=Wingdings><font color=#00ff00>J<font face=Tahoma> ", "abcdef", "123456"},
          expected::Style{"", "ff3300", "000066"}}) {
        SCOPED_TRACE(want.prefix + " " + want.c1 + " " + want.c2);
        const CurrentStyle style{want.prefix, "000000", want.c1, want.c2};
        EXPECT_EQ(loadBanner(style), banner(want, expected::kLoad));
        EXPECT_EQ(unloadBanner(style), banner(want, expected::kUnload));
        EXPECT_EQ(commandUnloadBanner(style), banner(want, expected::kCommandUnload));
        EXPECT_EQ(commandIdleBanner(style, IdleEvent::On), banner(want, expected::kCommandIdleOn));
        EXPECT_EQ(commandIdleBanner(style, IdleEvent::Off), banner(want, expected::kCommandIdleOff));
        EXPECT_EQ(menuIdleBanner(style, IdleEvent::On), banner(want, expected::kMenuIdleOn));
        EXPECT_EQ(menuIdleBanner(style, IdleEvent::Off), banner(want, expected::kMenuIdleOff));
        EXPECT_EQ(idleLine(style, {1, 23, 59}, "afk"), expected::idleLine(want, 1, 23, 59, "afk"));
        EXPECT_EQ(uploadLine(style, "2 KB", "9% of a.doc", "r"),
                  expected::transferLine(want, "u", "2 KB", "9% of a.doc", "r"));
        EXPECT_EQ(downloadLine(style, "", "0% of b", "r"), expected::transferLine(want, "d", "", "0% of b", "r"));
        EXPECT_EQ(privateRoomLine(style, "my room"), expected::roomLine(want, false, "my room"));
        EXPECT_EQ(chatRoomLine(style, "buddy"), expected::roomLine(want, true, "buddy"));
        EXPECT_EQ(commandsLine(style), expected::commandsLine(want));
        EXPECT_EQ(asciiConfirmationLine(style), expected::asciiConfirmation(want));
    }
}

}  // namespace
}  // namespace lantern
