// The real programs under Wine, each figure beside its references from the same run:
// standin-client.exe, lantern-idle.exe and three bare Win32 programs run together, the
// idle reference (bench_idle_reference.exe, a message loop and nothing else), the
// poller reference (bench_poller_reference.exe, the watcher's length glance 25 times
// a second and nothing else) and the library floor (bench_floor_reference.exe, the
// add-on's manifest, common controls, a registry read and a focused window). Times
// come from the stand-in's log (GetTickCount64, this driver's clock too); CPU from
// /proc/<pid>/stat of each program's wine process; memory from GetProcessMemoryInfo
// and /proc/<pid>/status.
//
//   quiet      a quiet room for S s with idling off, then S s with idling on: CPU of
//              each program and the wineserver, working set, private bytes, RssAnon
//   latency    the user's ".coms" to the add-on at work on it (its first message to
//              the input box), N samples, then one more after a long quiet
//   busy       another member's line every second: CPU of each program
//   hang       the client hangs ("hang 30"), the bar's arrow is clicked 4 s in (real
//              input, through the agent of scripts/bench-win32.sh): time to the menu up
//   longlines  another member's ~4 KB lines four a second, the transcript held at
//              600-800 KB by the stand-in's trimming, while the user types ".coms",
//              ".idleon", ".coms", ".idleoff", ... (and ".end" once the lines stop):
//              how many of the user's commands were answered and how late; run against
//              bench_counting_addon.exe (lantern-idle plus its watcher's counters), so
//              lost lines and unanswered glances can be counted, with this driver
//              timing its own reads of the transcript beside
//
//   bench_beside_references.exe [--phases quiet,latency,busy,hang,longlines]
//       [--quiet-seconds 60] [--samples 20] [--long-quiet-seconds 600]
//       [--busy-seconds 60] [--hang-seconds 30] [--click-after 4]
//       [--long-line-seconds 120] [--long-line-rate 4] [--long-line-bytes 4096]
//       [--command-every 5] [--answer-wait 180] [--text-limit 0] [--same-lines 0] [--history 40]
//       [--log-folder F]
//
// --text-limit is the stand-in's transcript byte limit (0: none, so only its 200-line
// limit trims: 150 to 200 lines of 4 KB are 600 to 800 KB; -1: its default 512 KiB).
// --same-lines 1 makes every long line the same, from the same member. --history N has
// another member say N lines first: a room with history, whose transcript scrolls on
// to each new line (and so reports it, as a scroll bar does); 0: a fresh room.

#include <cstdlib>
#include <string>

#include "bench/win32/support/beside_session.h"
#include "bench/win32/support/programs_session.h"

namespace lantern::bench::beside {
namespace {

Options parse(int argc, char** argv) {
    Options options;
    readOptions(argc, argv, [&](const std::string& name, const char* value) {
        if (name == "--phases") {
            options.phases = value;
        } else if (name == "--quiet-seconds") {
            options.quietSeconds = std::atof(value);
        } else if (name == "--samples") {
            options.samples = std::atoi(value);
        } else if (name == "--long-quiet-seconds") {
            options.longQuietSeconds = std::atof(value);
        } else if (name == "--busy-seconds") {
            options.busySeconds = std::atof(value);
        } else if (name == "--hang-seconds") {
            options.hangSeconds = std::atof(value);
        } else if (name == "--click-after") {
            options.clickAfter = std::atof(value);
        } else if (name == "--long-line-seconds") {
            options.longLineSeconds = std::atof(value);
        } else if (name == "--long-line-rate") {
            options.longLineRate = std::atof(value);
        } else if (name == "--long-line-bytes") {
            options.longLineBytes = std::atoi(value);
        } else if (name == "--command-every") {
            options.commandEvery = std::atof(value);
        } else if (name == "--answer-wait") {
            options.answerWait = std::atof(value);
        } else if (name == "--text-limit") {
            options.textLimit = std::atoll(value);
        } else if (name == "--same-lines") {
            options.sameLines = std::atoi(value) != 0;
        } else if (name == "--history") {
            options.history = std::atoi(value);
        } else if (name == "--log-folder") {
            options.logFolder = value;
        } else {
            return false;
        }
        return true;
    });
    if (options.samples < 1 || options.quietSeconds <= 0 || options.longLineRate <= 0 || options.commandEvery <= 0 ||
        options.longLineBytes < 16) {
        fail("counts, rates and lengths must be positive");
    }
    return options;
}

}  // namespace
}  // namespace lantern::bench::beside

int main(int argc, char** argv) {
    lantern::bench::beside::Session session(lantern::bench::beside::parse(argc, argv));
    session.run();
    return 0;
}
