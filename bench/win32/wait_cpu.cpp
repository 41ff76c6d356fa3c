// What a pause costs in CPU time on the real Windows backend, beside what the same
// pause would cost as a spinning loop, measured one after the other in one run:
//   wait  - the backend's waitForEvents, called until N seconds have passed, as
//           every pause of the program does;
//   spin  - a PeekMessage loop that runs pending messages until N seconds have
//           passed, the way a pause that spins would.
// CPU time is read twice: by GetProcessTimes, and (under Wine) from /proc of the
// Linux process that runs this exe. Under Wine every message call is partly done by
// the wineserver, so its CPU time in each phase is shown beside.
//
//   bench_wait_cpu.exe [seconds per phase, default 10]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/support/summary.h"
#include "bench/win32/support/wine_session.h"
#include "platform/win32/win32_platform.h"

namespace lantern::bench {
namespace {

struct Phase {
    double wallSeconds = 0;
    double cpuSeconds = 0;  // GetProcessTimes
    double linuxCpuSeconds = -1;  // /proc, when found
    double serverCpuSeconds = -1;  // the wineserver's, when found
};

double cpuChange(const std::optional<LinuxUsage>& before, const std::optional<LinuxUsage>& after) {
    return before && after ? after->cpuSeconds - before->cpuSeconds : -1;
}

template <class Body>
Phase measure(Body body) {
    const CpuTimes cpuBefore = ownCpu();
    const std::optional<LinuxUsage> linuxBefore = ownLinuxUsage();
    const std::optional<LinuxUsage> serverBefore = wineserverUsage();
    const long long started = nowMs();
    body();
    Phase phase;
    phase.wallSeconds = static_cast<double>(nowMs() - started) / 1000;
    phase.cpuSeconds = ownCpu().total() - cpuBefore.total();
    phase.linuxCpuSeconds = cpuChange(linuxBefore, ownLinuxUsage());
    phase.serverCpuSeconds = cpuChange(serverBefore, wineserverUsage());
    return phase;
}

void report(const std::string& name, const Phase& phase, const std::string& seconds) {
    std::printf("%s: %.2f s of wall time, %.3f CPU s by GetProcessTimes, %.3f CPU s by /proc, wineserver %.3f CPU s\n",
                name.c_str(), phase.wallSeconds, phase.cpuSeconds, phase.linuxCpuSeconds, phase.serverCpuSeconds);
    printResult("CPU during a " + seconds + " s " + name + ", GetProcessTimes", phase.cpuSeconds, "CPU s",
                "Win32 under Wine, bench_wait_cpu.exe");
    if (phase.linuxCpuSeconds >= 0) {
        printResult("CPU during a " + seconds + " s " + name + ", /proc", phase.linuxCpuSeconds, "CPU s",
                    "Win32 under Wine, bench_wait_cpu.exe, utime+stime of the wine process");
    }
    if (phase.serverCpuSeconds >= 0) {
        printResult("wineserver CPU during a " + seconds + " s " + name, phase.serverCpuSeconds, "CPU s",
                    "Win32 under Wine, bench_wait_cpu.exe, utime+stime of the prefix's wineserver");
    }
}

int benchmark(double seconds) {
    std::unique_ptr<Win32Platform> windows = makeWin32Platform(GetModuleHandleA(nullptr));
    EventLoop& events = windows->platform().events;
    const auto deadline = [seconds] { return nowMs() + static_cast<long long>(seconds * 1000); };

    const long passesBefore = windows->eventPasses();
    const Phase wait = measure([&] {
        const long long end = deadline();
        for (long long now = nowMs(); now < end; now = nowMs()) {
            events.waitForEvents(static_cast<double>(end - now) / 1000);
        }
    });
    const long passes = windows->eventPasses() - passesBefore;

    const Phase spin = measure([&] {
        const long long end = deadline();
        MSG message;
        while (nowMs() < end) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    });

    const std::string length = std::to_string(static_cast<int>(seconds));
    report("pause (waitForEvents)", wait, length);
    note("the pause ran pending events " + std::to_string(passes) + " times");
    report("spinning pause (PeekMessage loop)", spin, length);
    return 0;
}

}  // namespace
}  // namespace lantern::bench

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: %s [seconds per phase]\n", argv[0]);
        return 2;
    }
    return lantern::bench::benchmark(seconds);
}
