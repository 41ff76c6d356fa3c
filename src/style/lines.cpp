#include "style/lines.h"

namespace lantern {

namespace {

// The product word and its parts: the first letter goes bold, the rest follows.
constexpr const char* kProductFirst = "l";
constexpr const char* kProductRest = "ant\xE8rn";

}  // namespace

std::string defaultPrefix(const std::string& asciiCol) {
    return "<font face=Webdings><font color=#" + asciiCol + ">6</font></font><font face=Tahoma> ";
}

std::string storedPrefix(const std::string& font, const std::string& glyphs) {
    return "<font face=" + font + ">" + glyphs + "</font><font face=Tahoma> ";
}

std::string colouredPrefix(const std::string& font, const std::string& asciiCol, const std::string& glyphs) {
    return "<font face=" + font + "><font color=#" + asciiCol + ">" + glyphs + "<font face=Tahoma> ";
}

// ---- the name banners

namespace {

// Each banner is its pieces joined in order, exactly as posted; the forms differ
// in small ways on purpose (the chat room has seen them this way for years): only
// in the joints between their fixed words, so each form is its own row of joints,
// written out rather than computed from another.
struct BannerJoints {
    const char *afterInitial, *afterWord, *boldI, *afterIdle, *event;
};

constexpr BannerJoints kLoadJoints = {"</b><font face=tahoma><font color=#", " <font face=tahoma><font color=#",
                                      "><b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 <font color=#",
                                      "load"};
constexpr BannerJoints kUnloadJoints = {"</b><font face=tahoma><font color=#", "<font face=tahoma><font color=#",
                                        "> <b>i</b><font face=tahoma><font color=#", ">dl\xE8 by: vx9 <font color=#",
                                        "unload"};
constexpr BannerJoints kCommandUnloadJoints = {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#",
                                               ">dl\xE8 by: vx9 <font color=#", "unload"};
constexpr BannerJoints kCommandIdleJoints[] = {
    {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#", ">dl\xE8 <font color=#", "idl\xE8 off"},
    {"</b><font color=#", "<font color=#", "> <b>i</b><font color=#", ">dl\xE8 <font color=#", "idl\xE8 on"}};
constexpr BannerJoints kMenuIdleJoints[] = {{"</b></font><font color=#", "</font><font color=#",
                                             "> <b>i</b></font><font color=#", ">dl\xE8 <font color=#", "idl\xE8 off"},
                                            {"</b></font><font color=#", "</font><font color=#",
                                             "> <b>i</b></font><font color=#", ">dl\xE8 <font color=#", "idl\xE8 on"}};

std::string banner(const CurrentStyle& s, const BannerJoints& j) {
    const std::string& F = s.firstColor;
    const std::string& S = s.secondColor;
    return s.asciiPrefix + "<font color=#" + F + "><b>" + kProductFirst + j.afterInitial + S + ">" + kProductRest +
           j.afterWord + F + j.boldI + S + j.afterIdle + F + ">[<font color=#" + S + "><b>" + j.event +
           "</b><font color=#" + F + ">]";
}

}  // namespace

std::string loadBanner(const CurrentStyle& s) { return banner(s, kLoadJoints); }
std::string unloadBanner(const CurrentStyle& s) { return banner(s, kUnloadJoints); }
std::string commandUnloadBanner(const CurrentStyle& s) { return banner(s, kCommandUnloadJoints); }
std::string commandIdleBanner(const CurrentStyle& s, IdleEvent e) {
    return banner(s, kCommandIdleJoints[e == IdleEvent::On]);
}
std::string menuIdleBanner(const CurrentStyle& s, IdleEvent e) {
    return banner(s, kMenuIdleJoints[e == IdleEvent::On]);
}

// ---- the idle report

std::string idleLine(const CurrentStyle& style, IdleTime time, const std::string& reason) {
    const std::string& c1 = style.firstColor;
    const std::string& c2 = style.secondColor;
    return style.asciiPrefix + "<font color=#" + c1 + "><b>i</b><font color=#" + c2 + ">dl\xE8 <font color=#" + c1 +
           "><b>a</b><font color=#" + c2 + ">t <font color=#000000>" + std::to_string(time.days) + "<font color=#" +
           c1 + "><b>d</b><font color=#" + c2 + ">ays <font color=#000000>" + std::to_string(time.hours) +
           "<font color=#" + c1 + "><b>hr</b><font color=#" + c2 + ">s <font color=#000000>" +
           std::to_string(time.minutes) + "<font color=#" + c1 + "><b>m</b></font><font color=#" + c2 +
           ">ins <font color=#" + c1 + ">[<font color=#" + c2 + ">" + reason + "<font color=#" + c1 + ">]";
}

namespace {

// Both transfer lines: the same pieces around the marker and the transfer window's
// two texts.
std::string transferLine(const CurrentStyle& style, const char* marker, const std::string& label,
                         const std::string& title, const std::string& reason) {
    const std::string& c1 = style.firstColor;
    const std::string& c2 = style.secondColor;
    return style.asciiPrefix + "<font color=#" + c1 + marker + c2 + ">" + label + "</font><font color=#" + c1 +
           "> : </font><font color=#" + c2 + ">" + title + "<font color=#" + c1 + "> [<font color=#" + c2 + ">" +
           reason + "<font color=#" + c1 + ">]";
}

// The start that both room lines share.
std::string roomLineHead(const CurrentStyle& style) {
    const std::string& c1 = style.firstColor;
    const std::string& c2 = style.secondColor;
    return style.asciiPrefix + "<font color=#" + c1 + "><b>r</b><font color=#" + c2 + ">ollin <font color=#" + c1 +
           "><b>t</b><font color=#" + c2 + ">o <font color=#" + c1;
}

}  // namespace

std::string uploadLine(const CurrentStyle& style, const std::string& label, const std::string& title,
                       const std::string& reason) {
    return transferLine(style, "><font face=Tahoma>u<b>L</b>: </font><font color=#", label, title, reason);
}

std::string downloadLine(const CurrentStyle& style, const std::string& label, const std::string& title,
                         const std::string& reason) {
    return transferLine(style, "><font face=Tahoma>d<b>L</b>: </font><font color=#", label, title, reason);
}

// ---- the chat commands' replies

std::string privateRoomLine(const CurrentStyle& style, const std::string& room) {
    // The room name is bold, and its bold tag is left open.
    return roomLineHead(style) + "><b>p</b><font color=#" + style.secondColor + ">r <font color=#" + style.firstColor +
           "><b>" + room;
}

std::string chatRoomLine(const CurrentStyle& style, const std::string& name) {
    const std::string& c1 = style.firstColor;
    const std::string& c2 = style.secondColor;
    return roomLineHead(style) + "><b>a</b><font color=#" + c2 + ">im <font color=#" + c1 + "><b>c</b><font color=#" +
           c2 + ">hat <font color=#" + c1 + ">" + name;
}

std::string commandsLine(const CurrentStyle& style) {
    const std::string& c1 = style.firstColor;
    const std::string& c2 = style.secondColor;
    return style.asciiPrefix + "<font color=#" + c1 + "><b>v</b><font color=#" + c2 + ">iewing <font color=#" + c1 +
           "><b>c</b><font color=#" + c2 + ">ommands";
}

// ---- the style dialog

std::string asciiConfirmationLine(const CurrentStyle& style) {
    const std::string& c1 = style.firstColor;
    const std::string& c2 = style.secondColor;
    return style.asciiPrefix + "<font face=tahoma color=#" + c1 + "><b>m</b><font color=#" + c2 +
           ">odified <font color=#" + c1 + "><b>a</b><font color=#" + c2 + ">scii.";
}

}  // namespace lantern
