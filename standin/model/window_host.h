#pragma once
// The small window host that the stand-in client is written against. The model
// decides which windows exist, with which classes and captions, and how they react
// to messages; a host only makes the windows real: windows on the simulated
// desktop, or real Win32 windows that a person can look at. Every message that
// reaches one of the host's windows goes to StandinClient::handleMessage first.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace lantern::standin {

class Transcript;

// What a window is for, so that a host can draw and lay it out. The class name
// that the chat client's contract fixes travels separately.
enum class Part {
    Frame,  // the main frame
    Toolbar,  // the toolbar band in the frame
    ToolbarStrip,  // the strip inside it that holds the icons
    ToolbarIcon,  // one toolbar button
    MdiClient,  // the area that holds the client windows
    // client windows, the MDI client's children
    ChatRoomWindow,
    WelcomeWindow,
    KeywordWindow,
    DownloadWindow,
    UploadWindow,
    SignOnWindow,
    // controls inside client windows
    Label,  // a line of static text
    RichLabel,  // static rich text
    Icon,  // a picture button
    PushButton,  // a plain push button
    Glyph,  // a small decorative picture
    Image,  // a larger picture
    Gauge,  // a progress bar; its text is the percentage, "42"
    Checkbox,
    ComboBox,
    LinkBox,  // the keyword window's editable box
    Transcript,  // the chat room's read-only transcript
    InputBox,  // the chat room's editable input box
};

// Where a new window goes among its siblings: on top (a client window that has
// just been opened) or at the bottom (controls, in the order they are made).
enum class Placement { Top, Bottom };

struct NewWindow {
    WindowHandle parent = 0;  // 0: a top-level window
    std::string className;
    std::string text;
    Part part = Part::Label;
    Placement placement = Placement::Bottom;
};

class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual WindowHandle create(const NewWindow& window) = 0;
    // Destroys the window and everything in it.
    virtual void destroy(WindowHandle window) = 0;

    // The window's text, read and written directly: no message is recorded or
    // reported back to the model.
    virtual std::string text(WindowHandle window) = 0;
    virtual void setText(WindowHandle window, const std::string& text) = 0;

    // The children of `parent` in sibling order, top of the Z order first.
    virtual std::vector<WindowHandle> children(WindowHandle parent) = 0;
    virtual void bringToTop(WindowHandle window) = 0;
    virtual bool minimized(WindowHandle window) = 0;

    // The client stops answering for `seconds`.
    virtual void hang(WindowHandle frame, double seconds) = 0;

    // Seconds on the host's clock (virtual on the simulated desktop).
    virtual double now() = 0;

    // A client window and all its controls have been made: lay it out, show it.
    virtual void windowReady(WindowHandle /*clientWindow*/) {}
    // A transcript window's text changed: one line was added at the end, and
    // `droppedFromTop` lines went from the top to make room. `reported`: the client's
    // windows report changes, so the system tells whoever watches the transcript
    // window, as it does when a standard control's scroll bar moves on to a new line.
    virtual void transcriptChanged(WindowHandle /*view*/, const Transcript& /*transcript*/,
                                   std::size_t /*droppedFromTop*/, bool /*reported*/) {}
};

}  // namespace lantern::standin
