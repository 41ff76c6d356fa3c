// The real programs under Wine, each figure beside its references from the same run:
// standin-client.exe, lantern-idle.exe and two bare Win32 programs run together, the
// idle reference (bench_idle_reference.exe, a message loop and nothing else) and the
// poller reference (bench_poller_reference.exe, the watcher's length glance 25 times
// a second and nothing else). Times come from the stand-in's log (GetTickCount64,
// this driver's clock too); CPU from /proc/<pid>/stat of each program's wine process;
// memory from GetProcessMemoryInfo and /proc/<pid>/status.
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
//       [--command-every 5] [--answer-wait 180] [--text-limit 0] [--same-lines 0]
//       [--log-folder F]
//
// --text-limit is the stand-in's transcript byte limit (0: none, so only its 200-line
// limit trims: 150 to 200 lines of 4 KB are 600 to 800 KB; -1: its default 512 KiB).
// --same-lines 1 makes every long line the same, from the same member.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/summary.h"
#include "bench/win32/support/input_agent.h"
#include "bench/win32/support/programs_session.h"
#include "bench/win32/support/transcript_window.h"
#include "bench/win32/support/wine_session.h"

namespace lantern::bench {
namespace {

struct Options {
    std::string phases = "quiet,latency,busy,hang,longlines";
    double quietSeconds = 60;
    int samples = 20;
    double longQuietSeconds = 600;
    double busySeconds = 60;
    double hangSeconds = 30;
    double clickAfter = 4;
    double longLineSeconds = 120;
    double longLineRate = 4;
    int longLineBytes = 4096;
    double commandEvery = 5;
    double answerWait = 180;
    long long textLimit = 0;
    bool sameLines = false;  // every long line alike, as a flooder's are
    std::string logFolder = "bench-logs";
    bool has(const std::string& phase) const {
        return ("," + phases + ",").find("," + phase + ",") != std::string::npos;
    }
};

const std::string kPlatform = std::string("Win32 under Wine, ") + (sizeof(void*) == 4 ? "i686" : "x86_64");
constexpr const char* kIdleOnWord = "idl\xE8 on";
constexpr const char* kIdleOffWord = "idl\xE8 off";
constexpr const char* kCommandsWord = "iewing";
constexpr const char* kUnloadWord = "unload";
constexpr const char* kMainWindowClass = "LanternForm";
constexpr const char* kMainWindowCaption = "Idle";
constexpr POINT kArrow{176, 16};  // in the bar's arrow hot spot (168..185, 8..25)
// The watcher's glance gives up after this long (Patience::Glance).
constexpr double kGlanceMs = 200;

std::string loadAverage() {
    std::ifstream file("Z:\\proc\\loadavg");
    std::string one;
    file >> one;
    return one.empty() ? "?" : one;
}

std::string fixed(double value, int decimals = 1) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// ---- windows of other processes

std::vector<HWND> topLevelWindows(const char* className, DWORD processId) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) {
            found.push_back(window);
        }
    }
    return found;
}

std::string captionOf(HWND window) {
    char text[256] = {};
    return std::string(text, std::max(GetWindowTextA(window, text, sizeof text), 0));
}

HWND visibleWindow(const char* className, DWORD processId, double seconds, HWND other = nullptr) {
    const long long deadline = nowMs() + static_cast<long long>(seconds * 1000);
    do {
        for (HWND window : topLevelWindows(className, processId)) {
            if (window != other && IsWindowVisible(window)) {
                return window;
            }
        }
        sleepMs(10);
    } while (nowMs() < deadline);
    return nullptr;
}

// One read of the transcript as the watcher makes it (the wide length, then the
// ANSI text), timed, with the patience of an ordinary send.
struct TimedRead {
    bool answered = false;
    double lengthMs = 0, textMs = 0;
    std::size_t bytes = 0;
};

TimedRead timeRead(HWND transcript) {
    TimedRead read;
    DWORD_PTR length = 0;
    const long long start = nowMs();
    if (!SendMessageTimeoutW(transcript, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 20000, &length)) {
        return read;
    }
    const long long measured = nowMs();
    std::vector<char> buffer(length + 1024 + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(transcript, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_NORMAL, 20000, &copied)) {
        return read;
    }
    read.answered = true;
    read.lengthMs = static_cast<double>(measured - start);
    read.textMs = static_cast<double>(nowMs() - measured);
    read.bytes = copied;
    return read;
}

// ---- the session

struct Program {
    std::string name;  // as the figures call it
    ChildProcess* process;  // not owned
};

struct Reading {
    long long ms = 0;
    std::vector<std::optional<LinuxUsage>> linux;  // one per program, in order
    std::vector<WindowsMemory> memory;  // the same
    std::optional<LinuxUsage> server;
};

class Session : ProgramsSession {
public:
    explicit Session(const Options& options) : ProgramsSession(options.logFolder), options_(options) {}

    void run() {
        CreateDirectoryA(options_.logFolder.c_str(), nullptr);
        deleteSettings();
        note("load average at the start: " + loadAverage());
        const WindowsMemory own = memoryOf(GetCurrentProcess());
        note("this driver's own GetProcessMemoryInfo: working set " + std::to_string(own.workingSetKiB) +
             " KiB, PrivateUsage " + std::to_string(own.privateKiB) + " KiB, PagefileUsage " +
             std::to_string(own.pagefileKiB) + " KiB");
        if (inputAgentPresent()) {
            xdotool({"mousemove", "1000", "750"});  // far from every window
        }
        startStandin();
        idleReference_ = startOrFail(benchProgram("bench_idle_reference.exe"));
        pollerReference_ = startOrFail(benchProgram("bench_poller_reference.exe"));
        startAddOn(builtProgram("lantern-idle.exe"));
        // The splash goes first, while it is the add-on's only window shown.
        if (options_.has("hang") && inputAgentPresent() && !showBar()) {
            fail("the bar did not come up");
        }
        if (options_.has("quiet")) measureQuiet();
        if (options_.has("latency")) measureLatency();
        if (options_.has("busy")) measureBusy();
        if (options_.has("hang")) measureHangClick();
        if (options_.has("longlines")) {
            endAddOn();
            measureLongLines();
        }
        addOn_.kill();
        pollerReference_.kill();
        idleReference_.kill();
        standin_.kill();
        note("load average at the end: " + loadAverage());
    }

private:
    // ---- the programs

    static ChildProcess startOrFail(const std::string& exePath, const std::string& arguments = "") {
        std::optional<ChildProcess> started = ChildProcess::start(exePath, arguments);
        if (!started) {
            fail(exePath + " did not start");
        }
        return std::move(*started);
    }

    void startStandin() {
        // The stand-in's default byte limit, or the one asked for.
        ProgramsSession::startStandin(options_.textLimit >= 0 ? "--text-limit " + std::to_string(options_.textLimit)
                                                              : "");
    }

    void switchIdle(const char* command, const char* word) {
        waitForLineSent(answer(userSends(command), word));
        sleepMs(1000);
    }

    std::vector<Program> programs() {
        return {{"stand-in", &standin_},
                {"add-on", &addOn_},
                {"idle reference", &idleReference_},
                {"poller reference", &pollerReference_}};
    }

    Reading reading() {
        Reading now;
        now.ms = nowMs();
        for (const Program& program : programs()) {
            now.linux.push_back(program.process->linuxUsage());
            now.memory.push_back(program.process->memory());
        }
        now.server = wineserverUsage();
        return now;
    }

    // CPU of each program (and the wineserver) between two readings, and their
    // memory now, each beside the others.
    void reportBeside(const std::string& what, const Reading& before, const Reading& after, const std::string& load) {
        const double seconds = static_cast<double>(after.ms - before.ms) / 1000;
        const std::string method = kPlatform + ", " + fixed(seconds, 0) + " s, load average " + load;
        const std::vector<Program> all = programs();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::string figure = what + ": " + all[i].name;
            if (before.linux[i] && after.linux[i]) {
                const double cpu = after.linux[i]->cpuSeconds - before.linux[i]->cpuSeconds;
                printResult(figure + " CPU", 100 * cpu / seconds, "% of a core",
                            method + ", utime+stime of its wine process (" + fixed(cpu, 2) + " CPU s)");
            }
            const WindowsMemory& memory = after.memory[i];
            printResult(figure + " working set", static_cast<double>(memory.workingSetKiB), "KiB",
                        method + ", GetProcessMemoryInfo WorkingSetSize at the end");
            printResult(figure + " private bytes", static_cast<double>(memory.privateKiB), "KiB",
                        method + ", GetProcessMemoryInfo PrivateUsage (PROCESS_MEMORY_COUNTERS_EX) at the end");
            // Wine 8 leaves PrivateUsage at 0 and counts the private memory here.
            printResult(figure + " PagefileUsage", static_cast<double>(memory.pagefileKiB), "KiB",
                        method + ", GetProcessMemoryInfo PagefileUsage at the end");
            if (after.linux[i]) {
                printResult(figure + " RssAnon", static_cast<double>(after.linux[i]->anonymousKiB), "KiB",
                            method + ", /proc/<pid>/status RssAnon of its wine process at the end");
            }
        }
        if (before.server && after.server) {
            const double cpu = after.server->cpuSeconds - before.server->cpuSeconds;
            printResult(what + ": wineserver CPU", 100 * cpu / seconds, "% of a core",
                        method + ", the prefix's wineserver, serving every program (" + fixed(cpu, 2) + " CPU s)");
        }
    }

    // Runs `during` for `seconds` and reports every program's usage over it.
    template <class During>
    void besideOver(const std::string& what, double seconds, During during) {
        const std::string loadBefore = loadAverage();
        const Reading before = reading();
        during(nowMs() + static_cast<long long>(seconds * 1000));
        const Reading after = reading();
        reportBeside(what, before, after, loadBefore + " to " + loadAverage());
    }

    // ---- quiet room

    void measureQuiet() {
        const std::string length = fixed(options_.quietSeconds, 0) + " s";
        besideOver("quiet room " + length + ", idling off", options_.quietSeconds,
                   [](long long until) { sleepMs(until - nowMs()); });
        switchIdle(".idleon", kIdleOnWord);
        const std::size_t from = log_->refresh().size();
        besideOver("quiet room " + length + ", idling on", options_.quietSeconds,
                   [](long long until) { sleepMs(until - nowMs()); });
        int idleLines = 0;
        for (std::size_t i = from; i < log_->refresh().size(); ++i) {
            idleLines += log_->entries()[i].kind == "posted";
        }
        note("idle lines posted while idling on: " + std::to_string(idleLines));
        switchIdle(".idleoff", kIdleOffWord);
    }

    // ---- latency

    // One ".coms": to the add-on's first message to the input box, ms.
    double comsDelay() {
        const std::size_t posted = userSends(".coms");
        const std::size_t reaction = need(log_->waitFor(posted + 1, readsInputBox, kPatience), "the add-on at work");
        const std::size_t answered = answer(posted, kCommandsWord);
        const double delay = static_cast<double>(log_->entries()[reaction].ms - log_->entries()[posted].ms);
        waitForLineSent(answered);
        sleepMs(500);  // the chores' pause after the command
        return delay;
    }

    void measureLatency() {
        const std::string load = loadAverage();
        std::vector<double> delays;
        for (int i = 0; i < options_.samples; ++i) {
            delays.push_back(comsDelay());
        }
        const Summary summary = summarise(delays);
        const std::string what = "user's .coms to the add-on's first message to the input box";
        const std::string method = kPlatform + ", " + std::to_string(summary.count) +
                                   " samples a few seconds apart, stand-in log times, load average " + load;
        printResult(what + ", median", summary.median, "ms", method);
        printResult(what + ", 95th percentile", summary.p95, "ms", method);
        printResult(what + ", worst", summary.worst, "ms", method);
        note("quiet for " + fixed(options_.longQuietSeconds, 0) + " s before the last sample");
        sleepMs(static_cast<long long>(options_.longQuietSeconds * 1000));
        const std::string loadAfter = loadAverage();
        const double afterQuiet = comsDelay();
        printResult(what + ", after " + fixed(options_.longQuietSeconds, 0) + " s of quiet", afterQuiet, "ms",
                    kPlatform + ", one sample, stand-in log times, load average " + loadAfter);
    }

    // ---- busy room

    void measureBusy() {
        const std::size_t from = log_->refresh().size();
        besideOver("busy room, a line a second for " + fixed(options_.busySeconds, 0) + " s", options_.busySeconds + 2,
                   [&](long long until) {
                       for (int i = 0; nowMs() < until - 2000; ++i) {
                           standinCommand("say buddy\tbusy line " + std::to_string(i) + " with a few words in it");
                           sleepMs(1000);
                       }
                       sleepMs(until - nowMs());  // the last lines handled
                   });
        int said = 0;
        for (std::size_t i = from; i < log_->refresh().size(); ++i) {
            said += log_->entries()[i].kind == "said";
        }
        note("busy room: " + std::to_string(said) + " lines said");
    }

    // ---- the hung client

    HWND mainWindow() const {
        for (HWND window : topLevelWindows(kMainWindowClass, addOn_.id())) {
            if (captionOf(window) == kMainWindowCaption) {
                return window;
            }
        }
        return nullptr;
    }

    // The splash goes with Alt+F4 over it, as a user may close it; the bar comes up.
    // Only at the start: other windows of the add-on (the commands list) come later.
    bool showBar() {
        HWND bar = mainWindow();
        if (bar && IsWindowVisible(bar)) {
            return true;
        }
        HWND splash = visibleWindow(kMainWindowClass, addOn_.id(), 10, bar);
        if (!splash) {
            return false;
        }
        RECT r{};
        GetWindowRect(splash, &r);
        xdotool({"mousemove", std::to_string((r.left + r.right) / 2), std::to_string((r.top + r.bottom) / 2)});
        xdotool({"key", "alt+F4"});
        for (const long long deadline = nowMs() + 10000; nowMs() < deadline; sleepMs(50)) {
            if (bar && IsWindowVisible(bar)) {
                return true;
            }
        }
        return false;
    }

    void measureHangClick() {
        if (!inputAgentPresent()) {
            note("hang: no input agent (LANTERN_INPUT_AGENT), so no click; run through scripts/bench-win32.sh");
            return;
        }
        sleepMs(2000);  // the watcher polls the room
        const std::string load = loadAverage();
        if (!standinCommand("hang " + fixed(options_.hangSeconds, 0))) {
            fail("the stand-in refused to hang");
        }
        sleepMs(static_cast<long long>(options_.clickAfter * 1000));
        RECT bar{};
        GetWindowRect(mainWindow(), &bar);
        xdotool({"mousemove", std::to_string(bar.left + kArrow.x), std::to_string(bar.top + kArrow.y)});
        const long long clicked = nowMs();
        xdotool({"click", "1"});
        HWND menu = visibleWindow("#32768", addOn_.id(), options_.hangSeconds + 10);
        const long long up = nowMs();
        if (!menu) {
            note("hang: no menu came up");
        } else {
            printResult("the bar's arrow clicked " + fixed(options_.clickAfter, 0) + " s into a " +
                            fixed(options_.hangSeconds, 0) + " s hang of the client, to the menu up",
                        static_cast<double>(up - clicked), "ms",
                        kPlatform + ", xdotool click, one sample, this driver's clock, load average " + load);
            xdotool({"key", "Escape"});
        }
        xdotool({"mousemove", "1000", "750"});
        // A control command waits for the hang to end.
        standinCommand("type ");
        sleepMs(2000);
    }

    // ---- the long-line load

    struct Counters {
        unsigned long long seen = 0, delivered = 0, folded = 0;
        std::size_t waiting = 0, peak = 0;
        unsigned long long stalls = 0;
    };

    std::optional<Counters> readCounters() const {
        std::ifstream file(countersPath_);
        Counters c;
        if (!(file >> c.seen >> c.delivered >> c.folded >> c.waiting >> c.peak >> c.stalls)) {
            return std::nullopt;
        }
        return c;
    }

    std::string longLine(int number) const {
        if (options_.sameLines) {
            number = 0;
        }
        std::string text = "long line " + std::to_string(number) + ":";
        static const char* const words[] = {" lantern", " harbour", " quiet", " morning", " signal", " copper"};
        for (int i = 0; static_cast<int>(text.size()) < options_.longLineBytes; ++i) {
            text += words[(number + i) % 6];
        }
        text.resize(static_cast<std::size_t>(options_.longLineBytes));
        return text;
    }

    struct Command {
        std::string text;
        const char* word;
        long long postedMs = -1;
        std::size_t posted = 0;
        std::optional<long long> answerMs;
    };

    // The answers in the log, matched to the commands in order: an answer goes to the
    // first command of its kind not yet answered that came after the command of the
    // answer before (the add-on handles the user's lines one after the other, so a
    // command passed over is one that was never answered).
    void matchAnswers(std::vector<Command>& commands, std::size_t from) {
        for (Command& command : commands) {
            command.answerMs.reset();
        }
        std::size_t next = 0;
        const std::vector<LogEntry>& entries = log_->refresh();
        for (std::size_t i = from; i < entries.size(); ++i) {
            const LogEntry& e = entries[i];
            if (e.kind != "posted") {
                continue;
            }
            for (std::size_t c = next; c < commands.size(); ++c) {
                if (commands[c].postedMs >= 0 && commands[c].posted < i &&
                    e.fields.back().find(commands[c].word) != std::string::npos &&
                    e.fields.back() != commands[c].text) {
                    commands[c].answerMs = e.ms - commands[c].postedMs;
                    next = c + 1;
                    break;
                }
            }
        }
    }

    // The user types a command; its posted entry is looked for in the log.
    Command userCommand(const char* text, const char* word) {
        Command command{text, word};
        const std::size_t mark = log_->refresh().size();
        standinCommand(std::string("send ") + text);
        if (const std::optional<std::size_t> posted = log_->waitFor(
                mark, [&](const LogEntry& e) { return e.kind == "posted" && e.field(2) == command.text; }, kPatience)) {
            command.posted = *posted;
            command.postedMs = log_->entries()[*posted].ms;
        }
        return command;
    }

    bool allAnswered(std::vector<Command>& commands, std::size_t from) {
        matchAnswers(commands, from);
        return std::all_of(commands.begin(), commands.end(), [](const Command& c) { return c.answerMs.has_value(); });
    }

    // The counters once they have stayed the same for a second with nothing waiting;
    // the last ones read if they do not settle within the patience.
    std::optional<Counters> settledCounters() const {
        std::optional<Counters> last = readCounters();
        for (const long long deadline = nowMs() + static_cast<long long>(kPatience * 1000); nowMs() < deadline;) {
            sleepMs(1000);
            const std::optional<Counters> now = readCounters();
            if (now && last && now->seen == last->seen && now->delivered == last->delivered && now->waiting == 0) {
                return now;
            }
            last = now;
        }
        return last;
    }

    void measureLongLines() {
        countersPath_ = options_.logFolder + "\\counters.txt";
        DeleteFileA(countersPath_.c_str());
        startAddOn(benchProgram("bench_counting_addon.exe"), "\"" + countersPath_ + "\"");
        ChildProcess& addOn = addOn_;
        const std::size_t from = log_->refresh().size();
        const std::optional<Counters> before = settledCounters();
        const std::string loadBefore = loadAverage();
        const Reading usageBefore = reading();

        const char* const cycle[][2] = {
            {".coms", kCommandsWord}, {".idleon", kIdleOnWord}, {".coms", kCommandsWord}, {".idleoff", kIdleOffWord}};
        std::vector<Command> commands;
        std::vector<double> readMs, lengthMs;
        std::size_t smallest = SIZE_MAX, largest = 0;
        int said = 0, slowReads = 0;
        const long long start = nowMs();
        const double prefillSeconds = 150 / options_.longLineRate;  // 150 lines: 600 KB of 4 KB lines
        const long long commandsFrom = start + static_cast<long long>(prefillSeconds * 1000);
        const long long commandsUntil = commandsFrom + static_cast<long long>(options_.longLineSeconds * 1000);
        const long long waitUntil = commandsUntil + static_cast<long long>(options_.answerWait * 1000);
        long long nextCommand = commandsFrom, nextRead = commandsFrom;
        for (int line = 0;; ++line) {
            const long long now = nowMs();
            if (now >= waitUntil) {
                break;
            }
            standinCommand("say buddy" + std::to_string(options_.sameLines ? 0 : line % 5) + "\t" + longLine(line));
            ++said;
            if (now >= nextCommand && now < commandsUntil) {
                commands.push_back(userCommand(cycle[commands.size() % 4][0], cycle[commands.size() % 4][1]));
                nextCommand += static_cast<long long>(options_.commandEvery * 1000);
            }
            if (now >= nextRead) {
                if (HWND transcript = findTranscript()) {
                    const TimedRead read = timeRead(transcript);
                    if (read.answered) {
                        readMs.push_back(read.textMs);
                        lengthMs.push_back(read.lengthMs);
                        slowReads += read.lengthMs + read.textMs > kGlanceMs;
                        smallest = std::min(smallest, read.bytes);
                        largest = std::max(largest, read.bytes);
                    }
                }
                nextRead += 2000;
            }
            if (now >= commandsUntil && allAnswered(commands, from)) {
                break;
            }
            sleepMs(start + static_cast<long long>((line + 1) * 1000 / options_.longLineRate) - nowMs());
        }
        const Reading usageAfter = reading();
        const std::string load = loadBefore + " to " + loadAverage();
        // The lines stop; the watcher's count, once settled, against every line shown.
        const std::optional<Counters> after = settledCounters();
        const std::size_t shownUntil = log_->refresh().size();
        // ".end" last, once the room is quiet: its answer is the unload line.
        commands.push_back(userCommand(".end", kUnloadWord));
        addOn.waitForExit(kPatience);
        matchAnswers(commands, from);

        // Every command, for the person reading the output.
        std::vector<double> delays;
        int answered = 0;
        for (const Command& command : commands) {
            const double at = static_cast<double>(command.postedMs - start) / 1000;
            if (command.answerMs) {
                ++answered;
                delays.push_back(static_cast<double>(*command.answerMs));
                note(command.text + " at " + fixed(at) + " s: answered after " + std::to_string(*command.answerMs) +
                     " ms");
            } else {
                note(command.text + " at " + fixed(at) +
                     " s: " + (command.postedMs < 0 ? "not even posted" : "never answered"));
            }
        }
        const double seconds = static_cast<double>(usageAfter.ms - usageBefore.ms) / 1000;
        const std::string what = "long-line load (" + std::to_string(options_.longLineBytes) + " byte lines" +
                                 (options_.sameLines ? " all alike" : "") + ", " + fixed(options_.longLineRate, 0) +
                                 " a second)";
        const std::string method = kPlatform + ", bench_counting_addon.exe, " + fixed(seconds, 0) +
                                   " s, stand-in log times, load average " + load;
        printResult(what + ": the user's commands answered", answered, "of " + std::to_string(commands.size()), method);
        if (!delays.empty()) {
            const Summary summary = summarise(delays);
            printResult(what + ": the user's command to its answer posted, median", summary.median, "ms", method);
            printResult(what + ": the user's command to its answer posted, 95th percentile", summary.p95, "ms", method);
            printResult(what + ": the user's command to its answer posted, worst", summary.worst, "ms", method);
        }
        if (!readMs.empty()) {
            const Summary text = summarise(readMs);
            const Summary length = summarise(lengthMs);
            const std::string readMethod = kPlatform + ", this driver's own reads every 2 s (wide length, ANSI " +
                                           "WM_GETTEXT), " + std::to_string(text.count) + " reads";
            printResult(what + ": transcript size, smallest", static_cast<double>(smallest) / 1024, "KiB", readMethod);
            printResult(what + ": transcript size, largest", static_cast<double>(largest) / 1024, "KiB", readMethod);
            printResult(what + ": WM_GETTEXT of the transcript, median", text.median, "ms", readMethod);
            printResult(what + ": WM_GETTEXT of the transcript, worst", text.worst, "ms", readMethod);
            printResult(what + ": WM_GETTEXTLENGTH of the transcript, worst", length.worst, "ms", readMethod);
            printResult(what + ": reads (length and text) over the glance's 200 ms", slowReads,
                        "of " + std::to_string(text.count), readMethod);
        }
        if (before && after) {
            // Shown in the transcript meanwhile: the long lines, the user's lines and
            // the add-on's own.
            int shown = 0;
            for (std::size_t i = from; i < shownUntil; ++i) {
                shown += log_->entries()[i].kind == "said" || log_->entries()[i].kind == "posted";
            }
            const std::string counted = method + ", lines in the stand-in's log against the watcher's count";
            printResult(what + ": lines lost by the watcher", static_cast<double>(shown) - (after->seen - before->seen),
                        "of " + std::to_string(shown), counted);
            printResult(what + ": glances the client left unanswered",
                        static_cast<double>(after->stalls - before->stalls), "glances",
                        counted + " (each stops the watcher until the client answers a WM_NULL)");
            note("counting add-on: " + std::to_string(after->seen - before->seen) + " seen, " +
                 std::to_string(after->delivered - before->delivered) + " handed on, " +
                 std::to_string(after->folded - before->folded) + " folded, most waiting " +
                 std::to_string(after->peak) + "; " + std::to_string(said) + " long lines said");
        } else {
            note("the counting add-on's counters could not be read");
        }
        reportBeside(what, usageBefore, usageAfter, load);
    }

    Options options_;
    ChildProcess idleReference_;
    ChildProcess pollerReference_;
    std::string countersPath_;
};

Options parse(int argc, char** argv) {
    Options options;
    if (argc % 2 == 0) {
        fail(std::string(argv[argc - 1]) + " needs a value");
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
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
        } else if (name == "--log-folder") {
            options.logFolder = value;
        } else {
            fail("unknown option " + name);
        }
    }
    if (options.samples < 1 || options.quietSeconds <= 0 || options.longLineRate <= 0 || options.commandEvery <= 0 ||
        options.longLineBytes < 16) {
        fail("counts, rates and lengths must be positive");
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
