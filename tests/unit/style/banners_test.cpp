// The five name banners, byte for byte. Each expectation is written out as the
// list of pieces the banner is posted as, joined here, so a wrong piece anywhere
// shows up as a difference.

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "style/style.h"

namespace lantern {
namespace {

std::string join(const std::vector<std::string>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

struct Colours {
    std::string prefix, first, second;
};

// With the defaults of a first run, with colours of the user's and with no prefix.
const std::vector<Colours> kStyles = {
    {"<font face=Webdings><font color=#000000>6</font></font><font face=Tahoma> ", "ff3300", "000066"},
    {"<font face=Wingdings><font color=#00ff00>J<font face=Tahoma> ", "abcdef", "123456"},
    {"", "ff3300", "000066"},
};

CurrentStyle styleOf(const Colours& c) { return CurrentStyle{c.prefix, "000000", c.first, c.second}; }

TEST(Banners, LoadAndUnloadFormsPieceByPiece) {
    for (const Colours& c : kStyles) {
        const std::string &P = c.prefix, &F = c.first, &S = c.second;
        EXPECT_EQ(loadBanner(styleOf(c)),
                  join({P, "<font color=#", F, "><b>", "l", "</b><font face=tahoma><font color=#", S, ">",
                        "ant\xE8rn", " <font face=tahoma><font color=#", F,
                        "><b>i</b><font face=tahoma><font color=#", S, ">dl\xE8 by: vx9 <font color=#", F,
                        ">[<font color=#", S, "><b>load</b><font color=#", F, ">]"}));
        EXPECT_EQ(unloadBanner(styleOf(c)),
                  join({P, "<font color=#", F, "><b>", "l", "</b><font face=tahoma><font color=#", S, ">",
                        "ant\xE8rn", "<font face=tahoma><font color=#", F,
                        "> <b>i</b><font face=tahoma><font color=#", S, ">dl\xE8 by: vx9 <font color=#", F,
                        ">[<font color=#", S, "><b>unload</b><font color=#", F, ">]"}));
        EXPECT_EQ(commandUnloadBanner(styleOf(c)),
                  join({P, "<font color=#", F, "><b>", "l", "</b><font color=#", S, ">", "ant\xE8rn",
                        "<font color=#", F, "> <b>i</b><font color=#", S, ">dl\xE8 by: vx9 <font color=#", F,
                        ">[<font color=#", S, "><b>unload</b><font color=#", F, ">]"}));
    }
}

TEST(Banners, IdleFormsForBothEvents) {
    const std::vector<std::pair<IdleEvent, std::string>> events = {
        {IdleEvent::On, "><b>idl\xE8 on</b><font color=#"},
        {IdleEvent::Off, "><b>idl\xE8 off</b><font color=#"},
    };
    for (const Colours& c : kStyles) {
        const std::string &P = c.prefix, &F = c.first, &S = c.second;
        for (const auto& [event, piece] : events) {
            EXPECT_EQ(commandIdleBanner(styleOf(c), event),
                      join({P, "<font color=#", F, "><b>", "l", "</b><font color=#", S, ">", "ant\xE8rn",
                            "<font color=#", F, "> <b>i</b><font color=#", S, ">dl\xE8 <font color=#", F,
                            ">[<font color=#", S, piece, F, ">]"}));
            EXPECT_EQ(menuIdleBanner(styleOf(c), event),
                      join({P, "<font color=#", F, "><b>", "l", "</b></font><font color=#", S, ">",
                            "ant\xE8rn", "</font><font color=#", F, "> <b>i</b></font><font color=#", S,
                            ">dl\xE8 <font color=#", F, ">[<font color=#", S, piece, F, ">]"}));
        }
    }
}

TEST(Banners, DefaultPrefixCarriesTheAsciiColour) {
    EXPECT_EQ(defaultPrefix("000000"),
              "<font face=Webdings><font color=#000000>6</font></font><font face=Tahoma> ");
    EXPECT_EQ(defaultPrefix("c0ffee"),
              "<font face=Webdings><font color=#c0ffee>6</font></font><font face=Tahoma> ");
}

TEST(Banners, AccentsAreSingleCp1252Bytes) {
    const std::string line = loadBanner(styleOf(kStyles[2]));
    EXPECT_NE(line.find(">ant\xE8rn"), std::string::npos);
    EXPECT_EQ(line.find("\xC3"), std::string::npos) << "a UTF-8 sequence slipped into the mark-up";
    EXPECT_EQ(line.rfind("\xE8"), line.find("dl\xE8") + 2);
}

}  // namespace
}  // namespace lantern
