#include "bench/win32/support/beside_session.h"

#include <cstdio>
#include <fstream>

#include "bench/support/summary.h"
#include "bench/win32/support/input_agent.h"

namespace lantern::bench::beside {

std::string loadAverage() {
    std::ifstream file("Z:\\proc\\loadavg");
    std::string one;
    file >> one;
    return one.empty() ? "?" : one;
}

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void Session::run() {
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
    // Before the add-on, which then takes the focus from it as it would from any window.
    floorReference_ = startOrFail(benchProgram("bench_floor_reference.exe"));
    startAddOn(builtProgram("lantern-idle.exe"));
    // The splash goes first, while it is the add-on's only window shown.
    if (options_.has("hang") && inputAgentPresent() && !showBar()) {
        fail("the bar did not come up");
    }
    for (int i = 0; i < options_.history; ++i) {
        standinCommand("say buddy\thistory line " + std::to_string(i));
    }
    if (options_.history > 0) sleepMs(2000);
    if (options_.has("quiet")) measureQuiet();
    if (options_.has("latency")) measureLatency();
    if (options_.has("busy")) measureBusy();
    if (options_.has("hang")) measureHangClick();
    if (options_.has("longlines")) {
        endAddOn();
        measureLongLines();
    }
    addOn_.kill();
    floorReference_.kill();
    pollerReference_.kill();
    idleReference_.kill();
    standin_.kill();
    note("load average at the end: " + loadAverage());
}

ChildProcess Session::startOrFail(const std::string& exePath, const std::string& arguments) {
    std::optional<ChildProcess> started = ChildProcess::start(exePath, arguments);
    if (!started) {
        fail(exePath + " did not start");
    }
    return std::move(*started);
}

void Session::startStandin() {
    // The stand-in's default byte limit, or the one asked for.
    ProgramsSession::startStandin(options_.textLimit >= 0 ? "--text-limit " + std::to_string(options_.textLimit) : "");
}

void Session::switchIdle(const char* command, const char* word) {
    waitForLineSent(answer(userSends(command), word));
    sleepMs(1000);
}

std::vector<Program> Session::programs() {
    return {{"stand-in", &standin_},
            {"add-on", &addOn_},
            {"idle reference", &idleReference_},
            {"poller reference", &pollerReference_},
            {"library floor", &floorReference_}};
}

Reading Session::reading() {
    Reading now;
    now.ms = nowMs();
    for (const Program& program : programs()) {
        now.linux.push_back(program.process->linuxUsage());
        now.memory.push_back(program.process->memory());
    }
    now.server = wineserverUsage();
    return now;
}

void Session::reportBeside(const std::string& what, const Reading& before, const Reading& after,
                           const std::string& load) {
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

}  // namespace lantern::bench::beside
