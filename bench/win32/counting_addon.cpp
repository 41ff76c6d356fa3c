// lantern-idle with its chat watcher's counters written out: the same program as
// lantern-idle.exe (the same App over the same Windows backend), plus a timer that
// writes the counters to a file four times a second, so a benchmark can tell how
// many lines the watcher found against how many the stand-in client showed.
//
//   bench_counting_addon.exe <counters file>
//
// The file holds one line: lines seen, lines handed to the handler, lines folded
// into a newer one, lines waiting, the most that ever waited, the times the client
// left one of the watcher's glances unanswered, the transcript's change reports,
// rooms whose reports missed a change, and 1 when reports pace the watcher.

#include <cstdio>
#include <memory>
#include <string>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

namespace {

constexpr unsigned kWriteEveryMs = 250;

// Written beside and moved over the file, so a reader never sees half a line.
void writeCounters(const std::string& path, const lantern::ChatWatcherStats& stats) {
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "w");
    if (!file) {
        return;
    }
    std::fprintf(file, "%llu %llu %llu %zu %zu %llu %llu %llu %d\n", static_cast<unsigned long long>(stats.linesSeen),
                 static_cast<unsigned long long>(stats.linesDelivered),
                 static_cast<unsigned long long>(stats.linesCoalesced), stats.queueLength, stats.queuePeak,
                 static_cast<unsigned long long>(stats.clientStalls),
                 static_cast<unsigned long long>(stats.changeReports),
                 static_cast<unsigned long long>(stats.changesUnreported), stats.reportsTrusted ? 1 : 0);
    std::fclose(file);
    MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <counters file>\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    std::unique_ptr<lantern::Win32Platform> windows = lantern::makeWin32Platform(GetModuleHandleA(nullptr));
    lantern::App app(windows->platform());
    app.start();
    std::unique_ptr<lantern::Timer> writer = windows->platform().toolkit.createTimer();
    writer->setInterval(kWriteEveryMs);
    writer->onTick = [&] {
        if (const lantern::ChatWatcher* watcher = app.chatWatcher()) {
            writeCounters(path, watcher->stats());
        }
    };
    writer->setEnabled(true);
    return windows->runMessageLoop();
}
