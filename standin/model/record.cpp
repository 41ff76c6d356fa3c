#include "standin/model/record.h"

#include <cmath>

#include "common/text.h"

namespace lantern::standin {

void Record::add(Event event) {
    if (sink_) {
        if (onEvent) onEvent(event);
        sink_(event);
        return;
    }
    events_.push_back(std::move(event));
    if (onEvent) onEvent(events_.back());
}

void Record::handOver(std::function<void(const Event&)> sink) {
    sink_ = std::move(sink);
    if (!sink_) return;
    for (const Event& event : events_) sink_(event);
    events_.clear();
    events_.shrink_to_fit();
}

std::vector<Event> Record::of(EventKind kind) const {
    std::vector<Event> found;
    for (const Event& event : events_) {
        if (event.kind == kind) found.push_back(event);
    }
    return found;
}

std::vector<std::string> Record::texts(EventKind kind) const {
    std::vector<std::string> found;
    for (const Event& event : events_) {
        if (event.kind == kind) found.push_back(event.text);
    }
    return found;
}

std::string escapeForLog(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                out += text::hexEscape(byte);
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string unescapeFromLog(std::string_view escaped) {
    std::string out;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        char next = i + 1 < escaped.size() ? escaped[i + 1] : '\0';
        if (escaped[i] != '\\') {
            out += escaped[i];
        } else if (next == '\\' || next == 't' || next == 'r' || next == 'n') {
            out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : '\\';
            ++i;
        } else if (next == 'x' && i + 3 < escaped.size() && text::hexDigit(escaped[i + 2]) >= 0 &&
                   text::hexDigit(escaped[i + 3]) >= 0) {
            out += static_cast<char>(text::hexDigit(escaped[i + 2]) * 16 + text::hexDigit(escaped[i + 3]));
            i += 3;
        } else {
            out += escaped[i];
        }
    }
    return out;
}

namespace {

struct LogShape {
    const char* keyword;
    bool room, name, number, text;
};

LogShape shapeOf(EventKind kind) {
    switch (kind) {
    case EventKind::Posted:
        return {"posted", true, true, false, true};
    case EventKind::Said:
        return {"said", true, true, false, true};
    case EventKind::FrameCaption:
        return {"caption", false, false, false, true};
    case EventKind::LinkOpened:
        return {"link", false, false, false, true};
    case EventKind::WindowClosed:
        return {"closed", false, true, false, true};
    case EventKind::WindowMinimized:
        return {"minimized", false, true, false, true};
    case EventKind::InputMessage:
        return {"input", true, true, true, true};
    case EventKind::SignedOn:
        return {"signon", false, true, false, false};
    case EventKind::SignedOff:
        return {"signoff", false, true, false, false};
    case EventKind::RoomEntered:
        return {"room-entered", true, false, false, false};
    case EventKind::RoomLeft:
        return {"room-left", true, false, false, false};
    case EventKind::TransferStarted:
        return {"transfer-started", false, true, false, true};
    case EventKind::TransferStopped:
        return {"transfer-stopped", false, true, false, true};
    case EventKind::Hung:
        return {"hang", false, false, true, false};
    }
    return {"?", false, false, false, false};
}

}  // namespace

std::string logLine(const Event& event) {
    LogShape shape = shapeOf(event.kind);
    std::string line = std::to_string(std::llround(event.time * 1000.0));
    line += '\t';
    line += shape.keyword;
    auto field = [&](std::string_view value) {
        line += '\t';
        line += escapeForLog(value);
    };
    if (shape.room) field(event.room);
    if (shape.name) field(event.name);
    if (shape.number) field(std::to_string(event.number));
    if (shape.text) field(event.text);
    return line;
}

}  // namespace lantern::standin
