#pragma once
// Where the add-on's messages may go. Each kind of message that it sends to the
// chat client has one kind of window it is meant for: the carriage return that
// posts a line goes to the input box of a window that is a chat room, captions go
// to the main frame, links to the keyword window's link box, clicks to the keyword
// button or the keyword window's go button, WM_CLOSE to the keyword window, and
// minimising to a file transfer window. Judged on the window tree as it stands.

#include <optional>
#include <string>

#include "platform/sim/desktop.h"
#include "watched_seams.h"

namespace lantern::faults {

// Why the call should not reach its window; nullopt when it may. A window that no
// longer exists is never wrong: the call reaches nobody.
std::optional<std::string> misdirected(const sim::Desktop& desktop, const SeamCall& call);

// Whether the window has a direct child of every class named (ignoring case).
bool hasChildrenOf(const sim::Desktop& desktop, WindowHandle window, std::initializer_list<const char*> classes);

}  // namespace lantern::faults
