#pragma once
// Every line the add-on posts, each built from its pieces in the order it is posted:
// the five name banners, the idle line and the two transfer lines, the two room
// lines, the commands line and the style dialog's confirmation. The text of a line
// lives here and nowhere else; callers gather what goes into it.

#include <cstdint>
#include <string>

#include "style/style.h"

namespace lantern {

// ---- the prefixes that begin every line
// "<font face=Webdings><font color=#" + asciiCol + ">6</font></font><font face=Tahoma> "
std::string defaultPrefix(const std::string& asciiCol);
// The style dialog's: the form that is stored (font only, what the next start-up
// reads), and the coloured form that it puts into effect.
std::string storedPrefix(const std::string& font, const std::string& glyphs);
std::string colouredPrefix(const std::string& font, const std::string& asciiCol, const std::string& glyphs);

// ---- the name banners
std::string loadBanner(const CurrentStyle& style);
std::string unloadBanner(const CurrentStyle& style);
std::string commandUnloadBanner(const CurrentStyle& style);
std::string commandIdleBanner(const CurrentStyle& style, IdleEvent event);
std::string menuIdleBanner(const CurrentStyle& style, IdleEvent event);

// ---- the idle report
struct IdleTime {
    std::int16_t days = 0, hours = 0, minutes = 0;
    bool operator==(const IdleTime&) const = default;
};
std::string idleLine(const CurrentStyle& style, IdleTime time, const std::string& reason);
// A transfer window's label and title text, with the reason.
std::string uploadLine(const CurrentStyle& style, const std::string& label, const std::string& title,
                       const std::string& reason);
std::string downloadLine(const CurrentStyle& style, const std::string& label, const std::string& title,
                         const std::string& reason);

// ---- the chat commands' replies
std::string privateRoomLine(const CurrentStyle& style, const std::string& room);
std::string chatRoomLine(const CurrentStyle& style, const std::string& name);
std::string commandsLine(const CurrentStyle& style);

// ---- the style dialog
std::string asciiConfirmationLine(const CurrentStyle& style);

}  // namespace lantern
