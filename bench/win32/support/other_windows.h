#pragma once
// The windows of other processes, as a benchmark driver finds and reads them: the
// top-level windows of a program by class, their captions, the first one shown,
// and a timed read of a transcript's text.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace lantern::bench {

// The top-level windows of `className` that belong to the process `processId`.
std::vector<HWND> topLevelWindows(const char* className, DWORD processId);

std::string captionOf(HWND window);

// The first visible top-level window of `className` of the process other than
// `other`, waited for up to `seconds`; null if none shows in time.
HWND visibleWindow(const char* className, DWORD processId, double seconds, HWND other = nullptr);

// One read of the transcript as the watcher makes it (the wide length, then the
// ANSI text), timed, with the patience of an ordinary send.
struct TimedRead {
    bool answered = false;
    double lengthMs = 0, textMs = 0;
    std::size_t bytes = 0;
};

TimedRead timeRead(HWND transcript);

}  // namespace lantern::bench
