// The poller reference: the idle reference plus what the chat watcher does in a
// quiet room at its rate and nothing more. Every 40 ms it finds the chat room's
// transcript and asks it for its length, with the same call the watcher's glance
// makes (the wide WM_GETTEXTLENGTH, SMTO_ABORTIFHUNG, 200 ms). The watcher also reads
// the whole text once a second; this does not.
//
//   bench_poller_reference.exe

#include "bench/win32/support/bare_window.h"
#include "bench/win32/support/transcript_window.h"

namespace {

constexpr UINT kPollMilliseconds = 40;
constexpr UINT kGlanceMilliseconds = 200;

void poll() {
    // Found afresh every time, as the watcher does.
    if (HWND transcript = lantern::bench::findTranscript()) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(transcript, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kGlanceMilliseconds,
                            &length);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return lantern::bench::runBareWindow(
        instance, {.className = "LanternBenchPollerReference", .timerMs = kPollMilliseconds, .tick = poll});
}
