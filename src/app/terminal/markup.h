#pragma once
// Shows chat mark-up in a terminal as the chat room would render it: colours from
// <font color=#rrggbb>, bold from <b>, every other tag dropped, CP1252 turned into
// UTF-8. Used by the simulator's front end to show the room.

#include <string>
#include <string_view>

namespace lantern::terminal {

enum class Rendering {
    Plain,  // the text the room shows, without colour
    Ansi,  // with 24-bit colour and bold escapes
};

std::string renderMarkup(std::string_view markup, Rendering rendering);

// The raw mark-up made printable: CP1252 as UTF-8, control characters escaped.
std::string printableMarkup(std::string_view markup);

}  // namespace lantern::terminal
