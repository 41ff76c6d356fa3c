#pragma once
// The lines and captions the add-on must post, built apart from the program, in CP1252.

#include <string>

namespace lantern::e2e {

struct Colours {
    std::string ascii = "000000", first = "ff3300", second = "000066";
};

inline const std::string kStartCaption = "z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . .";
inline const std::string kClosingCaption = "America Online - Owned by: vx9";

inline std::string defaultPrefix(const std::string& asciiColour) {
    return "<font face=Webdings><font color=#" + asciiColour + ">6</font></font><font face=Tahoma> ";
}

// The name banner's forms differ only in the joints between their fixed words.
struct Banner {
    const char *afterInitial, *afterWord, *boldI, *afterIdle, *event;
};
inline const Banner kLoad = {"</b><font face=tahoma><font color=#", " <font face=tahoma><font color=#",
                             "><b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 <font color=#", "load"};
inline const Banner kUnload = {"</b><font face=tahoma><font color=#", "<font face=tahoma><font color=#",
                               "> <b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 <font color=#", "unload"};
inline const Banner kCommandUnload = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#",
                                      ">dl\xE8 by: vx9 <font color=#", "unload"};
inline const Banner kCommandIdleOn = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#",
                                      ">dl\xE8 <font color=#", "idl\xE8 on"};
inline const Banner kMenuIdleOn = {"</b></font><font color=#", "</font><font color=#", "> <b>i</b></font><font color=#",
                                   ">dl\xE8 <font color=#", "idl\xE8 on"};
inline const Banner kMenuIdleOff = {"</b></font><font color=#", "</font><font color=#",
                                    "> <b>i</b></font><font color=#", ">dl\xE8 <font color=#", "idl\xE8 off"};

inline std::string banner(const std::string& p, const Colours& c, const Banner& b) {
    const std::string& f = c.first;
    const std::string& s = c.second;
    return p + "<font color=#" + f + "><b>l" + b.afterInitial + s + ">ant\xE8rn" + b.afterWord + f + b.boldI + s +
           b.afterIdle + f + ">[<font color=#" + s + "><b>" + b.event + "</b><font color=#" + f + ">]";
}

// A word whose bold initial has the first colour and whose rest the second.
inline std::string word(const Colours& c, const std::string& initial, const std::string& rest) {
    return "<font color=#" + c.first + "><b>" + initial + "</b><font color=#" + c.second + ">" + rest;
}

inline std::string idleLine(const std::string& p, const Colours& c, int minutes, const std::string& reason) {
    const std::string black = "<font color=#000000>";
    return p + word(c, "i", "dl\xE8 ") + word(c, "a", "t ") + black + "0" + word(c, "d", "ays ") + black + "0" +
           word(c, "hr", "s ") + black + std::to_string(minutes) + "<font color=#" + c.first +
           "><b>m</b></font><font color=#" + c.second + ">ins <font color=#" + c.first + ">[<font color=#" + c.second +
           ">" + reason + "<font color=#" + c.first + ">]";
}

inline std::string privateRoomLine(const std::string& p, const Colours& c, const std::string& room) {
    return p + word(c, "r", "ollin ") + word(c, "t", "o ") + word(c, "p", "r ") + "<font color=#" + c.first + "><b>" +
           room;
}

// What the style dialog's "set" puts into effect, and what it stores as `ascii`.
inline std::string setPrefix(const std::string& font, const std::string& asciiColour, const std::string& text) {
    return "<font face=" + font + "><font color=#" + asciiColour + ">" + text + "<font face=Tahoma> ";
}
inline std::string storedPrefix(const std::string& font, const std::string& text) {
    return "<font face=" + font + ">" + text + "</font><font face=Tahoma> ";
}

inline std::string asciiConfirmation(const std::string& p, const Colours& c) {
    return p + "<font face=tahoma color=#" + c.first + "><b>m</b><font color=#" + c.second + ">odified " +
           word(c, "a", "scii.");
}

}  // namespace lantern::e2e
