// What the program's everyday work costs in real CPU time, on the simulated desktop
// against the stand-in client (virtual time, so an hour takes a moment):
//   sendChat      one line typed into the room and sent, on its own
//   quiet hour    the whole program for an hour in a quiet room, idling off: what
//                 watching the room costs when nothing happens
//   idle tick     the same hour with idling on, less the quiet hour, per tick
//   memory        resident memory after an hour of idling and after a day of it
//   auto-idle     what one check of the automatic idle switch reads, once a second:
//                 the setting from the registry and the time since the last input
// The desktop's and the stand-in's records are emptied every virtual minute, so
// that they do not count as the program's memory.
//
//   bench_app_costs [hours of idling for the memory figure, default 24]

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/app.h"
#include "bench/support/process_usage.h"
#include "bench/support/sim_scene.h"
#include "bench/support/summary.h"
#include "client/client.h"
#include "style/settings.h"
#include "ui/auto_idle.h"

namespace lantern::bench {
namespace {

constexpr int kSends = 2000;
constexpr double kHour = 3600;
constexpr double kClearEvery = 60;

const std::string kMethod = "sim, CPU via CLOCK_PROCESS_CPUTIME_ID";

// The program started against the stand-in, its splash clicked away, settled.
class RunningApp {
public:
    RunningApp() : app_(scene_.platform) {
        scene_.clearRecordsEvery(kClearEvery);
        scene_.desktop.run([this] { app_.start(); });
        if (Window* splash = scene_.desktop.form("frmSplash")) {
            if (Control* picture = splash->control("Image1")) {
                scene_.desktop.click(*picture);
            }
        }
        scene_.desktop.runFor(10);
    }

    void userTypes(const std::string& line) {
        scene_.client.send(line);
        scene_.desktop.runFor(5);
    }

    // CPU seconds for `seconds` of virtual time.
    double cpuFor(double seconds) {
        const double before = processCpuSeconds();
        scene_.desktop.runFor(seconds);
        return processCpuSeconds() - before;
    }

    // Heap in use with the harness's records empty: the program and the stand-in
    // (whose transcript keeps 150 to 200 lines).
    long heapKiB() {
        scene_.clearRecords();
        return heapInUseKiB();
    }

    SimScene& scene() { return scene_; }

private:
    SimScene scene_;
    App app_;
};

void measureSendChat() {
    SimScene scene;
    Client client(scene.platform);
    const std::string line =
        "<font face=\"Arial\"><font color=#FF0000><b>i</b><font color=#0000FF>dle: 1 hour, 2 minutes";
    std::size_t messages = 0;
    double cpu = 0;
    scene.desktop.run([&] {
        client.sendChat(line);  // the first one finds everything cold
        messages = scene.desktop.messages().size();
        const double before = processCpuSeconds();
        for (int i = 0; i < kSends; ++i) {
            client.sendChat(line);
            scene.clearRecords();
        }
        cpu = processCpuSeconds() - before;
    });
    note("one sendChat sends " + std::to_string(messages) + " messages to the client's windows");
    printResult("sendChat, CPU per line", cpu / kSends * 1e6, "us",
                kMethod + ", mean of " + std::to_string(kSends) + " lines");
}

void measureAutoIdleCheck() {
    constexpr int kChecks = 100000;
    SimScene scene;
    scene.desktop.setRegistryValue(kSettingsKey, kAutoIdleSetting, reg::Sz, "10");
    double away = 0;
    int on = 0;
    const double before = processCpuSeconds();
    for (int i = 0; i < kChecks; ++i) {
        away += scene.platform.events.secondsSinceInput();
        on += autoIdleMinutes(readSetting(scene.platform.registry, kSettingsKey, kAutoIdleSetting)).has_value();
    }
    const double cpu = processCpuSeconds() - before;
    note("checks that found the setting on: " + std::to_string(on) + " (away " + std::to_string(away > 0) + ")");
    printResult("automatic idle check, CPU per check (one a second)", cpu / kChecks * 1e6, "us",
                kMethod + ", mean of " + std::to_string(kChecks) + " setting reads and input times");
}

void measureHours(int memoryHours) {
    RunningApp quiet;
    const double quietCpu = quiet.cpuFor(kHour);
    printResult("quiet room, idling off, CPU per hour", quietCpu * 1e3, "ms",
                kMethod + ", the whole program for one virtual hour");

    RunningApp idling;
    idling.userTypes(".idleon");
    const long residentBefore = residentKiB();
    const std::uint64_t postedBefore = idling.scene().posted;
    const double idleCpu = idling.cpuFor(kHour);
    const long residentAfterHour = residentKiB();
    const long heapAfterHour = idling.heapKiB();
    note("idle lines posted in the hour: " + std::to_string(idling.scene().posted - postedBefore));
    const double tickCpu = (idleCpu - quietCpu) / 60;
    printResult("idle tick, CPU per tick", tickCpu * 1e6, "us",
                kMethod + ", (an hour idling on - an hour idling off) / 60 ticks");
    printResult("quiet room, idling on, CPU per hour", idleCpu * 1e3, "ms", kMethod);

    // Whatever settles in at first, a leak keeps growing in the second half.
    idling.cpuFor(kHour * (memoryHours / 2 - 1));
    const long residentAtHalf = residentKiB();
    const long heapAtHalf = idling.heapKiB();
    idling.cpuFor(kHour * memoryHours / 2);
    const long residentAtEnd = residentKiB();
    const long heapAtEnd = idling.heapKiB();
    const std::string half = std::to_string(memoryHours / 2);
    note("resident: " + std::to_string(residentBefore) + " KiB after start-up, " + std::to_string(residentAfterHour) +
         " KiB after an hour of idling, " + std::to_string(residentAtHalf) + " KiB after " + half + " hours, " +
         std::to_string(residentAtEnd) + " KiB after " + std::to_string(memoryHours) + " hours");
    note("heap in use: " + std::to_string(heapAfterHour) + " KiB after an hour, " + std::to_string(heapAtHalf) +
         " KiB after " + half + " hours, " + std::to_string(heapAtEnd) + " KiB at the end");
    const std::string memoryMethod = "sim, VmRSS of the bench process (program, desktop and stand-in)";
    printResult("resident memory after an hour of idling", static_cast<double>(residentAfterHour), "KiB", memoryMethod);
    printResult("resident memory growth over the second half of " + std::to_string(memoryHours) + " hours of idling",
                static_cast<double>(residentAtEnd - residentAtHalf), "KiB", memoryMethod);
    printResult("heap in use after " + std::to_string(memoryHours) + " hours of idling", static_cast<double>(heapAtEnd),
                "KiB", "sim, mallinfo2 of the bench process, records emptied");
    printResult("heap in use, growth over the second half of " + std::to_string(memoryHours) + " hours of idling",
                static_cast<double>(heapAtEnd - heapAtHalf), "KiB",
                "sim, mallinfo2 of the bench process, records emptied");
    printResult("peak memory of the bench process", static_cast<double>(peakResidentKiB()), "KiB",
                "sim, VmHWM of the bench process");
}

}  // namespace
}  // namespace lantern::bench

int main(int argc, char** argv) {
    const int hours = argc > 1 ? std::atoi(argv[1]) : 24;
    if (hours < 2) {
        std::fprintf(stderr, "usage: %s [hours of idling, at least 2]\n", argv[0]);
        return 2;
    }
    lantern::bench::measureSendChat();
    lantern::bench::measureAutoIdleCheck();
    lantern::bench::measureHours(hours);
    return 0;
}
