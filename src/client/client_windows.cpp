#include "client/client_windows.h"

#include "client/window_io.h"
#include "platform/messages.h"

namespace lantern::clientwindows {

WindowHandle firstClientWindow(WindowSystem& windows) {
    const WindowHandle frame = windows.findWindow(kMainFrameClass);
    if (frame == 0) return 0;
    const WindowHandle mdiClient = windows.findChild(frame, 0, kMdiClientClass);
    if (mdiClient == 0) return 0;
    const WindowHandle clientWindow = windows.findChild(mdiClient, 0, kClientWindowClass);
    if (clientWindow == 0) return 0;
    return windows.getWindow(clientWindow, gw::First);
}

bool isChatRoom(WindowSystem& windows, WindowHandle candidate) {
    return windowio::hasChildOfEach(windows, candidate,
                                    {"_aol_static", kTranscriptClass, "_aol_combobox", "_aol_icon", kChatInputClass});
}

}  // namespace lantern::clientwindows
