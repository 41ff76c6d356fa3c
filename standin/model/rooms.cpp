// The stand-in client's chat rooms: opening and closing them, and the lines said,
// typed and posted in them.

#include <algorithm>

#include "standin/model/standin_client.h"

namespace lantern::standin {

namespace {

const char* const kChatFont = "Arial";

}  // namespace

StandinClient::Room* StandinClient::findRoom(const std::string& name) {
    if (!name.empty()) {
        for (auto& room : rooms_) {
            if (room->name == name) return room.get();
        }
        return nullptr;
    }
    if (!mdi_) return nullptr;
    for (WindowHandle window : host_.children(mdi_)) {
        for (auto& room : rooms_) {
            if (room->window == window) return room.get();
        }
    }
    return nullptr;
}

StandinClient::Room* StandinClient::roomOwning(WindowHandle control) {
    auto known = known_.find(control);
    if (known == known_.end()) return nullptr;
    for (auto& room : rooms_) {
        if (room->window == known->second.owner) return room.get();
    }
    return nullptr;
}

std::vector<std::string> StandinClient::roomNames() {
    std::vector<std::string> names;
    if (!mdi_) return names;
    for (WindowHandle window : host_.children(mdi_)) {
        for (auto& room : rooms_) {
            if (room->window == window) names.push_back(room->name);
        }
    }
    return names;
}

bool StandinClient::openRoom(const std::string& name) {
    if (!mdi_ || name.empty()) return false;
    if (Room* existing = findRoom(name)) {
        host_.bringToTop(existing->window);
        return true;
    }
    auto room = std::make_unique<Room>();
    room->name = name;
    room->transcript = Transcript(limits_);
    room->window = openClientWindow(Part::ChatRoomWindow, name);
    room->label = make(room->window, "_AOL_Static", Part::Label);
    room->view = make(room->window, "RICHCNTLREADONLY", Part::Transcript);
    room->fontBox = make(room->window, "_AOL_Combobox", Part::ComboBox, kChatFont);
    Room& added = *rooms_.emplace_back(std::move(room));
    added.sendIcon = addButton(added.window, "_AOL_Icon", Part::Icon, "Send", [this, window = added.window] {
        for (auto& candidate : rooms_) {
            if (candidate->window == window) return postFromInput(*candidate);
        }
    });
    added.input = make(added.window, "RICHCNTL", Part::InputBox);
    updatePeople(added, signedOn_ ? screenName_ : "");
    added.transcript.appendNotice("*** You are in \"" + name + "\". ***");
    host_.transcriptChanged(added.view, added.transcript, 0, reportsTranscriptChanges_);
    event({.kind = EventKind::RoomEntered, .window = added.window, .room = name});
    host_.windowReady(added.window);
    return true;
}

bool StandinClient::closeRoom(const std::string& name) {
    Room* room = findRoom(name);
    if (!room || name.empty()) return false;
    leaveRoom(*room);
    return true;
}

void StandinClient::leaveRoom(Room& room) {
    event({.kind = EventKind::RoomLeft, .window = room.window, .room = room.name});
    closeClientWindow(room.window);
}

void StandinClient::enterPrivateRoom(const std::string& name) {
    Room* current = findRoom("");
    if (current && current->name != name) leaveRoom(*current);
    openRoom(name);
}

void StandinClient::postFromInput(Room& room) {
    std::string markup = host_.text(room.input);
    if (!signedOn_ || markup.empty()) return;
    host_.setText(room.input, "");
    event({.kind = EventKind::Posted, .window = room.input, .room = room.name, .name = screenName_, .text = markup});
    appendLine(room, screenName_, markup);
}

void StandinClient::appendLine(Room& room, const std::string& speaker, const std::string& markup) {
    std::size_t dropped = room.transcript.append(speaker, markup);
    host_.transcriptChanged(room.view, room.transcript, dropped, reportsTranscriptChanges_);
    updatePeople(room, speaker);
}

void StandinClient::updatePeople(Room& room, const std::string& speaker) {
    if (!speaker.empty() && std::find(room.people.begin(), room.people.end(), speaker) == room.people.end()) {
        room.people.push_back(speaker);
    }
    std::size_t count = room.people.size();
    host_.setText(room.label, std::to_string(count) + (count == 1 ? " person here" : " people here"));
}

bool StandinClient::say(const std::string& name, const std::string& markup, const std::string& room) {
    Room* target = findRoom(room);
    if (!target || name.empty()) return false;
    event({.kind = EventKind::Said, .window = target->window, .room = target->name, .name = name, .text = markup});
    appendLine(*target, name, markup);
    return true;
}

bool StandinClient::type(const std::string& text, const std::string& room) {
    Room* target = findRoom(room);
    if (!target) return false;
    host_.setText(target->input, text);
    return true;
}

bool StandinClient::send(const std::string& markup, const std::string& room) {
    Room* target = findRoom(room);
    if (!target || !signedOn_ || markup.empty()) return false;
    host_.setText(target->input, markup);
    postFromInput(*target);
    return true;
}

}  // namespace lantern::standin
