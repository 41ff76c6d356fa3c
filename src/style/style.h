#pragma once
// The current style that every posted line uses, and the mark-up of the house style:
// the default prefix and the five forms of the name banner.

#include <string>

namespace lantern {

struct CurrentStyle {
    std::string asciiPrefix;  // mark-up that begins every posted line
    std::string asciiCol;     // colour of the default prefix glyph, six hex digits
    std::string firstColor;
    std::string secondColor;
};

enum class IdleEvent { On, Off };

// "<font face=Webdings><font color=#" + asciiCol + ">6</font></font><font face=Tahoma> "
std::string defaultPrefix(const std::string& asciiCol);

std::string loadBanner(const CurrentStyle& style);
std::string unloadBanner(const CurrentStyle& style);
std::string commandUnloadBanner(const CurrentStyle& style);
std::string commandIdleBanner(const CurrentStyle& style, IdleEvent event);
std::string menuIdleBanner(const CurrentStyle& style, IdleEvent event);

}  // namespace lantern
