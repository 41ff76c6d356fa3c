#pragma once
// One seeded fault schedule: lantern-idle runs against the stand-in chat client on
// the simulated desktop for a few virtual minutes while the user types a handful
// of commands and other people talk, and the client changes under the add-on's
// feet at random moments: before any of its window lookups, sends or waits, and at
// random times during its pauses. Rooms close and open, windows come to the top,
// the user signs off and on, transfers start and stop, captions change, the client
// hangs for up to 30 seconds, floods trim the transcript, the client quits and
// starts again. Then the faults stop, the client is put back in order, and the
// user's ".idleon" must still bring an idle line within the minute.
//
// The same seed gives the same schedule, so a failure can be replayed with a trace.

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/sim/desktop.h"
#include "seeded_random.h"
#include "standin/sim/sim_standin.h"
#include "watched_seams.h"

namespace lantern::faults {

// What a schedule is made of, drawn from its seed.
struct ScheduleSettings {
    double faultChance = 0;      // before each call of the add-on into a seam
    int faultBudget = 0;         // faults at most, all kinds together
    int timedFaults = 0;         // faults at random moments of the fault phase
    double faultPhase = 0;       // virtual seconds from the start
    double timeOfDay = 0;        // at the start, seconds since midnight
    standin::Options client;
    std::string halfTyped;  // in the input box at the start, never sent; "" for none
    struct Line {
        double at = 0;
        std::string author;  // "" for the signed-on user
        std::string text;
    };
    std::vector<Line> lines;  // in time order

    static ScheduleSettings draw(SeededRandom& random);
};

// Bounds past which a run counts as hung.
struct Watchdog {
    double operationSeconds = 300;  // one timer tick of the add-on, nested ticks included
    double overrunSeconds = 600;    // past the end of the schedule's own timeline
    long calls = 3'000'000;         // calls into the seams in one schedule
};

class FaultSchedule final : private SeamObserver {
public:
    // `trace`, when given, receives one line per thing that happens.
    explicit FaultSchedule(std::uint64_t seed, std::ostream* trace = nullptr, Watchdog watchdog = {});
    ~FaultSchedule() override;
    FaultSchedule(const FaultSchedule&) = delete;
    FaultSchedule& operator=(const FaultSchedule&) = delete;

    // Runs the schedule and checks it; the problems found, empty when none.
    std::vector<std::string> run();

    const ScheduleSettings& settings() const { return settings_; }
    int faultsInjected() const { return faultsInjected_; }
    // Faults by where they struck: "<operation> / <call>", e.g. "chat line / send".
    const std::map<std::string, int>& faultPlaces() const { return faultPlaces_; }
    double longestOperation() const { return longestOperation_; }
    // How much the checks had to judge: carriage returns that reached a window,
    // and lines the add-on posted.
    int returnsJudged() const { return returnsJudged_; }
    int linesJudged() const { return linesJudged_; }

private:
    struct Stop {
        std::string why;
    };
    enum class Fault {
        CloseRoom, RecreateRoom, OpenRoom, RaiseWindow, CloseWindow, SignOff, SignOn, StartTransfer, StopTransfer,
        TransferProgress, ChangeCaption, Hang, Flood, QuitClient, StartClient, OpenKeywordWindow,
    };

    // ---- SeamObserver
    void beforeCall(const SeamCall& call) override;
    void operationBegins(const Timer& timer) override;
    void operationEnds() override;
    void programEnds() override;

    // ---- the client, and what happens to it
    void startClient(bool signedOn);
    void quitClient();
    void injectFault(const char* call);
    const char* runningOperation() const;
    double weightOfNow() const;  // of the fault chance, by the operation running
    void applyFault(Fault fault);
    WindowHandle randomClientWindow();
    bool userTypes(const std::string& text);
    void otherSays(const std::string& author, const std::string& text);

    // ---- the run
    void schedule();
    void recover();
    void putClientInOrder();
    void waitUntilSettled();
    void checkRecovery(double typedAt);
    void checkPostedLines();
    std::vector<standin::Event> allEvents();
    void problem(const std::string& what);
    void trace(const std::string& what);

    std::uint64_t seed_;
    SeededRandom random_;
    ScheduleSettings settings_;
    Watchdog watchdog_;
    std::ostream* trace_;  // not owned; may be null

    sim::Desktop desktop_;
    std::optional<standin::SimStandin> client_;
    std::vector<standin::Event> pastEvents_;  // the records of clients that quit
    WatchedWindows windows_{desktop_.windows(), *this};
    WatchedEvents events_{desktop_.events(), *this};
    WatchedToolkit toolkit_{desktop_.toolkit(), *this};
    Platform platform_{windows_, desktop_.registry(), events_, toolkit_};
    std::unique_ptr<App> app_;

    bool armed_ = false;     // faults may happen
    bool finished_ = false;  // the run is over: no more checks or stops
    int faultsInjected_ = 0;
    std::map<std::string, int> faultPlaces_;
    int hangsLeft_ = 3;
    double hangsEnd_ = 0;
    long calls_ = 0;
    bool startingUp_ = false;
    std::vector<const Timer*> operations_;  // the timers whose ticks are running, innermost last
    double operationStart_ = 0;       // of the outermost one
    double longestOperation_ = 0;
    int returnsJudged_ = 0;
    int linesJudged_ = 0;
    double lastWaitingOperationEnd_ = 0;  // the last operation that let time pass
    std::optional<double> endedAt_;
    double deadline_ = 0;

    struct Typed {
        double at;
        std::string text;
    };
    std::vector<Typed> typed_;  // what the user typed and the client posted
    std::vector<std::string> problems_;
};

}  // namespace lantern::faults
