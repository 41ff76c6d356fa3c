#pragma once
// What the stand-in's Win32 host shares between its files: the window property that
// finds the host, its own messages and timer, and handle conversions.

#include <windows.h>

#include "standin/model/window_host.h"

namespace lantern::standin::win32 {

const char* const kHostProperty = "LanternStandinHost";
constexpr UINT kHangMessage = WM_APP + 1;  // wParam: milliseconds to stall
constexpr UINT_PTR kTickTimer = 1;
// How much a person can type into an edit box: a standard edit control's default.
constexpr WPARAM kTypedTextLimit = 32767;

inline HWND hwndOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace lantern::standin::win32
