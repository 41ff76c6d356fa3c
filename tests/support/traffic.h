#pragma once
// Expected message traffic: the messages our program sends to the client's windows,
// as the simulated desktop records them and as the stand-in's log shows them. An
// expected sequence is a named const table of rows, declared beside a comment naming
// the call that sends it; one check compares it with what was seen and prints the
// two side by side where they differ.

#include <cstdint>
#include <source_location>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace lantern::test {

// One message. `at`: seconds after the mark (expected: < 0 when the time does not
// matter); `window`: 0 in a row that takes any window, or when the record has none.
struct Sent {
    WindowHandle window = 0;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::string text;
    double at = -1;
    bool delivered = true;  // seen only: the send reached the window
};
using Traffic = std::vector<Sent>;

// How far a seen time may stray from its row. Exact: each time after the mark, to
// the clock's rounding. Pauses: each gap between two timed rows, late by up to `late`
// seconds (a busy machine), early by up to `early`.
struct Timing {
    double early = 1e-4, late = 1e-4;
    bool gaps = false;
};
inline constexpr Timing kExactTimes{};
inline constexpr Timing kPauses{0.05, 2.0, true};

// Fails the current test, showing expected beside actual, unless they match row by row;
// the failure names the caller's line.
void expectTraffic(const Traffic& expected, const Traffic& actual, Timing timing = kExactTimes,
                   std::source_location caller = std::source_location::current());

// Client::sendChat(line) to the room's input box with `typed` half-typed in it: the
// text read and cleared, a pause, the line typed, a pause, Enter, a longer pause, and
// the half-typed text given back.
Traffic sendChatTraffic(const std::string& typed, const std::string& line);

// The number of a message by its name in the log ("WM_SETTEXT"); 0 for a name the
// table of messages does not know.
unsigned messageNumber(const std::string& name);

}  // namespace lantern::test
