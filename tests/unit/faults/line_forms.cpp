#include "line_forms.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace lantern::faults {

namespace {

// Stand-ins for the values while a template is built; no real line holds them.
const std::string kHole1 = "\x01\x01";
const std::string kHole2 = "\x02\x02";
const std::string kHole3 = "\x03\x03";
const std::string kHole4 = "\x04\x04";
// The idle line takes numbers; these stand in for them.
constexpr int kDaysMarker = -11111;
constexpr int kHoursMarker = -22222;
constexpr int kMinutesMarker = -33333;

bool isNumber(const std::string& s) {
    return !s.empty() && s.size() <= 6 && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

struct Templates {
    explicit Templates(const expected::Style& s)
        : privateRoom(expected::privateRoomLine(s, kHole1), {kHole1}),
          chatRoom(expected::chatRoomLine(s, kHole1), {kHole1}),
          idle(expected::idleLine(s, kDaysMarker, kHoursMarker, kMinutesMarker, kHole4),
               {std::to_string(kDaysMarker), std::to_string(kHoursMarker), std::to_string(kMinutesMarker), kHole4}),
          upload(expected::transferLine(s, true, kHole1, kHole2, kHole3), {kHole1, kHole2, kHole3}),
          download(expected::transferLine(s, false, kHole1, kHole2, kHole3), {kHole1, kHole2, kHole3}) {}
    LineTemplate privateRoom, chatRoom, idle, upload, download;
};

}  // namespace

const char* formName(LineForm form) {
    switch (form) {
        case LineForm::LoadBanner: return "load banner";
        case LineForm::UnloadBanner: return "unload banner";
        case LineForm::CommandUnloadBanner: return "unload line";
        case LineForm::IdleOnBanner: return "idle-on line";
        case LineForm::IdleOffBanner: return "idle-off line";
        case LineForm::CommandsLine: return "commands line";
        case LineForm::PrivateRoomLine: return "private-room line";
        case LineForm::ChatRoomLine: return "chat-room line";
        case LineForm::IdleLine: return "idle line";
        case LineForm::UploadLine: return "upload line";
        case LineForm::DownloadLine: return "download line";
        case LineForm::Unknown: break;
    }
    return "unknown line";
}

LineTemplate::LineTemplate(const std::string& filled, const std::vector<std::string>& markers) {
    std::size_t from = 0;
    for (const std::string& marker : markers) {
        const std::size_t at = filled.find(marker, from);
        pieces_.push_back(filled.substr(from, at == std::string::npos ? std::string::npos : at - from));
        from = at == std::string::npos ? filled.size() : at + marker.size();
    }
    pieces_.push_back(filled.substr(from));
}

std::optional<std::vector<std::string>> LineTemplate::match(const std::string& line) const {
    if (line.compare(0, pieces_.front().size(), pieces_.front()) != 0) return std::nullopt;
    std::size_t pos = pieces_.front().size();
    std::vector<std::string> values;
    for (std::size_t i = 1; i < pieces_.size(); ++i) {
        const std::string& piece = pieces_[i];
        std::size_t at;
        if (i + 1 == pieces_.size()) {
            // The last piece ends the line.
            if (line.size() < pos + piece.size() || line.compare(line.size() - piece.size(), piece.size(), piece) != 0) {
                return std::nullopt;
            }
            at = line.size() - piece.size();
        } else {
            at = line.find(piece, pos);
            if (at == std::string::npos) return std::nullopt;
        }
        values.push_back(line.substr(pos, at - pos));
        pos = at + piece.size();
    }
    return values;
}

PostedForm classify(const std::string& line, const expected::Style& style) {
    const std::pair<std::string, LineForm> fixed[] = {
        {expected::loadBanner(style), LineForm::LoadBanner},
        {expected::unloadBanner(style), LineForm::UnloadBanner},
        {expected::commandUnloadBanner(style), LineForm::CommandUnloadBanner},
        {expected::commandIdleBanner(style, true), LineForm::IdleOnBanner},
        {expected::commandIdleBanner(style, false), LineForm::IdleOffBanner},
        {expected::commandsLine(style), LineForm::CommandsLine},
    };
    for (const auto& [text, form] : fixed) {
        if (line == text) return {form};
    }
    const Templates templates(style);
    if (auto values = templates.privateRoom.match(line)) return {LineForm::PrivateRoomLine, values->at(0)};
    if (auto values = templates.chatRoom.match(line)) return {LineForm::ChatRoomLine, values->at(0)};
    if (auto values = templates.idle.match(line)) {
        const auto& v = *values;
        if (isNumber(v[0]) && isNumber(v[1]) && isNumber(v[2])) {
            const long days = std::stol(v[0]), hours = std::stol(v[1]), minutes = std::stol(v[2]);
            if (hours < 24 && minutes < 60) {
                return {LineForm::IdleLine, v[3], (days * 24 + hours) * 60 + minutes};
            }
        }
        return {};
    }
    if (auto values = templates.upload.match(line)) return {LineForm::UploadLine, values->at(2)};
    if (auto values = templates.download.match(line)) return {LineForm::DownloadLine, values->at(2)};
    return {};
}

}  // namespace lantern::faults
