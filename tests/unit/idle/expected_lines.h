#pragma once
// The lines the presence posts, written out piece by piece as the chat room expects
// them, independently of the code that builds them.

#include <string>

namespace lantern::expected {

struct Style {
    std::string prefix, c1, c2;  // ascii prefix, first and second colour
};

// "<font color=#" and the colour.
inline std::string fc(const std::string& colour) { return "<font color=#" + colour; }

inline std::string defaultPrefix(const std::string& asciiCol) {
    return "<font face=Webdings>" + fc(asciiCol) + ">6</font></font><font face=Tahoma> ";
}

inline std::string loadBanner(const Style& s) {
    return s.prefix + fc(s.c1) + "><b>l</b><font face=tahoma>" + fc(s.c2) + ">ant\xE8rn <font face=tahoma>" + fc(s.c1) +
           "><b>i</b><font face=tahoma>" + fc(s.c2) + ">dl\xE8 by: vx9 " + fc(s.c1) + ">[" + fc(s.c2) +
           "><b>load</b>" + fc(s.c1) + ">]";
}

inline std::string unloadBanner(const Style& s) {
    return s.prefix + fc(s.c1) + "><b>l</b><font face=tahoma>" + fc(s.c2) + ">ant\xE8rn<font face=tahoma>" + fc(s.c1) +
           "> <b>i</b><font face=tahoma>" + fc(s.c2) + ">dl\xE8 by: vx9 " + fc(s.c1) + ">[" + fc(s.c2) +
           "><b>unload</b>" + fc(s.c1) + ">]";
}

inline std::string commandUnloadBanner(const Style& s) {
    return s.prefix + fc(s.c1) + "><b>l</b>" + fc(s.c2) + ">ant\xE8rn" + fc(s.c1) + "> <b>i</b>" + fc(s.c2) +
           ">dl\xE8 by: vx9 " + fc(s.c1) + ">[" + fc(s.c2) + "><b>unload</b>" + fc(s.c1) + ">]";
}

inline std::string commandIdleBanner(const Style& s, bool on) {
    return s.prefix + fc(s.c1) + "><b>l</b>" + fc(s.c2) + ">ant\xE8rn" + fc(s.c1) + "> <b>i</b>" + fc(s.c2) +
           ">dl\xE8 " + fc(s.c1) + ">[" + fc(s.c2) + (on ? "><b>idl\xE8 on</b>" : "><b>idl\xE8 off</b>") + fc(s.c1) +
           ">]";
}

inline std::string roomLine(const Style& s, bool aim, const std::string& argument) {
    return s.prefix + fc(s.c1) + "><b>r</b>" + fc(s.c2) + ">ollin " + fc(s.c1) + "><b>t</b>" + fc(s.c2) + ">o " +
           fc(s.c1) +
           (aim ? "><b>a</b>" + fc(s.c2) + ">im " + fc(s.c1) + "><b>c</b>" + fc(s.c2) + ">hat " + fc(s.c1) + ">"
                : "><b>p</b>" + fc(s.c2) + ">r " + fc(s.c1) + "><b>") +
           argument;
}

inline std::string commandsLine(const Style& s) {
    return s.prefix + fc(s.c1) + "><b>v</b>" + fc(s.c2) + ">iewing " + fc(s.c1) + "><b>c</b>" + fc(s.c2) + ">ommands";
}

inline std::string idleLine(const Style& s, int days, int hrs, int mins, const std::string& reason) {
    return s.prefix + fc(s.c1) + "><b>i</b>" + fc(s.c2) + ">dl\xE8 " + fc(s.c1) + "><b>a</b>" + fc(s.c2) + ">t " +
           fc("000000>") + std::to_string(days) + fc(s.c1) + "><b>d</b>" + fc(s.c2) + ">ays " + fc("000000>") +
           std::to_string(hrs) + fc(s.c1) + "><b>hr</b>" + fc(s.c2) + ">s " + fc("000000>") + std::to_string(mins) +
           fc(s.c1) + "><b>m</b></font>" + fc(s.c2) + ">ins " + fc(s.c1) + ">[" + fc(s.c2) + ">" + reason + fc(s.c1) +
           ">]";
}

// `marker` is "u" for an upload, "d" for a download.
inline std::string transferLine(const Style& s, const std::string& marker, const std::string& label,
                                const std::string& title, const std::string& reason) {
    return s.prefix + fc(s.c1) + "><font face=Tahoma>" + marker + "<b>L</b>: </font>" + fc(s.c2) + ">" + label +
           "</font>" + fc(s.c1) + "> : </font>" + fc(s.c2) + ">" + title + fc(s.c1) + "> [" + fc(s.c2) + ">" + reason +
           fc(s.c1) + ">]";
}

}  // namespace lantern::expected
