// The five name banners, byte for byte, each written out as the pieces it is posted
// as, so a wrong piece anywhere shows up as a difference.

#include <gtest/gtest.h>

#include <numeric>

#include "style/lines.h"

namespace lantern {
namespace {

std::string join(const std::vector<std::string>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

TEST(Banners, AllFiveFormsPieceByPiece) {
    const std::string webdings = "<font face=Webdings><font color=#000000>6</font></font><font face=Tahoma> ";
    EXPECT_EQ(defaultPrefix("c0ffee"), "<font face=Webdings><font color=#c0ffee>6</font></font><font face=Tahoma> ");
    // With the defaults of a first run, with colours of the user's, and with no prefix.
    for (const auto& [P, F, S] : {std::tuple<std::string, std::string, std::string>{webdings, "ff3300", "000066"},
                                  {"<font face=Wingdings><font color=#00ff00>J<font face=Tahoma> ", "abcdef", "123456"},
                                  {"", "ff3300", "000066"}}) {
        const CurrentStyle style{P, "000000", F, S};
        EXPECT_EQ(loadBanner(style), join({P,           "<font color=#",
                                           F,           "><b>",
                                           "l",         "</b><font face=tahoma><font color=#",
                                           S,           ">",
                                           "ant\xE8rn", " <font face=tahoma><font color=#",
                                           F,           "><b>i</b><font face=tahoma><font color=#",
                                           S,           ">dl\xE8 by: vx9 <font color=#",
                                           F,           ">[<font color=#",
                                           S,           "><b>load</b><font color=#",
                                           F,           ">]"}));
        EXPECT_EQ(unloadBanner(style), join({P,           "<font color=#",
                                             F,           "><b>",
                                             "l",         "</b><font face=tahoma><font color=#",
                                             S,           ">",
                                             "ant\xE8rn", "<font face=tahoma><font color=#",
                                             F,           "> <b>i</b><font face=tahoma><font color=#",
                                             S,           ">dl\xE8 by: vx9 <font color=#",
                                             F,           ">[<font color=#",
                                             S,           "><b>unload</b><font color=#",
                                             F,           ">]"}));
        EXPECT_EQ(commandUnloadBanner(style), join({P,           "<font color=#",
                                                    F,           "><b>",
                                                    "l",         "</b><font color=#",
                                                    S,           ">",
                                                    "ant\xE8rn", "<font color=#",
                                                    F,           "> <b>i</b><font color=#",
                                                    S,           ">dl\xE8 by: vx9 <font color=#",
                                                    F,           ">[<font color=#",
                                                    S,           "><b>unload</b><font color=#",
                                                    F,           ">]"}));
        for (const auto& [event, piece] : {std::pair{IdleEvent::On, "><b>idl\xE8 on</b><font color=#"},
                                           {IdleEvent::Off, "><b>idl\xE8 off</b><font color=#"}}) {
            EXPECT_EQ(commandIdleBanner(style, event), join({P,           "<font color=#",
                                                             F,           "><b>",
                                                             "l",         "</b><font color=#",
                                                             S,           ">",
                                                             "ant\xE8rn", "<font color=#",
                                                             F,           "> <b>i</b><font color=#",
                                                             S,           ">dl\xE8 <font color=#",
                                                             F,           ">[<font color=#",
                                                             S,           piece,
                                                             F,           ">]"}));
            EXPECT_EQ(menuIdleBanner(style, event), join({P,           "<font color=#",
                                                          F,           "><b>",
                                                          "l",         "</b></font><font color=#",
                                                          S,           ">",
                                                          "ant\xE8rn", "</font><font color=#",
                                                          F,           "> <b>i</b></font><font color=#",
                                                          S,           ">dl\xE8 <font color=#",
                                                          F,           ">[<font color=#",
                                                          S,           piece,
                                                          F,           ">]"}));
        }
    }
}

}  // namespace
}  // namespace lantern
