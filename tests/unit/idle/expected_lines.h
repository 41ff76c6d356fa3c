#pragma once
// The lines the presence posts, written out piece by piece apart from the code that builds them.

#include <string>

namespace lantern::expected {

struct Style {
    std::string prefix, c1, c2;  // ascii prefix, first and second colour
};

inline std::string fc(const std::string& colour) { return "<font color=#" + colour; }

// A bold initial in the first colour, the rest in the second.
inline std::string word(const Style& s, const std::string& initial, const std::string& rest) {
    return fc(s.c1) + "><b>" + initial + "</b>" + fc(s.c2) + ">" + rest;
}

inline std::string bracketed(const Style& s, const std::string& inner) {
    return fc(s.c1) + ">[" + fc(s.c2) + ">" + inner + fc(s.c1) + ">]";
}

inline std::string defaultPrefix(const std::string& asciiCol) {
    return "<font face=Webdings>" + fc(asciiCol) + ">6</font></font><font face=Tahoma> ";
}

inline std::string loadBanner(const Style& s) {
    return s.prefix + fc(s.c1) + "><b>l</b><font face=tahoma>" + fc(s.c2) + ">ant\xE8rn <font face=tahoma>" + fc(s.c1) +
           "><b>i</b><font face=tahoma>" + fc(s.c2) + ">dl\xE8 by: vx9 " + bracketed(s, "<b>load</b>");
}

inline std::string unloadBanner(const Style& s) {
    return s.prefix + fc(s.c1) + "><b>l</b><font face=tahoma>" + fc(s.c2) + ">ant\xE8rn<font face=tahoma>" + fc(s.c1) +
           "> <b>i</b><font face=tahoma>" + fc(s.c2) + ">dl\xE8 by: vx9 " + bracketed(s, "<b>unload</b>");
}

inline std::string commandUnloadBanner(const Style& s) {
    return s.prefix + word(s, "l", "ant\xE8rn") + fc(s.c1) + "> <b>i</b>" + fc(s.c2) + ">dl\xE8 by: vx9 " +
           bracketed(s, "<b>unload</b>");
}

inline std::string commandIdleBanner(const Style& s, bool on) {
    return s.prefix + word(s, "l", "ant\xE8rn") + fc(s.c1) + "> <b>i</b>" + fc(s.c2) + ">dl\xE8 " +
           bracketed(s, on ? "<b>idl\xE8 on</b>" : "<b>idl\xE8 off</b>");
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

}  // namespace lantern::expected
