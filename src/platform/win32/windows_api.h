#pragma once
// The one way the Windows backend includes the system headers: ANSI calls only, no
// min/max macros, and the common controls.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef STRICT
#define STRICT
#endif

#include <windows.h>
#include <commctrl.h>

// Sent before WM_DPICHANGED (Windows 10 1703 on); the headers declare it only for
// programs that target that version, and we target Windows 7.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif
