#pragma once
// Finding the open chat room's transcript and reading it, cheaply enough to do many
// times a second. Unlike the client's own walk, the room lookup lets no events run:
// it happens inside the watcher's timer, where running events would start handlers
// from the middle of a poll.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/window_system.h"

namespace lantern::roomtranscript {

struct Room {
    WindowHandle room = 0;  // the chat room window, 0 when none is open
    WindowHandle transcript = 0;  // its first "richcntlreadonly" child
};

// The first client window, in sibling order, that carries the chat room's five kinds
// of children: the frame "aol frame25" > "mdiclient" > first "aol child", from the
// first of its siblings on. No messages are sent.
Room find(WindowSystem& windows);

// WM_GETTEXTLENGTH, held to the bound of every length read from another program
// (windowio::believableLength). nullopt when it was not delivered (window gone, client
// hung).
std::optional<std::size_t> length(WindowSystem& windows, WindowHandle transcript);

// WM_GETTEXT with room for `length` characters, a little more in case the text grew
// since it was measured, and the NUL. The result is cut at what the window copied
// and at a NUL, if the window left one. nullopt when not delivered.
std::optional<std::string> read(WindowSystem& windows, WindowHandle transcript, std::size_t length);

}  // namespace lantern::roomtranscript
