// The idle reference: a bare Win32 program with one window that sits in its message
// loop and does nothing else. What Wine alone costs a program that waits, measured
// in the same run as the add-on (bench_beside_references.exe), so the add-on's quiet
// figures can be read against it.
//
//   bench_idle_reference.exe

#include "bench/win32/support/bare_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return lantern::bench::runBareWindow(instance, {.className = "LanternBenchIdleReference"});
}
