#pragma once
// Edge snapping of the main window after a drag: pulls a window that hangs over a
// screen edge back onto the screen, then makes it flush with every edge it ended up
// near, in visible glides that let events run between their steps.

#include "platform/event_loop.h"
#include "platform/toolkit.h"

namespace lantern {

inline constexpr double kGlideStepTwips = 10;
// A window nearer than this to an edge snaps to it; exactly this far stays put.
inline constexpr double kSnapDistanceTwips = 400;

void snapToEdges(Window& window, Toolkit& toolkit, EventLoop& events);

}  // namespace lantern
