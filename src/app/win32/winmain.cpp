// lantern-idle.exe: builds the Windows platform and the program over it, runs
// start-up, then the message loop. The program ends through its own shut-down.

#include "app/app.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::unique_ptr<lantern::Win32Platform> platform = lantern::makeWin32Platform(instance);
    lantern::App app(platform->platform());
    app.start();
    return platform->runMessageLoop();
}
