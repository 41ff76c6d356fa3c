#pragma once
// The lines and captions the add-on must post, in CP1252, written out piece by piece
// apart from the code that builds them (src/style/lines.cpp): the unit tests and the
// end-to-end tests both check against these.

#include <string>

namespace lantern::expected {

inline const std::string kStartCaption = "z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . .";
inline const std::string kClosingCaption = "America Online - Owned by: vx9";

inline std::string defaultPrefix(const std::string& asciiColour) {
    return "<font face=Webdings><font color=#" + asciiColour + ">6</font></font><font face=Tahoma> ";
}
// What the style dialog's "set" puts into effect, and what it stores as `ascii`.
inline std::string setPrefix(const std::string& font, const std::string& asciiColour, const std::string& text) {
    return "<font face=" + font + "><font color=#" + asciiColour + ">" + text + "<font face=Tahoma> ";
}
inline std::string storedPrefix(const std::string& font, const std::string& text) {
    return "<font face=" + font + ">" + text + "</font><font face=Tahoma> ";
}

// The prefix in effect and the two colours; by default what a fresh start-up uses.
struct Style {
    std::string prefix = defaultPrefix("000000");
    std::string c1 = "ff3300", c2 = "000066";  // the first and the second colour
};

inline std::string fc(const std::string& colour) { return "<font color=#" + colour; }

// A bold initial in the first colour, the rest in the second.
inline std::string word(const Style& s, const std::string& initial, const std::string& rest) {
    return fc(s.c1) + "><b>" + initial + "</b>" + fc(s.c2) + ">" + rest;
}

inline std::string bracketed(const Style& s, const std::string& inner) {
    return fc(s.c1) + ">[" + fc(s.c2) + ">" + inner + fc(s.c1) + ">]";
}

// The name banner's forms differ only in the joints between their fixed words.
struct Banner {
    const char *afterInitial, *afterWord, *boldI, *afterIdle, *event;
};
inline const Banner kLoad = {"</b><font face=tahoma><font color=#", " <font face=tahoma><font color=#",
                             "><b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 ", "load"};
inline const Banner kUnload = {"</b><font face=tahoma><font color=#", "<font face=tahoma><font color=#",
                               "> <b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 ", "unload"};
inline const Banner kCommandUnload = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#",
                                      ">dl\xE8 by: vx9 ", "unload"};
inline const Banner kCommandIdleOn = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#", ">dl\xE8 ",
                                      "idl\xE8 on"};
inline const Banner kCommandIdleOff = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#", ">dl\xE8 ",
                                       "idl\xE8 off"};
inline const Banner kMenuIdleOn = {"</b></font><font color=#", "</font><font color=#", "> <b>i</b></font><font color=#",
                                   ">dl\xE8 ", "idl\xE8 on"};
inline const Banner kMenuIdleOff = {"</b></font><font color=#", "</font><font color=#",
                                    "> <b>i</b></font><font color=#", ">dl\xE8 ", "idl\xE8 off"};

inline std::string banner(const Style& s, const Banner& b) {
    return s.prefix + fc(s.c1) + "><b>l" + b.afterInitial + s.c2 + ">ant\xE8rn" + b.afterWord + s.c1 + b.boldI + s.c2 +
           b.afterIdle + bracketed(s, std::string("<b>") + b.event + "</b>");
}

inline std::string roomLine(const Style& s, bool aim, const std::string& argument) {
    const std::string kind =
        aim ? word(s, "a", "im ") + word(s, "c", "hat ") + fc(s.c1) + ">" : word(s, "p", "r ") + fc(s.c1) + "><b>";
    return s.prefix + word(s, "r", "ollin ") + word(s, "t", "o ") + kind + argument;
}

inline std::string commandsLine(const Style& s) { return s.prefix + word(s, "v", "iewing ") + word(s, "c", "ommands"); }

inline std::string idleLine(const Style& s, int days, int hrs, int mins, const std::string& reason) {
    const std::string black = fc("000000>");
    return s.prefix + word(s, "i", "dl\xE8 ") + word(s, "a", "t ") + black + std::to_string(days) +
           word(s, "d", "ays ") + black + std::to_string(hrs) + word(s, "hr", "s ") + black + std::to_string(mins) +
           fc(s.c1) + "><b>m</b></font>" + fc(s.c2) + ">ins " + bracketed(s, reason);
}

inline std::string transferLine(const Style& s, const std::string& marker, const std::string& label,
                                const std::string& title, const std::string& reason) {
    return s.prefix + fc(s.c1) + "><font face=Tahoma>" + marker + "<b>L</b>: </font>" + fc(s.c2) + ">" + label +
           "</font>" + fc(s.c1) + "> : </font>" + fc(s.c2) + ">" + title + fc(s.c1) + "> [" + fc(s.c2) + ">" + reason +
           fc(s.c1) + ">]";
}

// The style dialog's confirmation.
inline std::string asciiConfirmation(const Style& s) {
    return s.prefix + "<font face=tahoma color=#" + s.c1 + "><b>m</b>" + fc(s.c2) + ">odified " + word(s, "a", "scii.");
}

}  // namespace lantern::expected
