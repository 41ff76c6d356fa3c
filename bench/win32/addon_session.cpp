// The real programs under Wine: lantern-idle.exe against standin-client.exe, driven
// through the stand-in's control interface and timed by the stand-in's log (every
// log line carries GetTickCount64, the clock this driver reads too).
//
//   start-up      time from starting lantern-idle.exe to its load banner in the log
//   delay         from a line showing in the transcript to the add-on at work on it:
//                 the user's ".coms" (the add-on's first message to the input box,
//                 and its answer posted), and another member's line with a download
//                 window open (the window minimised by the chores)
//   quiet         CPU time over some minutes in a quiet room with idling on
//   flood         other people's lines at a steady rate, with the user's ".idleoff"
//                 in the middle: CPU time, peak memory, how long the answer takes;
//                 then the same flood against bench_counting_addon.exe, whose
//                 counters say whether the watcher found every line
//
//   bench_addon_session.exe [--samples N] [--startups N] [--quiet-seconds S]
//                           [--flood-seconds S] [--flood-rate R] [--log-folder F]

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/summary.h"
#include "bench/win32/support/programs_session.h"
#include "bench/win32/support/wine_session.h"

namespace lantern::bench {
namespace {

struct Options {
    int samples = 200;
    int startups = 5;
    double quietSeconds = 300;
    double floodSeconds = 60;
    double floodRate = 20;
    std::string logFolder = "bench-logs";
};

constexpr const char* kPlatform = "Win32 under Wine";
constexpr const char* kIdleOnWord = "idl\xE8 on";
constexpr const char* kIdleOffWord = "idl\xE8 off";
constexpr const char* kCommandsWord = "iewing";

// A reading of everything a phase may want to compare before and after.
struct Usage {
    long long ms = 0;
    CpuTimes addOn;
    std::optional<LinuxUsage> addOnLinux;
    std::optional<LinuxUsage> standin;
    std::optional<LinuxUsage> server;
};

class Session : ProgramsSession {
public:
    explicit Session(const Options& options) : ProgramsSession(options.logFolder), options_(options) {}

    void run() {
        CreateDirectoryA(options_.logFolder.c_str(), nullptr);
        deleteSettings();
        startStandin();
        measureStartUps();
        startAddOn(builtProgram("lantern-idle.exe"));
        measureCommandDelay();
        measureChoresDelay();
        switchIdleOn();
        measureQuietRoom();
        measureFlood("lantern-idle.exe");
        endAddOn();
        measureFloodCounted();
        standin_.kill();
    }

private:
    // ---- the programs

    Usage usage() const {
        Usage now;
        now.ms = nowMs();
        now.addOn = addOn_.cpu();
        now.addOnLinux = addOn_.linuxUsage();
        now.standin = standin_.linuxUsage();
        now.server = wineserverUsage();
        return now;
    }

    // ---- the phases

    void measureStartUps() {
        std::vector<double> times;
        for (int i = 0; i < options_.startups; ++i) {
            times.push_back(static_cast<double>(startAddOn(builtProgram("lantern-idle.exe"))));
            endAddOn();
        }
        const Summary summary = summarise(times);
        const std::string method = std::string(kPlatform) + ", " + std::to_string(summary.count) +
                                   " starts: CreateProcess to the load banner's log time";
        note("start-ups, ms: first " + std::to_string(times.front()));
        printResult("start to load banner, median", summary.median, "ms", method);
        printResult("start to load banner, worst", summary.worst, "ms", method);
    }

    void measureCommandDelay() {
        std::vector<double> reactions, answers;
        for (int i = 0; i < options_.samples; ++i) {
            const std::size_t posted = userSends(".coms");
            const std::size_t reaction =
                need(log_->waitFor(posted + 1, readsInputBox, kPatience), "the add-on reading the input box");
            const std::size_t answered = answer(posted, kCommandsWord);
            const long long postedMs = log_->entries()[posted].ms;
            reactions.push_back(static_cast<double>(log_->entries()[reaction].ms - postedMs));
            answers.push_back(static_cast<double>(log_->entries()[answered].ms - postedMs));
            waitForLineSent(answered);
            sleepMs(500);  // the chores' pause after the command
        }
        reportDelays("user's .coms to the add-on's first message to the input box", reactions);
        reportDelays("user's .coms to its answer posted", answers);
    }

    void measureChoresDelay() {
        std::vector<double> delays;
        for (int i = 0; i < options_.samples; ++i) {
            if (!standinCommand("download start")) {
                fail("the stand-in refused to start a download");
            }
            const std::size_t from = log_->refresh().size();
            standinCommand("say buddy\tline " + std::to_string(i) + " for the chores");
            const std::size_t said = need(log_->waitFor(from, entryOf("said"), kPatience), "said");
            const std::size_t minimised = need(log_->waitFor(said, entryOf("minimized"), kPatience), "minimised");
            delays.push_back(static_cast<double>(log_->entries()[minimised].ms - log_->entries()[said].ms));
            sleepMs(400);  // the chores' pause
            standinCommand("download stop");
        }
        reportDelays("another member's line to the download window minimised", delays);
    }

    void reportDelays(const std::string& what, const std::vector<double>& samples) {
        const Summary summary = summarise(samples);
        const std::string method =
            std::string(kPlatform) + ", " + std::to_string(summary.count) + " samples, stand-in log times";
        printResult(what + ", median", summary.median, "ms", method);
        printResult(what + ", 95th percentile", summary.p95, "ms", method);
        printResult(what + ", worst", summary.worst, "ms", method);
    }

    void switchIdleOn() {
        const std::size_t posted = userSends(".idleon");
        waitForLineSent(answer(posted, kIdleOnWord));
        sleepMs(1000);
    }

    void reportCpu(const std::string& what, const Usage& before, const Usage& after) {
        const double seconds = static_cast<double>(after.ms - before.ms) / 1000;
        const std::string method = std::string(kPlatform) + ", " + std::to_string(static_cast<int>(seconds)) + " s";
        // Wine's GetProcessTimes of another process misses most of its time; /proc
        // has all of it.
        printResult(what + ", add-on CPU (GetProcessTimes)", after.addOn.total() - before.addOn.total(), "CPU s",
                    method);
        if (before.addOnLinux && after.addOnLinux) {
            const double linux = after.addOnLinux->cpuSeconds - before.addOnLinux->cpuSeconds;
            const std::string procMethod = method + ", utime+stime of its wine process";
            printResult(what + ", add-on CPU (/proc)", linux, "CPU s", procMethod);
            printResult(what + ", add-on CPU share (/proc)", 100 * linux / seconds, "% of a core", procMethod);
        }
        if (before.standin && after.standin) {
            printResult(what + ", stand-in CPU (/proc)", after.standin->cpuSeconds - before.standin->cpuSeconds,
                        "CPU s", method + ", utime+stime of its wine process");
        }
        if (before.server && after.server) {
            printResult(what + ", wineserver CPU (/proc)", after.server->cpuSeconds - before.server->cpuSeconds,
                        "CPU s", method + ", the prefix's wineserver, serving both programs");
        }
    }

    void measureQuietRoom() {
        const std::size_t from = log_->refresh().size();
        const Usage before = usage();
        sleepMs(static_cast<long long>(options_.quietSeconds * 1000));
        const Usage after = usage();
        int idleLines = 0;
        for (std::size_t i = from; i < log_->refresh().size(); ++i) {
            idleLines += log_->entries()[i].kind == "posted";
        }
        note("idle lines posted meanwhile: " + std::to_string(idleLines));
        reportCpu("quiet room with idling on", before, after);
        reportMemory("quiet room with idling on");
    }

    void reportMemory(const std::string& what) {
        const std::string method = std::string(kPlatform) + ", " + what;
        printResult("add-on peak working set, " + what, static_cast<double>(addOn_.peakWorkingSetKiB()), "KiB",
                    method + ", GetProcessMemoryInfo");
        if (const std::optional<LinuxUsage> linux = addOn_.linuxUsage()) {
            printResult("add-on peak resident memory, " + what, static_cast<double>(linux->peakResidentKiB), "KiB",
                        method + ", VmHWM of its wine process");
        }
    }

    // Other members' lines at the flood rate, with the user's ".idleoff" halfway.
    struct FloodResult {
        std::size_t first = 0;
        std::size_t idleOff = 0;  // the user's posted line
        long long answerMs = 0;  // from it to the idle-off line
        long long reactionMs = 0;  // from it to the add-on's first message to the input box
    };

    FloodResult flood() {
        FloodResult result;
        result.first = log_->refresh().size();
        const int lines = static_cast<int>(options_.floodSeconds * options_.floodRate);
        const long long start = nowMs();
        for (int i = 0; i < lines; ++i) {
            sleepMs(start + static_cast<long long>(i * 1000 / options_.floodRate) - nowMs());
            standinCommand("say buddy" + std::to_string(i % 7) + "\tflood line " + std::to_string(i) +
                           " with some words in it");
            if (i == lines / 2) {
                standinCommand("send .idleoff");
            }
        }
        result.idleOff =
            need(log_->waitFor(
                     result.first, [](const LogEntry& e) { return e.kind == "posted" && e.field(2) == ".idleoff"; },
                     kPatience),
                 "the user's .idleoff");
        const std::size_t reaction =
            need(log_->waitFor(result.idleOff + 1, readsInputBox, kPatience), "the add-on reading the input box");
        const std::size_t answered = answer(result.idleOff, kIdleOffWord);
        const long long postedMs = log_->entries()[result.idleOff].ms;
        result.reactionMs = log_->entries()[reaction].ms - postedMs;
        result.answerMs = log_->entries()[answered].ms - postedMs;
        waitForLineSent(answered);
        return result;
    }

    int floodLines(std::size_t from, std::size_t to, const char* kind) const {
        int count = 0;
        for (std::size_t i = from; i < to; ++i) {
            count += log_->entries()[i].kind == kind;
        }
        return count;
    }

    void measureFlood(const std::string& program) {
        const Usage before = usage();
        const FloodResult result = flood();
        sleepMs(3000);  // the queue drains
        const Usage after = usage();
        const std::size_t end = log_->refresh().size();
        const int said = floodLines(result.first, end, "said");
        const double seconds =
            static_cast<double>(log_->entries()[end - 1].ms - log_->entries()[result.first].ms) / 1000;
        note(program + ": " + std::to_string(said) + " lines said over " + std::to_string(seconds) + " s");
        const std::string what = "flood of " + std::to_string(static_cast<int>(options_.floodRate)) + " lines/s for " +
                                 std::to_string(static_cast<int>(options_.floodSeconds)) + " s";
        const std::string method = std::string(kPlatform) + ", " + program + ", stand-in log times";
        printResult(".idleoff in a " + what + " to the add-on's first message to the input box",
                    static_cast<double>(result.reactionMs), "ms", method);
        printResult(".idleoff in a " + what + " to its answer posted", static_cast<double>(result.answerMs), "ms",
                    method);
        reportCpu(what, before, after);
        reportMemory(what);
    }

    struct Counters {
        unsigned long long seen = 0, delivered = 0, folded = 0;
        std::size_t waiting = 0, peak = 0;
        bool operator==(const Counters&) const = default;
    };

    std::optional<Counters> readCounters() const {
        std::ifstream file(countersPath_);
        Counters counters;
        if (!(file >> counters.seen >> counters.delivered >> counters.folded >> counters.waiting >> counters.peak)) {
            return std::nullopt;
        }
        return counters;
    }

    // The counters once they have stayed the same for a second, nothing waiting.
    Counters settledCounters() {
        std::optional<Counters> last;
        const long long deadline = nowMs() + static_cast<long long>(kPatience * 1000);
        while (nowMs() < deadline) {
            sleepMs(1000);
            const std::optional<Counters> now = readCounters();
            if (now && last && *now == *last && now->waiting == 0) {
                return *now;
            }
            last = now;
        }
        fail("the counting add-on's counters did not settle");
    }

    void measureFloodCounted() {
        countersPath_ = options_.logFolder + "\\counters.txt";
        DeleteFileA(countersPath_.c_str());
        startAddOn(benchProgram("bench_counting_addon.exe"), "\"" + countersPath_ + "\"");
        switchIdleOn();
        const Counters before = settledCounters();
        const std::size_t from = log_->refresh().size();
        const FloodResult result = flood();
        const Counters after = settledCounters();
        const std::size_t end = log_->refresh().size();
        // Every line that showed in the transcript meanwhile: the flood, the user's
        // line, and the add-on's own lines.
        const int shown = floodLines(from, end, "said") + floodLines(from, end, "posted");
        const long long seen = static_cast<long long>(after.seen - before.seen);
        const long long lost = shown - seen;
        note("counting add-on: " + std::to_string(shown) + " lines shown, " + std::to_string(seen) + " seen, " +
             std::to_string(after.delivered - before.delivered) + " handed on, " +
             std::to_string(after.folded - before.folded) + " folded into chores, most waiting " +
             std::to_string(after.peak));
        const std::string method =
            std::string(kPlatform) +
            ", bench_counting_addon.exe: lines in the stand-in's log against the watcher's count";
        printResult("flood lines lost", static_cast<double>(lost), "lines", method);
        printResult("flood lines handed to the handler", static_cast<double>(after.delivered - before.delivered),
                    "lines", method + " (the rest folded into chores by design)");
        printResult(".idleoff in a flood to its answer posted (counting add-on)", static_cast<double>(result.answerMs),
                    "ms", method);
        endAddOn();
    }

    Options options_;
    std::string countersPath_;
};

Options parse(int argc, char** argv) {
    Options options;
    readOptions(argc, argv, [&](const std::string& name, const char* value) {
        if (name == "--samples") {
            options.samples = std::atoi(value);
        } else if (name == "--startups") {
            options.startups = std::atoi(value);
        } else if (name == "--quiet-seconds") {
            options.quietSeconds = std::atof(value);
        } else if (name == "--flood-seconds") {
            options.floodSeconds = std::atof(value);
        } else if (name == "--flood-rate") {
            options.floodRate = std::atof(value);
        } else if (name == "--log-folder") {
            options.logFolder = value;
        } else {
            return false;
        }
        return true;
    });
    if (options.samples < 1 || options.startups < 1 || options.floodRate <= 0 || options.floodSeconds <= 0) {
        fail("counts and rates must be positive");
    }
    return options;
}

}  // namespace
}  // namespace lantern::bench

int main(int argc, char** argv) {
    lantern::bench::Session session(lantern::bench::parse(argc, argv));
    session.run();
    return 0;
}
