#pragma once
// Where the stand-in's windows go: the frame's size, the toolbar, each kind of
// client window's first place in the MDI area and the places of its controls.

#include <windows.h>

#include <map>

#include "standin/model/window_host.h"

namespace lantern::standin::win32 {

inline constexpr int kFrameWidth = 960;
inline constexpr int kFrameHeight = 700;
inline constexpr int kToolbarHeight = 52;
inline constexpr int kToolbarIconWidth = 42;

// The first rectangle of a new client window, in MDI client coordinates.
RECT initialPlacement(Part part);

// Places the controls of a client window for its current size.
void layoutClientWindow(HWND window, const std::map<HWND, Part>& parts);

}  // namespace lantern::standin::win32
