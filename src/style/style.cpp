#include "style/style.h"

namespace lantern {

namespace {

// The product word and its parts: the first letter goes bold, the rest follows.
constexpr const char* kProductFirst = "l";
constexpr const char* kProductRest = "ant\xE8rn";

const char* idleEventPiece(IdleEvent event) {
    return event == IdleEvent::On ? "><b>idl\xE8 on</b><font color=#" : "><b>idl\xE8 off</b><font color=#";
}

}  // namespace

std::string defaultPrefix(const std::string& asciiCol) {
    return "<font face=Webdings><font color=#" + asciiCol + ">6</font></font><font face=Tahoma> ";
}

// Each banner is its pieces joined in order, exactly as posted; the forms differ
// in small ways on purpose (the chat room has seen them this way for years), so
// they are written out one by one rather than computed from each other.

std::string loadBanner(const CurrentStyle& s) {
    const std::string& P = s.asciiPrefix;
    const std::string& F = s.firstColor;
    const std::string& S = s.secondColor;
    return P + "<font color=#" + F + "><b>" + kProductFirst + "</b><font face=tahoma><font color=#" + S +
           ">" + kProductRest + " <font face=tahoma><font color=#" + F +
           "><b>i</b><font face=tahoma><font color=#" + S + ">dl\xE8 by: vx9 <font color=#" + F +
           ">[<font color=#" + S + "><b>load</b><font color=#" + F + ">]";
}

std::string unloadBanner(const CurrentStyle& s) {
    const std::string& P = s.asciiPrefix;
    const std::string& F = s.firstColor;
    const std::string& S = s.secondColor;
    return P + "<font color=#" + F + "><b>" + kProductFirst + "</b><font face=tahoma><font color=#" + S +
           ">" + kProductRest + "<font face=tahoma><font color=#" + F +
           "> <b>i</b><font face=tahoma><font color=#" + S + ">dl\xE8 by: vx9 <font color=#" + F +
           ">[<font color=#" + S + "><b>unload</b><font color=#" + F + ">]";
}

std::string commandUnloadBanner(const CurrentStyle& s) {
    const std::string& P = s.asciiPrefix;
    const std::string& F = s.firstColor;
    const std::string& S = s.secondColor;
    return P + "<font color=#" + F + "><b>" + kProductFirst + "</b><font color=#" + S + ">" + kProductRest +
           "<font color=#" + F + "> <b>i</b><font color=#" + S + ">dl\xE8 by: vx9 <font color=#" + F +
           ">[<font color=#" + S + "><b>unload</b><font color=#" + F + ">]";
}

std::string commandIdleBanner(const CurrentStyle& s, IdleEvent event) {
    const std::string& P = s.asciiPrefix;
    const std::string& F = s.firstColor;
    const std::string& S = s.secondColor;
    return P + "<font color=#" + F + "><b>" + kProductFirst + "</b><font color=#" + S + ">" + kProductRest +
           "<font color=#" + F + "> <b>i</b><font color=#" + S + ">dl\xE8 <font color=#" + F +
           ">[<font color=#" + S + idleEventPiece(event) + F + ">]";
}

std::string menuIdleBanner(const CurrentStyle& s, IdleEvent event) {
    const std::string& P = s.asciiPrefix;
    const std::string& F = s.firstColor;
    const std::string& S = s.secondColor;
    return P + "<font color=#" + F + "><b>" + kProductFirst + "</b></font><font color=#" + S + ">" +
           kProductRest + "</font><font color=#" + F + "> <b>i</b></font><font color=#" + S +
           ">dl\xE8 <font color=#" + F + ">[<font color=#" + S + idleEventPiece(event) + F + ">]";
}

}  // namespace lantern
