#pragma once
// The lines that the menu and the style dialog post, built from their pieces the way
// tests/e2e/expected_lines.h builds the others.

#include "e2e/expected_lines.h"

namespace lantern::e2e {

// The menu's idle banner closes the font tag after each bold initial and after the
// rest of the first word.
inline const BannerJoints kMenuIdleJoints = {"</b></font><font color=#", "</font><font color=#",
                                             "> <b>i</b></font><font color=#", ">dl\xE8 <font color=#"};

inline std::string menuIdleOnBanner(const std::string& p, const Colours& c) {
    return nameBanner(p, c, kMenuIdleJoints, "idl\xE8 on");
}

// The prefix that "set ascii to selected" puts into effect (it is not stored).
inline std::string colouredPrefix(const std::string& font, const std::string& asciiColour, const std::string& text) {
    return "<font face=" + font + "><font color=#" + asciiColour + ">" + text + "<font face=Tahoma> ";
}

// The prefix that "set ascii to selected" stores as `ascii`.
inline std::string storedPrefix(const std::string& font, const std::string& text) {
    return "<font face=" + font + ">" + text + "</font><font face=Tahoma> ";
}

inline std::string asciiConfirmation(const std::string& p, const Colours& c) {
    return p + "<font face=tahoma color=#" + c.first + "><b>m</b><font color=#" + c.second + ">odified <font color=#" +
           c.first + "><b>a</b><font color=#" + c.second + ">scii.";
}

}  // namespace lantern::e2e
