#pragma once
// The lines and captions that the add-on must post, built here from their pieces
// independently of the program, so that the tests compare against what a reader of
// the behaviour would write down, byte for byte in CP1252.

#include <string>

namespace lantern::e2e {

struct Colours {
    std::string ascii = "000000";
    std::string first = "ff3300";
    std::string second = "000066";
};

inline const std::string kStartCaption =
    "z\xE9phyr's lant\xE8rn idl\xE8 -- by: vx9...up in this bitch. . . . . . .";
inline const std::string kClosingCaption = "America Online - Owned by: vx9";

inline std::string defaultPrefix(const std::string& asciiColour) {
    return "<font face=Webdings><font color=#" + asciiColour + ">6</font></font><font face=Tahoma> ";
}

// The name banner's forms differ only in the joints between its fixed words.
struct BannerJoints {
    const char* afterInitial;  // after the bold "l", up to the second colour
    const char* afterWord;     // after "ant\xE8rn", up to the first colour
    const char* boldI;         // the bold "i", up to the second colour
    const char* afterIdle;     // "dl\xE8" and what follows, up to the first colour
};

inline const BannerJoints kLoadJoints = {"</b><font face=tahoma><font color=#", " <font face=tahoma><font color=#",
                                         "><b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 <font color=#"};
inline const BannerJoints kUnloadJoints = {"</b><font face=tahoma><font color=#", "<font face=tahoma><font color=#",
                                           "> <b>i</b><font face=tahoma><font color=#",
                                           ">dl\xE8 by: vx9 <font color=#"};
inline const BannerJoints kCommandUnloadJoints = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#",
                                                  ">dl\xE8 by: vx9 <font color=#"};
inline const BannerJoints kCommandIdleJoints = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#",
                                                ">dl\xE8 <font color=#"};

inline std::string nameBanner(const std::string& p, const Colours& c, const BannerJoints& j, const std::string& event) {
    const std::string& f = c.first;
    const std::string& s = c.second;
    return p + "<font color=#" + f + "><b>" + "l" + j.afterInitial + s + ">" + "ant\xE8rn" + j.afterWord + f + j.boldI +
           s + j.afterIdle + f + ">[<font color=#" + s + "><b>" + event + "</b><font color=#" + f + ">]";
}

inline std::string loadBanner(const std::string& p, const Colours& c) { return nameBanner(p, c, kLoadJoints, "load"); }

inline std::string unloadBanner(const std::string& p, const Colours& c) {
    return nameBanner(p, c, kUnloadJoints, "unload");
}

inline std::string commandUnloadBanner(const std::string& p, const Colours& c) {
    return nameBanner(p, c, kCommandUnloadJoints, "unload");
}

inline std::string commandIdleOnBanner(const std::string& p, const Colours& c) {
    return nameBanner(p, c, kCommandIdleJoints, "idl\xE8 on");
}

inline std::string idleLine(const std::string& p, const Colours& c, int days, int hours, int minutes,
                            const std::string& reason) {
    const std::string& f = c.first;
    const std::string& s = c.second;
    return p + "<font color=#" + f + "><b>i</b><font color=#" + s + ">dl\xE8 <font color=#" + f +
           "><b>a</b><font color=#" + s + ">t <font color=#000000>" + std::to_string(days) + "<font color=#" + f +
           "><b>d</b><font color=#" + s + ">ays <font color=#000000>" + std::to_string(hours) + "<font color=#" + f +
           "><b>hr</b><font color=#" + s + ">s <font color=#000000>" + std::to_string(minutes) + "<font color=#" +
           f + "><b>m</b></font><font color=#" + s + ">ins <font color=#" + f + ">[<font color=#" + s + ">" + reason +
           "<font color=#" + f + ">]";
}

inline std::string privateRoomLine(const std::string& p, const Colours& c, const std::string& room) {
    const std::string& f = c.first;
    const std::string& s = c.second;
    return p + "<font color=#" + f + "><b>r</b><font color=#" + s + ">ollin <font color=#" + f +
           "><b>t</b><font color=#" + s + ">o <font color=#" + f + "><b>p</b><font color=#" + s + ">r <font color=#" +
           f + "><b>" + room;
}

}  // namespace lantern::e2e
