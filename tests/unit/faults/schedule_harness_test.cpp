// The schedule runner itself: its watchdog stops a run that goes on too long, and
// a seed replays the very same run.

#include <gtest/gtest.h>

#include <sstream>

#include "fault_schedule.h"

namespace lantern::faults {
namespace {

constexpr std::uint64_t kSeed = 3;

bool anyContains(const std::vector<std::string>& problems, const std::string& words) {
    for (const std::string& problem : problems) {
        if (problem.find(words) != std::string::npos) return true;
    }
    return false;
}

TEST(FaultScheduleWatchdog, StopsARunThatGoesOnPastItsBound) {
    struct Case {
        const char* what;
        Watchdog limits;
        const char* says;
    };
    const Case cases[] = {
        {"an operation (a chat line takes more than a second)", {.operationSeconds = 0.5}, "one operation has run"},
        {"calls into the platform", {.calls = 2000}, "calls into the platform"},
        {"virtual time (the recovery takes more than a second)", {.overrunSeconds = 1}, "past the end of the schedule"},
    };
    for (const Case& c : cases) {
        FaultSchedule schedule(kSeed, nullptr, c.limits);
        const std::vector<std::string> problems = schedule.run();
        EXPECT_TRUE(anyContains(problems, c.says)) << c.what;
    }
    // With the usual bounds the same schedule runs clean.
    EXPECT_EQ(FaultSchedule(kSeed).run(), std::vector<std::string>{});
}

TEST(FaultScheduleReplay, TheSameSeedReplaysTheSameRun) {
    std::ostringstream first, second;
    FaultSchedule(kSeed, &first).run();
    FaultSchedule(kSeed, &second).run();
    EXPECT_EQ(first.str(), second.str());
    EXPECT_NE(first.str().find("fault: "), std::string::npos) << "a schedule with faults in it";
    std::ostringstream other;
    FaultSchedule(kSeed + 1, &other).run();
    EXPECT_NE(first.str(), other.str());
}

}  // namespace
}  // namespace lantern::faults
