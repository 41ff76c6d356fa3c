#pragma once
// What the benchmarks of the real programs need: starting them, asking how much CPU
// time and memory they used (through Windows and, under Wine, through the Linux
// process behind them), handing commands to the stand-in client and reading its
// log as it grows.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lantern::bench {

// ---- time

// Milliseconds on the clock the stand-in writes into its log (GetTickCount64).
long long nowMs();
void sleepMs(long long milliseconds);

// ---- processes

struct CpuTimes {
    double user = 0;  // seconds
    double kernel = 0;  // seconds
    double total() const { return user + kernel; }
};

// What Linux says about the process behind a Wine process: CPU seconds (utime +
// stime of /proc/<pid>/stat) and resident memory (VmHWM, VmRSS and RssAnon, the
// part not backed by a file: the process's own private memory), read through Wine's
// Z: drive. Empty when the process was not found there (not under Wine).
struct LinuxUsage {
    double cpuSeconds = 0;
    long peakResidentKiB = 0;
    long residentKiB = 0;
    long anonymousKiB = 0;
};

// GetProcessMemoryInfo with PROCESS_MEMORY_COUNTERS_EX, KiB.
struct WindowsMemory {
    long workingSetKiB = 0;
    long peakWorkingSetKiB = 0;
    long privateKiB = 0;  // PrivateUsage
    long pagefileKiB = 0;  // PagefileUsage
};

// GetProcessMemoryInfo of any process (this one: GetCurrentProcess()).
WindowsMemory memoryOf(HANDLE process);

// A started program, killed when the object goes if it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs `exePath` with `arguments`; nullopt when CreateProcessA refused.
    static std::optional<ChildProcess> start(const std::string& exePath, const std::string& arguments = "");

    bool running() const;
    bool waitForExit(double seconds) const;
    void kill();
    DWORD id() const { return info_.dwProcessId; }
    const std::string& exePath() const { return exePath_; }

    // GetProcessTimes.
    CpuTimes cpu() const;
    // GetProcessMemoryInfo: the peak working set, KiB.
    long peakWorkingSetKiB() const;
    WindowsMemory memory() const;
    // /proc of the Linux process of this Wine prefix that runs an exe of this name.
    std::optional<LinuxUsage> linuxUsage() const;

private:
    PROCESS_INFORMATION info_{};  // owned: both handles are closed when the object goes
    std::string exePath_;
};

// The full path of a program built beside the benchmarks (`<build>/bin/<name>`).
std::string builtProgram(const std::string& exeName);
// The full path of another benchmark (`<build>/bench/<name>`).
std::string benchProgram(const std::string& exeName);

// This process's own CPU times (GetProcessTimes) and its Linux process's usage.
CpuTimes ownCpu();
std::optional<LinuxUsage> ownLinuxUsage();
// The wineserver of this Wine prefix, which does the work of every window call of
// every program in it: part of their cost that their own times do not show.
std::optional<LinuxUsage> wineserverUsage();

// ---- the stand-in client

// Hands one control command to the running stand-in; whether it was carried out.
bool standinCommand(const std::string& command);

struct LogEntry {
    long long ms = 0;
    std::string kind;  // "posted", "said", "input", ...
    std::vector<std::string> fields;  // the fields after the kind, unescaped
    std::string field(std::size_t i) const { return i < fields.size() ? fields[i] : std::string(); }
};

// The stand-in's log, read as it grows: every complete line is parsed once and kept.
class StandinLog {
public:
    explicit StandinLog(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads what was added since the last call; every entry so far.
    const std::vector<LogEntry>& refresh();
    const std::vector<LogEntry>& entries() const { return entries_; }

    // The index of the first entry at or after `from` that satisfies `match`,
    // waiting up to `seconds` for it; nullopt when it did not come.
    template <class Match>
    std::optional<std::size_t> waitFor(std::size_t from, Match match, double seconds);

private:
    std::string path_;
    std::uint64_t offset_ = 0;  // bytes of the file already parsed
    std::vector<LogEntry> entries_;
};

template <class Match>
std::optional<std::size_t> StandinLog::waitFor(std::size_t from, Match match, double seconds) {
    const long long deadline = nowMs() + static_cast<long long>(seconds * 1000);
    for (;;) {
        refresh();
        for (std::size_t i = from; i < entries_.size(); ++i) {
            if (match(entries_[i])) {
                return i;
            }
        }
        if (nowMs() >= deadline) {
            return std::nullopt;
        }
        sleepMs(5);
    }
}

// A log entry of this kind whose last field contains `text`.
inline auto entryOf(const std::string& kind, const std::string& text = "") {
    return [kind, text](const LogEntry& entry) {
        return entry.kind == kind &&
               (text.empty() || (!entry.fields.empty() && entry.fields.back().find(text) != std::string::npos));
    };
}

// ---- settings

// Deletes HKCU\Software\vx9, so a run starts from the default settings.
void deleteSettings();

}  // namespace lantern::bench
