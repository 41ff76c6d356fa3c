#include "checks.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "common/text.h"
#include "idle/presence.h"
#include "platform/messages.h"

namespace lantern::faults {
namespace {

// By what each window of the client really is.
bool allowed(const sim::Desktop& d, const standin::StandinClient* client, const SeamCall& call) {
    using P = standin::Part;
    const WindowHandle w = call.window;
    const std::optional<P> part = client ? client->partOf(w) : std::nullopt;
    if (!part) return true;  // our own windows
    switch (call.kind) {
        case SeamCall::Kind::Show:  // a transfer window, or one captioned as one, as the finders' shortcut goes
            return call.wParam == sw::Minimize &&
                   (part == P::DownloadWindow || part == P::UploadWindow || text::contains(d.caption(w), "File"));
        case SeamCall::Kind::Send: break;
        default: return call.kind != SeamCall::Kind::Topmost;
    }
    const std::string text = call.text ? *call.text : "";
    switch (call.message) {
        case msg::GetText:
        case msg::GetTextLength: return true;  // reading harms nobody
        case msg::Char: return call.wParam == kVkReturn && part == P::InputBox;
        case msg::SetText:
            return part == P::InputBox || part == P::LinkBox ||
                   (part == P::Frame && (text.empty() || text == kStartCaption || text == kClosingCaption));
        case msg::Close: return part == P::KeywordWindow;
        case msg::LButtonDown:
        case msg::KeyUp:  // the keyword button, or the keyword window's go button
            return w == client->toolbarIcon(standin::kKeywordIconNumber) ||
                   (part == P::Icon && d.parent(w) == client->keywordWindow());
        default: return false;
    }
}

// ---- which line a posted line is

// The values in the holes of `shape`, a line built with each of `holes` in place of
// a value, in order; nullopt when the line does not fit it.
std::optional<std::vector<std::string>> fit(const std::string& line, const std::string& shape,
                                            const std::vector<std::string>& holes) {
    std::vector<std::string> values;
    std::size_t inShape = 0, inLine = 0;
    for (std::size_t i = 0; i <= holes.size(); ++i) {
        const bool last = i == holes.size();
        const std::size_t end = last ? shape.size() : shape.find(holes[i], inShape);
        const std::string piece = shape.substr(inShape, end - inShape);
        std::size_t at = line.find(piece, inLine);  // a piece between two holes: its first place
        if (i == 0) at = line.compare(0, piece.size(), piece) == 0 ? 0 : std::string::npos;
        if (last) {  // the last piece ends the line
            const bool ends = line.size() >= inLine + piece.size() &&
                              line.compare(line.size() - piece.size(), piece.size(), piece) == 0;
            at = ends ? line.size() - piece.size() : std::string::npos;
        }
        if (at == std::string::npos) return std::nullopt;
        if (i > 0) values.push_back(line.substr(inLine, at - inLine));
        inLine = at + piece.size();
        inShape = last ? end : end + holes[i].size();
    }
    return values;
}

bool isNumber(const std::string& s) {
    const auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
    return !s.empty() && s.size() <= 6 && std::all_of(s.begin(), s.end(), digit);
}

}  // namespace

std::optional<std::string> misdirected(const sim::Desktop& d, const standin::StandinClient* client,
                                       const SeamCall& call) {
    if (call.window == 0 || !d.exists(call.window) || allowed(d, client, call)) return std::nullopt;
    const std::string what = call.kind == SeamCall::Kind::Show      ? "ShowWindow"
                             : call.kind == SeamCall::Kind::Topmost ? "SetWindowPos(HWND_TOPMOST)"
                                                                    : messageName(call.message);
    return what + " (" + std::to_string(call.wParam) + (call.text ? ", \"" + *call.text + "\"" : "") + ") to the " +
           d.className(call.window) + " \"" + d.caption(call.window) + "\"";
}

PostedForm classify(const std::string& line, const expected::Style& s) {
    const std::pair<std::string, LineForm> fixed[] = {
        {expected::loadBanner(s), LineForm::LoadBanner},
        {expected::unloadBanner(s), LineForm::UnloadBanner},
        {expected::commandUnloadBanner(s), LineForm::CommandUnloadBanner},
        {expected::commandIdleBanner(s, true), LineForm::IdleOnBanner},
        {expected::commandIdleBanner(s, false), LineForm::IdleOffBanner},
        {expected::commandsLine(s), LineForm::CommandsLine},
    };
    for (const auto& [text, form] : fixed) {
        if (line == text) return {form};
    }
    // Stand-ins for the values; no real line holds them.
    const std::string h1 = "\x01\x01", h2 = "\x02\x02", h3 = "\x03\x03", h4 = "\x04\x04";
    if (auto v = fit(line, expected::roomLine(s, false, h1), {h1})) return {LineForm::PrivateRoomLine, v->at(0)};
    if (auto v = fit(line, expected::roomLine(s, true, h1), {h1})) return {LineForm::ChatRoomLine, v->at(0)};
    if (auto v = fit(line, expected::idleLine(s, -11111, -22222, -33333, h4), {"-11111", "-22222", "-33333", h4})) {
        const auto& n = *v;
        if (!isNumber(n[0]) || !isNumber(n[1]) || !isNumber(n[2])) return {};
        const long days = std::stol(n[0]), hours = std::stol(n[1]), minutes = std::stol(n[2]);
        if (hours >= 24 || minutes >= 60) return {};
        return {LineForm::IdleLine, n[3], (days * 24 + hours) * 60 + minutes};
    }
    if (auto v = fit(line, expected::transferLine(s, h4, h1, h2, h3), {h4, h1, h2, h3})) {
        if (v->at(0) == "u" || v->at(0) == "d") return {LineForm::TransferLine, v->at(3)};
    }
    return {};
}

}  // namespace lantern::faults
