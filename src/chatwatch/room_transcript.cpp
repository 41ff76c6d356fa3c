#include "chatwatch/room_transcript.h"

#include <algorithm>

#include "client/client_windows.h"
#include "client/window_io.h"
#include "platform/messages.h"

namespace lantern::roomtranscript {

namespace {

using clientwindows::kTranscriptClass;
// Lines arriving between the length and the read are picked up now rather than at
// the next poll, up to this much.
constexpr std::size_t kReadSlack = 1024;

}  // namespace

Room find(WindowSystem& windows) {
    for (WindowHandle candidate = clientwindows::firstClientWindow(windows); candidate != 0;
         candidate = windows.getWindow(candidate, gw::Next)) {
        if (clientwindows::isChatRoom(windows, candidate)) {
            return Room{candidate, windows.findChild(candidate, 0, kTranscriptClass)};
        }
    }
    return Room{};
}

std::optional<std::size_t> length(WindowSystem& windows, WindowHandle transcript) {
    const SendResult result = windows.sendMessage(transcript, msg::GetTextLength, 0, 0);
    if (!result.delivered) {
        return std::nullopt;
    }
    return windowio::believableLength(result.value);
}

std::optional<std::string> read(WindowSystem& windows, WindowHandle transcript, std::size_t length) {
    const std::size_t capacity = length + kReadSlack + 1;
    std::string buffer(capacity - 1, '\0');
    const SendResult result = windows.sendGetText(transcript, capacity, buffer);
    if (!result.delivered) {
        return std::nullopt;
    }
    const std::size_t copied = result.value > 0 ? static_cast<std::size_t>(result.value) : 0;
    buffer.resize(std::min(buffer.size(), copied));
    if (const std::size_t nul = buffer.find('\0'); nul != std::string::npos) {
        buffer.resize(nul);
    }
    return buffer;
}

}  // namespace lantern::roomtranscript
