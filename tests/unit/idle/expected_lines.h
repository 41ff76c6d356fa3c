#pragma once
// The lines the presence posts, written out here piece by piece as the chat room
// expects them, independently of the code that builds them.

#include <string>
#include <vector>

namespace lantern::expected {

struct Style {
    std::string prefix;
    std::string c1;  // first colour
    std::string c2;  // second colour
};

inline std::string join(const std::vector<std::string>& pieces) {
    std::string line;
    for (const std::string& piece : pieces) {
        line += piece;
    }
    return line;
}

inline std::string defaultPrefix(const std::string& asciiCol) {
    return join({"<font face=Webdings><font color=#", asciiCol, ">6</font></font><font face=Tahoma> "});
}

inline std::string loadBanner(const Style& s) {
    return join({s.prefix, "<font color=#", s.c1, "><b>", "l", "</b><font face=tahoma><font color=#", s.c2, ">",
                 "ant\xE8rn", " <font face=tahoma><font color=#", s.c1, "><b>i</b><font face=tahoma><font color=#",
                 s.c2, ">dl\xE8 by: vx9 <font color=#", s.c1, ">[<font color=#", s.c2, "><b>load</b><font color=#",
                 s.c1, ">]"});
}

inline std::string unloadBanner(const Style& s) {
    return join({s.prefix, "<font color=#", s.c1, "><b>", "l", "</b><font face=tahoma><font color=#", s.c2, ">",
                 "ant\xE8rn", "<font face=tahoma><font color=#", s.c1, "> <b>i</b><font face=tahoma><font color=#",
                 s.c2, ">dl\xE8 by: vx9 <font color=#", s.c1, ">[<font color=#", s.c2, "><b>unload</b><font color=#",
                 s.c1, ">]"});
}

inline std::string commandUnloadBanner(const Style& s) {
    return join({s.prefix, "<font color=#", s.c1, "><b>", "l", "</b><font color=#", s.c2, ">", "ant\xE8rn",
                 "<font color=#", s.c1, "> <b>i</b><font color=#", s.c2, ">dl\xE8 by: vx9 <font color=#", s.c1,
                 ">[<font color=#", s.c2, "><b>unload</b><font color=#", s.c1, ">]"});
}

inline std::string commandIdleBanner(const Style& s, bool on) {
    return join({s.prefix, "<font color=#", s.c1, "><b>", "l", "</b><font color=#", s.c2, ">", "ant\xE8rn",
                 "<font color=#", s.c1, "> <b>i</b><font color=#", s.c2, ">dl\xE8 <font color=#", s.c1,
                 ">[<font color=#", s.c2, on ? "><b>idl\xE8 on</b><font color=#" : "><b>idl\xE8 off</b><font color=#",
                 s.c1, ">]"});
}

inline std::string roomHead(const Style& s) {
    return join({s.prefix, "<font color=#", s.c1, "><b>r</b><font color=#", s.c2, ">ollin <font color=#", s.c1,
                 "><b>t</b><font color=#", s.c2, ">o <font color=#", s.c1});
}

inline std::string privateRoomLine(const Style& s, const std::string& room) {
    return roomHead(s) + join({"><b>p</b><font color=#", s.c2, ">r <font color=#", s.c1, "><b>", room});
}

inline std::string chatRoomLine(const Style& s, const std::string& name) {
    return roomHead(s) + join({"><b>a</b><font color=#", s.c2, ">im <font color=#", s.c1, "><b>c</b><font color=#",
                               s.c2, ">hat <font color=#", s.c1, ">", name});
}

inline std::string commandsLine(const Style& s) {
    return join({s.prefix, "<font color=#", s.c1, "><b>v</b><font color=#", s.c2, ">iewing <font color=#", s.c1,
                 "><b>c</b><font color=#", s.c2, ">ommands"});
}

inline std::string idleLine(const Style& s, int days, int hrs, int mins, const std::string& reason) {
    return join({s.prefix,
                 "<font color=#", s.c1, "><b>i</b><font color=#", s.c2, ">dl\xE8 <font color=#",
                 s.c1, "><b>a</b><font color=#", s.c2, ">t <font color=#000000>",
                 std::to_string(days), "<font color=#", s.c1, "><b>d</b><font color=#", s.c2, ">ays <font color=#000000>",
                 std::to_string(hrs), "<font color=#", s.c1, "><b>hr</b><font color=#", s.c2, ">s <font color=#000000>",
                 std::to_string(mins), "<font color=#", s.c1, "><b>m</b></font><font color=#", s.c2,
                 ">ins <font color=#", s.c1, ">[<font color=#", s.c2, ">",
                 reason, "<font color=#", s.c1, ">]"});
}

// `upload` picks the uL: marker, otherwise dL:.
inline std::string transferLine(const Style& s, bool upload, const std::string& label, const std::string& title,
                                const std::string& reason) {
    return join({s.prefix, "<font color=#", s.c1,
                 upload ? "><font face=Tahoma>u<b>L</b>: </font><font color=#"
                        : "><font face=Tahoma>d<b>L</b>: </font><font color=#",
                 s.c2, ">", label, "</font><font color=#", s.c1, "> : </font><font color=#", s.c2, ">", title,
                 "<font color=#", s.c1, "> [<font color=#", s.c2, ">", reason, "<font color=#", s.c1, ">]"});
}

}  // namespace lantern::expected
