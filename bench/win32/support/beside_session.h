#pragma once
// The session of bench_beside_references.exe: the stand-in, the add-on and the three
// reference programs run together, and the phases that measure each beside the
// others (what each phase does is told in bench/win32/beside_references.cpp).
//   beside_session.cpp    the programs, their readings and the figures beside
//   beside_phases.cpp     the quiet room, the latency, the busy room, the hung client
//   beside_long_lines.cpp the long-line load

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "bench/win32/support/programs_session.h"
#include "bench/win32/support/wine_session.h"

namespace lantern::bench::beside {

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
    // Lines another member says before the measures begin: a room with history, whose
    // transcript fills its view and scrolls on to each new line (0: a fresh room).
    int history = 40;
    std::string logFolder = "bench-logs";
    bool has(const std::string& phase) const {
        return ("," + phases + ",").find("," + phase + ",") != std::string::npos;
    }
};

inline const std::string kPlatform = std::string("Win32 under Wine, ") + (sizeof(void*) == 4 ? "i686" : "x86_64");
inline constexpr const char* kIdleOnWord = "idl\xE8 on";
inline constexpr const char* kIdleOffWord = "idl\xE8 off";
inline constexpr const char* kCommandsWord = "iewing";

// The load average of the machine (its first figure), "?" if it cannot be read.
std::string loadAverage();
std::string fixed(double value, int decimals = 1);

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

    void run();

private:
    // ---- the programs (beside_session.cpp)

    static ChildProcess startOrFail(const std::string& exePath, const std::string& arguments = "");
    void startStandin();
    void switchIdle(const char* command, const char* word);
    std::vector<Program> programs();
    Reading reading();
    // CPU of each program (and the wineserver) between two readings, and their
    // memory now, each beside the others.
    void reportBeside(const std::string& what, const Reading& before, const Reading& after, const std::string& load);

    // Runs `during` for `seconds` and reports every program's usage over it.
    template <class During>
    void besideOver(const std::string& what, double seconds, During during) {
        const std::string loadBefore = loadAverage();
        const Reading before = reading();
        during(nowMs() + static_cast<long long>(seconds * 1000));
        const Reading after = reading();
        reportBeside(what, before, after, loadBefore + " to " + loadAverage());
    }

    // ---- quiet room, latency, busy room, the hung client (beside_phases.cpp)

    void measureQuiet();
    // One ".coms": to the add-on's first message to the input box, ms.
    double comsDelay();
    void measureLatency();
    void measureBusy();
    HWND mainWindow() const;
    // The splash goes with Alt+F4 over it, as a user may close it; the bar comes up.
    // Only at the start: other windows of the add-on (the commands list) come later.
    bool showBar();
    void measureHangClick();

    // ---- the long-line load (beside_long_lines.cpp)

    struct Counters {
        unsigned long long seen = 0, delivered = 0, folded = 0;
        std::size_t waiting = 0, peak = 0;
        unsigned long long stalls = 0;
    };

    struct Command {
        std::string text;
        const char* word;
        long long postedMs = -1;
        std::size_t posted = 0;
        std::optional<long long> answerMs;
    };

    std::optional<Counters> readCounters() const;
    std::string longLine(int number) const;
    // The answers in the log, matched to the commands in order: an answer goes to the
    // first command of its kind not yet answered that came after the command of the
    // answer before (the add-on handles the user's lines one after the other, so a
    // command passed over is one that was never answered).
    void matchAnswers(std::vector<Command>& commands, std::size_t from);
    // The user types a command; its posted entry is looked for in the log.
    Command userCommand(const char* text, const char* word);
    bool allAnswered(std::vector<Command>& commands, std::size_t from);
    // The counters once they have stayed the same for a second with nothing waiting;
    // the last ones read if they do not settle within the patience.
    std::optional<Counters> settledCounters() const;
    void measureLongLines();

    Options options_;
    ChildProcess idleReference_;
    ChildProcess pollerReference_;
    ChildProcess floorReference_;
    std::string countersPath_;
};

}  // namespace lantern::bench::beside
