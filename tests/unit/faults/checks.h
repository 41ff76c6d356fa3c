#pragma once
// The judges of a fault schedule: where the add-on's messages may go, and which of
// its lines a posted line is.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/sim/desktop.h"
#include "standin/model/standin_client.h"
#include "unit/idle/expected_lines.h"

namespace lantern::faults {

struct SeamCall {  // one call of the add-on into a platform seam
    enum class Kind { Lookup, Send, Show, Topmost, Wait };
    Kind kind = Kind::Lookup;
    WindowHandle window = 0;
    unsigned message = 0;               // sends
    std::uintptr_t wParam = 0;          // sends; the command of shows
    const std::string* text = nullptr;  // WM_SETTEXT's
};

// Why the call should not reach its window, which the client (null when none runs)
// may own; nullopt when it may, or when the window is gone (it reaches nobody).
std::optional<std::string> misdirected(const sim::Desktop& desktop, const standin::StandinClient* client,
                                       const SeamCall& call);

enum class LineForm {
    Unknown, LoadBanner, UnloadBanner, CommandUnloadBanner, IdleOnBanner, IdleOffBanner, CommandsLine,
    PrivateRoomLine, ChatRoomLine, IdleLine, TransferLine,
};

struct PostedForm {
    LineForm form = LineForm::Unknown;
    std::string value;     // the room or name of a room line, the reason of an idle or transfer line
    long idleMinutes = 0;  // an idle line's days, hours and minutes, in minutes
};

PostedForm classify(const std::string& line, const expected::Style& style);

}  // namespace lantern::faults
