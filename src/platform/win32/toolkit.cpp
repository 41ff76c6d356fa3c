#include "platform/win32/toolkit.h"

#include "platform/win32/form.h"
#include "platform/win32/popup_menu.h"
#include "platform/win32/window_timer.h"

namespace lantern::win32 {

std::unique_ptr<Window> Win32Toolkit::createWindow(const WindowSpec& spec) {
    return std::make_unique<Form>(backend_, spec);
}

std::unique_ptr<Timer> Win32Toolkit::createTimer() { return std::make_unique<WindowTimer>(backend_); }

// The menu is tracked over the window it pops up over (see PopupMenuTree::popup), so
// the owner only has to exist.
std::unique_ptr<PopupMenu> Win32Toolkit::createPopupMenu(Window&, const MenuItemSpec& root) {
    return std::make_unique<PopupMenuTree>(backend_, root);
}

int Win32Toolkit::messageBox(const std::string& text, const std::string& title, unsigned style) {
    // Modal to all our windows, and above them: they keep themselves topmost, and a
    // box hidden under one of them would look like a hung program.
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), style | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}

std::optional<std::string> Win32Toolkit::inputBox(const std::string& prompt, const std::string& title,
                                                  const std::string& defaultText) {
    return runInputBox(backend_, prompt, title, defaultText);
}

double Win32Toolkit::screenWidth() { return pixelsToTwips(GetSystemMetrics(SM_CXSCREEN), backend_.dpi.forScreen()); }

double Win32Toolkit::screenHeight() { return pixelsToTwips(GetSystemMetrics(SM_CYSCREEN), backend_.dpi.forScreen()); }

bool Win32Toolkit::previousInstanceRunning() {
    if (backend_.previousInstance) return *backend_.previousInstance;
    backend_.instanceMutex = CreateMutexA(nullptr, FALSE, backend_.options.instanceMutexName.c_str());
    const DWORD error = GetLastError();
    // Access denied: the mutex exists, made by an instance running with other rights.
    const bool running = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
    backend_.previousInstance = running;
    return running;
}

void Win32Toolkit::endProgramNow() { ExitProcess(0); }

}  // namespace lantern::win32
