// How many chat lines a second of real CPU time the chat watcher takes in, without
// losing one, from the stand-in client on the simulated desktop. The stand-in keeps
// at most 200 lines and trims back to 150, as a busy room does, so the watcher
// sees lines leave at the top while new ones come in at the bottom.
//
// Each run floods the room at a fixed rate of virtual time and then lets the
// watcher drain. Two kinds of flood:
//   kept    - every line is a dot-line of the signed-on user, so none may fold:
//             the handler must get each one, once, in order;
//   others  - plain lines of other people, which the queue folds into chores
//             entries: every line must still be seen once, and the newest must
//             reach the handler.
// The same flood without a watcher gives the stand-in's own cost, which is taken
// off to give the watcher's.
//
//   bench_watcher_throughput [seconds of flood per run, default 60]

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/support/process_usage.h"
#include "bench/support/sim_scene.h"
#include "bench/support/summary.h"
#include "chatwatch/chat_watcher.h"
#include "client/client.h"

namespace lantern::bench {
namespace {

// Virtual seconds between two batches of lines: finer than the watcher's polls.
constexpr double kBatchSeconds = 0.005;
// From this rate on, lines a CPU second is the figure; below it, CPU a minute.
constexpr double kThroughputRate = 1000;

enum class Flood { Kept, Others };

struct Run {
    const char* name;
    Flood flood;
    double linesPerSecond;
};

struct Outcome {
    std::uint64_t said = 0;
    double cpuSeconds = 0;
    ChatWatcherStats stats;
    std::uint64_t handled = 0;
    std::uint64_t outOfOrder = 0;  // kept lines that came missing, twice or out of turn
    std::string lastHandled;
};

std::string lineText(Flood flood, std::uint64_t number) {
    // About as long as an ordinary chat line.
    const std::string body = std::to_string(number) + " the quick brown fox jumps over it";
    return flood == Flood::Kept ? ".n " + body : body;
}

std::string author(Flood flood, std::uint64_t number) {
    return flood == Flood::Kept ? std::string(kSignedOnUser) : "buddy" + std::to_string(number % 7);
}

// Says the lines due by each batch's time.
class Flooder {
public:
    Flooder(SimScene& scene, const Run& run, double seconds) : scene_(scene), run_(run), seconds_(seconds) {}

    void start() {
        scene_.desktop.post(kBatchSeconds, [this] { batch(); });
    }
    std::uint64_t said() const { return said_; }

private:
    void batch() {
        elapsed_ += kBatchSeconds;
        const auto due = static_cast<std::uint64_t>(std::min(elapsed_, seconds_) * run_.linesPerSecond);
        for (; said_ < due; ++said_) {
            scene_.client.say(author(run_.flood, said_), lineText(run_.flood, said_));
        }
        if (elapsed_ < seconds_) {
            scene_.desktop.post(kBatchSeconds, [this] { batch(); });
        }
    }

    SimScene& scene_;  // not owned
    const Run& run_;  // not owned
    double seconds_;
    double elapsed_ = 0;
    std::uint64_t said_ = 0;
};

Outcome flood(const Run& run, double seconds, bool watching) {
    SimScene scene;
    scene.clearRecordsEvery(kBatchSeconds);
    Outcome outcome;
    ChatWatcher watcher(scene.platform, [&](const std::string& name, const std::string& text) {
        if (run.flood == Flood::Kept && (name != kSignedOnUser || text != lineText(run.flood, outcome.handled))) {
            ++outcome.outOfOrder;
        }
        ++outcome.handled;
        outcome.lastHandled = text;
    });
    // As the entry point hands it over: the welcome window's name.
    watcher.setSignedOnNameReader([](Platform& seams) { return Client(seams).readScreenName(); });
    if (watching) {
        watcher.start();
    }
    Flooder flooder(scene, run, seconds);
    flooder.start();
    const double before = processCpuSeconds();
    scene.desktop.runFor(seconds + 2);  // the flood, then time to drain
    outcome.cpuSeconds = processCpuSeconds() - before;
    outcome.said = flooder.said();
    outcome.stats = watcher.stats();
    return outcome;
}

// Lines that did not arrive as they should: for a kept flood every line must reach
// the handler in order; for other people's lines every line must be seen, and the
// newest must be the last handled.
std::uint64_t linesLost(const Run& run, const Outcome& outcome) {
    if (run.flood == Flood::Kept) {
        const std::uint64_t missing = outcome.said > outcome.handled ? outcome.said - outcome.handled : 0;
        return missing + outcome.outOfOrder;
    }
    std::uint64_t lost = outcome.said > outcome.stats.linesSeen ? outcome.said - outcome.stats.linesSeen : 0;
    if (outcome.said > 0 && outcome.lastHandled != lineText(run.flood, outcome.said - 1)) {
        ++lost;
    }
    return lost;
}

int benchmark(double seconds) {
    const std::vector<Run> runs = {
        {"kept lines at 20/s", Flood::Kept, 20},
        {"kept lines at 1000/s", Flood::Kept, 1000},
        {"kept lines at 3000/s", Flood::Kept, 3000},
        {"other people's lines at 20/s", Flood::Others, 20},
        {"other people's lines at 3000/s", Flood::Others, 3000},
    };
    const std::string method =
        "sim, " + std::to_string(static_cast<int>(seconds)) + " virtual s of flood, CPU via CLOCK_PROCESS_CPUTIME_ID";
    std::uint64_t totalLost = 0;
    for (const Run& run : runs) {
        const Outcome alone = flood(run, seconds, false);
        const Outcome watched = flood(run, seconds, true);
        const double watcherCpu = std::max(watched.cpuSeconds - alone.cpuSeconds, 1e-9);
        const std::uint64_t lost = linesLost(run, watched);
        totalLost += lost;
        std::printf("%s: %llu lines, %llu seen, %llu handled, %llu folded, queue peak %zu, lost %llu\n", run.name,
                    static_cast<unsigned long long>(watched.said),
                    static_cast<unsigned long long>(watched.stats.linesSeen),
                    static_cast<unsigned long long>(watched.handled),
                    static_cast<unsigned long long>(watched.stats.linesCoalesced), watched.stats.queuePeak,
                    static_cast<unsigned long long>(lost));
        note("CPU: " + std::to_string(watched.cpuSeconds) + " s with the watcher, " + std::to_string(alone.cpuSeconds) +
             " s for the stand-in alone");
        const double lines = static_cast<double>(watched.said);
        if (run.linesPerSecond >= kThroughputRate) {
            printResult(std::string("watcher throughput, ") + run.name, lines / watcherCpu, "lines/CPU s",
                        method + ", stand-in's own cost taken off");
            printResult(std::string("watcher and stand-in together, ") + run.name, lines / watched.cpuSeconds,
                        "lines/CPU s", method);
        } else {
            // A slow flood costs mostly the polls: time per minute says more.
            printResult(std::string("watcher CPU per minute, ") + run.name, watcherCpu / seconds * 60 * 1e3, "ms",
                        method + ", stand-in's own cost taken off");
        }
        printResult(std::string("lines lost, ") + run.name, static_cast<double>(lost), "lines", method);
    }
    printResult("peak memory of the bench process", static_cast<double>(peakResidentKiB()), "KiB",
                "sim, VmHWM of the whole bench (desktop, stand-in and watcher)");
    return totalLost == 0 ? 0 : 1;
}

}  // namespace
}  // namespace lantern::bench

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: %s [seconds of flood per run]\n", argv[0]);
        return 2;
    }
    return lantern::bench::benchmark(seconds);
}
