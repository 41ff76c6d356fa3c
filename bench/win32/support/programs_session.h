#pragma once
// What the session benchmarks share: the stand-in client started with its log, the
// add-on started and ended, the user typing a line and the add-on's answer, each
// waited for in the stand-in's log with a deadline. A step that does not come in
// time stops the run: a benchmark that cannot go on has no figure to give.

#include <functional>
#include <optional>
#include <string>

#include "bench/win32/support/wine_session.h"

namespace lantern::bench {

// How long to wait for anything the programs should do at once.
inline constexpr double kPatience = 30;

// Prints why, with this benchmark's name, and ends the run with 1.
[[noreturn]] void fail(const std::string& why);
// Reads a driver's command line, "--name value" pairs, handing each to `take`, which
// says whether it knows the name. A name without its value, or one `take` does not
// know, fails the run.
void readOptions(int argc, char** argv, const std::function<bool(const std::string& name, const char* value)>& take);
// The index found, or the run fails: no `what` in the log in time.
std::size_t need(std::optional<std::size_t> found, const std::string& what);

bool isInput(const LogEntry& entry, const char* message);
// The add-on asking a room's input box for its text: at work on a line.
bool readsInputBox(const LogEntry& entry);

class ProgramsSession {
protected:
    explicit ProgramsSession(std::string logFolder) : logFolder_(std::move(logFolder)) {}

    // Starts the stand-in with a fresh log in the log folder and waits for its room.
    void startStandin(const std::string& arguments = "");
    // Starts the add-on and waits until its start-up is over; the time from the
    // start to its load banner, milliseconds.
    long long startAddOn(const std::string& exePath, const std::string& arguments = "");
    // The user's ".end"; the add-on must end.
    void endAddOn();
    // A line is sent once the user's half-typed text is back: two WM_SETTEXT on the
    // input box after the posted line (emptying it, then the text).
    void waitForLineSent(std::size_t posted);
    // The user types a line; the index of its posted entry.
    std::size_t userSends(const std::string& text);
    // The add-on's answer to a line: the first line it posts after `from` that holds `word`.
    std::size_t answer(std::size_t from, const std::string& word);

    std::string logFolder_;
    std::optional<StandinLog> log_;
    ChildProcess standin_;
    ChildProcess addOn_;
};

}  // namespace lantern::bench
