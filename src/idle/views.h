#pragma once
// What the idle presence needs of the windows above it. It owns these small
// interfaces; ui/ implements them and the entry point wires the two together, so
// no header of idle/ includes one of ui/. The presence's tests implement them too,
// recording what the presence asks of its windows.

#include <string>

#include "chatwatch/chat_scanner.h"
#include "platform/toolkit.h"

namespace lantern {

// The main window's state controls (frmMain: txtIdle, txtRsn, cmdIdle, cmdOff, tmrIdle).
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual WindowHandle handle() = 0;
    // Start-up: top 0, then left 0, then hidden.
    virtual void placeAtTopLeftAndHide() = 0;
    virtual std::string idleText() = 0;  // txtIdle
    virtual void setIdleText(const std::string& text) = 0;
    virtual void setIdleButtonEnabled(bool enabled) = 0;  // cmdIdle
    virtual void setOffButtonEnabled(bool enabled) = 0;  // cmdOff
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string reasonBoxText() = 0;  // txtRsn
    virtual Timer& idleTimer() = 0;  // tmrIdle
};

// The colour boxes of the ascii style dialog (frmAscii). Writing a box while the
// dialog does not exist creates it, hidden, and runs its loading first.
class StyleDialogView {
public:
    virtual ~StyleDialogView() = default;
    virtual void setAsciiColorBox(const std::string& text) = 0;  // txtAsciiColor
    virtual void setFirstColorBox(const std::string& text) = 0;  // txtFirstColor
    virtual void setSecondColorBox(const std::string& text) = 0;  // txtSecondColor
};

// The other windows that start-up and the chat commands bring up.
class SecondaryWindows {
public:
    virtual ~SecondaryWindows() = default;
    // Creates and shows the splash, modeless (start-up).
    virtual void showSplash() = 0;
    // Creates the commands list if it does not exist (loading it), then shows it.
    virtual void showCommandsList() = 0;
};

}  // namespace lantern
