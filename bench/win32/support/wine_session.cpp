#include "bench/win32/support/wine_session.h"

#include <psapi.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "standin/model/record.h"
#include "standin/win32/control_window.h"

namespace lantern::bench {

namespace {

double seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;  // 100 ns units
}

CpuTimes cpuOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return {};
    }
    return {seconds(user), seconds(kernel)};
}

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The ordinary clock tick of Linux's /proc/<pid>/stat.
constexpr double kClockTicksPerSecond = 100;

// utime and stime, the 14th and 15th fields; the second field (the command) may
// hold spaces, so the count starts after its closing parenthesis.
double statCpuSeconds(const std::string& stat) {
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    double ticks = 0;
    for (int number = 3; fields >> field && number <= 15; ++number) {
        if (number == 14 || number == 15) {
            ticks += std::atof(field.c_str());
        }
    }
    return ticks / kClockTicksPerSecond;
}

long statusKiB(const std::string& status, const std::string& name) {
    const std::size_t at = status.find("\n" + name + ":");
    return at == std::string::npos ? 0 : std::atol(status.c_str() + at + name.size() + 2);
}

LinuxUsage usageOf(const std::string& procFolder) {
    LinuxUsage usage;
    usage.cpuSeconds = statCpuSeconds(readWholeFile(procFolder + "\\stat"));
    const std::string status = readWholeFile(procFolder + "\\status");
    usage.peakResidentKiB = statusKiB(status, "VmHWM");
    usage.residentKiB = statusKiB(status, "VmRSS");
    usage.anonymousKiB = statusKiB(status, "RssAnon");
    return usage;
}

std::string lowerCase(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The line "WINEPREFIX=..." of a process's environment, "" when it has none.
std::string prefixOf(const std::string& procFolder) {
    const std::string environment = readWholeFile(procFolder + "\\environ");
    for (std::size_t start = 0; start < environment.size();) {
        std::size_t end = environment.find('\0', start);
        if (end == std::string::npos) {
            end = environment.size();
        }
        if (environment.compare(start, 11, "WINEPREFIX=") == 0) {
            return environment.substr(start, end - start);
        }
        start = end + 1;
    }
    return "";
}

// The /proc folder (seen through Z:) of the first Linux process of this Wine prefix
// whose program, the first word of its command line, satisfies `isProgram`. Other
// prefixes on the machine run programs of the same names.
template <class IsProgram>
std::optional<std::string> linuxProcFolder(IsProgram isProgram) {
    const std::string ownPrefix = prefixOf("Z:\\proc\\self");
    if (ownPrefix.empty()) {
        return std::nullopt;
    }
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<std::string> folder;
    do {
        const std::string name = found.cFileName;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string candidate = "Z:\\proc\\" + name;
        const std::string commandLine = readWholeFile(candidate + "\\cmdline");
        if (isProgram(lowerCase(commandLine.substr(0, commandLine.find('\0')))) && prefixOf(candidate) == ownPrefix) {
            folder = candidate;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return folder;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::optional<LinuxUsage> usageOfProgram(const std::string& exePath) {
    const std::string exeName = lowerCase(exePath.substr(exePath.find_last_of("\\/") + 1));
    const std::optional<std::string> folder =
        linuxProcFolder([&](const std::string& program) { return endsWith(program, exeName); });
    if (!folder) {
        return std::nullopt;
    }
    return usageOf(*folder);
}

}  // namespace

// ---- time

long long nowMs() { return static_cast<long long>(GetTickCount64()); }

void sleepMs(long long milliseconds) { Sleep(static_cast<DWORD>(milliseconds > 0 ? milliseconds : 0)); }

// ---- processes

ChildProcess::~ChildProcess() { kill(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : info_(other.info_), exePath_(std::move(other.exePath_)) {
    other.info_ = {};
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        kill();
        info_ = other.info_;
        exePath_ = std::move(other.exePath_);
        other.info_ = {};
    }
    return *this;
}

std::optional<ChildProcess> ChildProcess::start(const std::string& exePath, const std::string& arguments) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    ChildProcess process;
    process.exePath_ = exePath;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process.info_)) {
        return std::nullopt;
    }
    return process;
}

bool ChildProcess::running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool ChildProcess::waitForExit(double seconds) const {
    return !info_.hProcess || WaitForSingleObject(info_.hProcess, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
}

void ChildProcess::kill() {
    if (running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    if (info_.hThread) {
        CloseHandle(info_.hThread);
    }
    if (info_.hProcess) {
        CloseHandle(info_.hProcess);
    }
    info_ = {};
}

CpuTimes ChildProcess::cpu() const { return cpuOf(info_.hProcess); }

long ChildProcess::peakWorkingSetKiB() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof counters)) {
        return 0;
    }
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

WindowsMemory memoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        return {};
    }
    return {static_cast<long>(counters.WorkingSetSize / 1024), static_cast<long>(counters.PeakWorkingSetSize / 1024),
            static_cast<long>(counters.PrivateUsage / 1024), static_cast<long>(counters.PagefileUsage / 1024)};
}

WindowsMemory ChildProcess::memory() const { return memoryOf(info_.hProcess); }

std::optional<LinuxUsage> ChildProcess::linuxUsage() const { return usageOfProgram(exePath_); }

std::string ownFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return directoryOf(self);
}

std::string fullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    return GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr) ? std::string(full) : path;
}

// The benchmarks live in <build>/bench, the programs in <build>/bin.
std::string builtProgram(const std::string& exeName) {
    return fullPath(directoryOf(ownFolder()) + "\\bin\\" + exeName);
}

std::string benchProgram(const std::string& exeName) { return fullPath(ownFolder() + "\\" + exeName); }

CpuTimes ownCpu() { return cpuOf(GetCurrentProcess()); }

std::optional<LinuxUsage> ownLinuxUsage() {
    if (GetFileAttributesA("Z:\\proc\\self\\stat") == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return usageOf("Z:\\proc\\self");
}

std::optional<LinuxUsage> wineserverUsage() {
    const std::optional<std::string> folder =
        linuxProcFolder([](const std::string& program) { return program.find("wineserver") != std::string::npos; });
    if (!folder) {
        return std::nullopt;
    }
    return usageOf(*folder);
}

// ---- the stand-in client

bool standinCommand(const std::string& command) { return standin::win32::sendCommand(command) == 0; }

const std::vector<LogEntry>& StandinLog::refresh() {
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return entries_;
    }
    file.seekg(static_cast<std::streamoff>(offset_));
    std::stringstream added;
    added << file.rdbuf();
    const std::string text = added.str();
    std::size_t start = 0;
    // A half-written last line is left for the next call.
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> fields;
        const std::string line = text.substr(start, end - start);
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            fields.push_back(standin::unescapeFromLog(line.substr(from, tab == std::string::npos ? tab : tab - from)));
            if (tab == std::string::npos) {
                break;
            }
            from = tab + 1;
        }
        if (fields.size() < 2) {
            continue;
        }
        LogEntry entry;
        entry.ms = std::atoll(fields[0].c_str());
        entry.kind = fields[1];
        entry.fields.assign(fields.begin() + 2, fields.end());
        entries_.push_back(std::move(entry));
    }
    offset_ += start;
    return entries_;
}

// ---- settings

void deleteSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\vx9"); }

}  // namespace lantern::bench
