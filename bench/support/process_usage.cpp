#include "bench/support/process_usage.h"

#include <malloc.h>

#include <ctime>
#include <fstream>
#include <string>

namespace lantern::bench {

namespace {

// One "Name:   1234 kB" line of /proc/self/status; -1 when it is missing.
long statusKiB(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) == 0) {
            return std::stol(line.substr(name.size() + 1));
        }
    }
    return -1;
}

}  // namespace

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

long peakResidentKiB() { return statusKiB("VmHWM"); }

long residentKiB() { return statusKiB("VmRSS"); }

long heapInUseKiB() { return static_cast<long>(mallinfo2().uordblks / 1024); }

}  // namespace lantern::bench
