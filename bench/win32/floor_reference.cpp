// The library floor: the idle reference plus what the add-on asks of the system
// before its first window and nothing of its own: the same manifest (common controls
// 6, DPI awareness), the common controls set up, one setting read from the registry,
// a window that takes the focus. What the platform charges for what the add-on
// loads, beside which the add-on's private memory tells what it allocates itself.
//
//   bench_floor_reference.exe

#include "bench/win32/support/bare_window.h"

#include <commctrl.h>  // after <windows.h>, which it needs

#include "style/settings.h"  // the key's name alone

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, lantern::kSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char value[64];
        DWORD size = sizeof value;
        RegQueryValueExA(key, "autoIdle", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
    }
    return lantern::bench::runBareWindow(instance, {.className = "LanternBenchFloorReference", .takesFocus = true});
}
