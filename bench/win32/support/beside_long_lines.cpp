#include "bench/win32/support/beside_session.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "bench/support/summary.h"
#include "bench/win32/support/other_windows.h"
#include "bench/win32/support/transcript_window.h"

namespace lantern::bench::beside {
namespace {

constexpr const char* kUnloadWord = "unload";
// The watcher's glance gives up after this long (Patience::Glance).
constexpr double kGlanceMs = 200;

}  // namespace

std::optional<Session::Counters> Session::readCounters() const {
    std::ifstream file(countersPath_);
    Counters c;
    if (!(file >> c.seen >> c.delivered >> c.folded >> c.waiting >> c.peak >> c.stalls)) {
        return std::nullopt;
    }
    return c;
}

std::string Session::longLine(int number) const {
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

void Session::matchAnswers(std::vector<Command>& commands, std::size_t from) {
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
                e.fields.back().find(commands[c].word) != std::string::npos && e.fields.back() != commands[c].text) {
                commands[c].answerMs = e.ms - commands[c].postedMs;
                next = c + 1;
                break;
            }
        }
    }
}

Session::Command Session::userCommand(const char* text, const char* word) {
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

bool Session::allAnswered(std::vector<Command>& commands, std::size_t from) {
    matchAnswers(commands, from);
    return std::all_of(commands.begin(), commands.end(), [](const Command& c) { return c.answerMs.has_value(); });
}

std::optional<Session::Counters> Session::settledCounters() const {
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

void Session::measureLongLines() {
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
            note(command.text + " at " + fixed(at) + " s: answered after " + std::to_string(*command.answerMs) + " ms");
        } else {
            note(command.text + " at " + fixed(at) +
                 " s: " + (command.postedMs < 0 ? "not even posted" : "never answered"));
        }
    }
    const double seconds = static_cast<double>(usageAfter.ms - usageBefore.ms) / 1000;
    const std::string what = "long-line load (" + std::to_string(options_.longLineBytes) + " byte lines" +
                             (options_.sameLines ? " all alike" : "") + ", " + fixed(options_.longLineRate, 0) +
                             " a second)";
    const std::string method =
        kPlatform + ", bench_counting_addon.exe, " + fixed(seconds, 0) + " s, stand-in log times, load average " + load;
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
        printResult(what + ": glances the client left unanswered", static_cast<double>(after->stalls - before->stalls),
                    "glances", counted + " (each stops the watcher until the client answers a WM_NULL)");
        note("counting add-on: " + std::to_string(after->seen - before->seen) + " seen, " +
             std::to_string(after->delivered - before->delivered) + " handed on, " +
             std::to_string(after->folded - before->folded) + " folded, most waiting " + std::to_string(after->peak) +
             "; " + std::to_string(said) + " long lines said");
    } else {
        note("the counting add-on's counters could not be read");
    }
    reportBeside(what, usageBefore, usageAfter, load);
}

}  // namespace lantern::bench::beside
