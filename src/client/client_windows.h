#pragma once
// The client's window tree as the client's locators and the chat watcher both walk
// it: the main frame, its MDI client, the first client window, and what makes one
// of those a chat room. Class names as we pass them (the platform ignores case).

#include "platform/window_system.h"

namespace lantern::clientwindows {

inline constexpr const char* kMainFrameClass = "aol frame25";
inline constexpr const char* kMdiClientClass = "mdiclient";
inline constexpr const char* kClientWindowClass = "aol child";
inline constexpr const char* kChatInputClass = "richcntl";
inline constexpr const char* kTranscriptClass = "richcntlreadonly";

// The first of all the MDI client's children, whatever its class; 0 when the frame,
// its MDI client or a client window is missing.
WindowHandle firstClientWindow(WindowSystem& windows);

// A chat room is known by its children alone: a label, the transcript, the combo
// box, an icon and the input box.
bool isChatRoom(WindowSystem& windows, WindowHandle candidate);

}  // namespace lantern::clientwindows
