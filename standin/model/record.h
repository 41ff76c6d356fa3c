#pragma once
// What the stand-in client saw and did, in order, with the host's time of each:
// the lines posted by the signed-on user (raw mark-up, byte for byte), the lines
// other people said, every caption written to the main frame, the links opened,
// the windows closed or minimised, and the changes made through the control
// interface. Tests read it; the Win32 program also writes it to a log, one line
// per event.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace lantern::standin {

enum class EventKind {
    Posted,  // room, name (the signed-on user), text (raw mark-up)
    Said,  // room, name, text: another member's line
    FrameCaption,  // text: a caption written to the main frame
    LinkOpened,  // text: the link in the keyword window when Go was pressed
    WindowClosed,  // window, name (class), text (caption): closed by WM_CLOSE
    WindowMinimized,  // window, name (class), text (caption)
    InputMessage,  // room, name (message), number (wParam), text
    SignedOn,  // name
    SignedOff,  // name
    RoomEntered,  // room
    RoomLeft,  // room
    TransferStarted,  // name ("download" or "upload"), text (file)
    TransferStopped,  // name, text (file)
    Hung,  // number: milliseconds
};

struct Event {
    double time = 0;  // host clock, seconds
    EventKind kind = EventKind::Posted;
    WindowHandle window = 0;
    std::string room;
    std::string name;
    std::string text;
    std::uint64_t number = 0;
};

class Record {
public:
    void add(Event event);
    const std::vector<Event>& events() const { return events_; }
    std::vector<Event> of(EventKind kind) const;
    void clear() { events_.clear(); }

    // The texts of one kind of event, in order: posted() gives the raw mark-up of
    // every line the signed-on user posted, captions() every frame caption.
    std::vector<std::string> texts(EventKind kind) const;
    std::vector<std::string> posted() const { return texts(EventKind::Posted); }
    std::vector<std::string> captions() const { return texts(EventKind::FrameCaption); }
    std::vector<std::string> links() const { return texts(EventKind::LinkOpened); }

    // Told of every event as it is added (tests that watch it happen).
    std::function<void(const Event&)> onEvent;

    // From now on every event goes to `sink` and is not kept, so a program that runs
    // for days (the Win32 stand-in, writing its log) holds none of them; the events
    // kept so far go to it first, in order.
    void handOver(std::function<void(const Event&)> sink);

private:
    std::vector<Event> events_;
    std::function<void(const Event&)> sink_;
};

// The bytes made printable on one line: "\\", "\r", "\n", "\t" and every byte
// outside printable ASCII as "\xHH".
std::string escapeForLog(std::string_view bytes);

// The inverse of escapeForLog: "\\t", "\\r", "\\n", "\\\\" and "\\xHH" become their
// bytes; any other backslash stays as it is.
std::string unescapeFromLog(std::string_view escaped);

// One log line, without its line break: the time in whole milliseconds, the event's
// keyword, then its fields, separated by tabs, each field escaped.
std::string logLine(const Event& event);

}  // namespace lantern::standin
