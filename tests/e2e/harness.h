#pragma once
// Drives the real programs under Wine; each wait has a deadline.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "standin/model/record.h"
#include "support/traffic.h"

namespace lantern::e2e {

inline constexpr const char* kMainWindowClass = "LanternForm";
inline constexpr const char* kControlClass = "LanternStandinControl";
inline constexpr const char* kFrameClass = "AOL Frame25";
inline constexpr const char* kSettingsKey = "Software\\vx9\\lanternIdle\\Settings";

inline std::string quoted(const std::string& s) { return "\"" + s + "\""; }

// A started program, killed when it goes.
class Process {
public:
    explicit Process(std::string commandLine, DWORD flags = 0) {
        STARTUPINFOA startup{sizeof startup};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                            &info_)) {
            info_ = {};
        }
    }
    ~Process() {
        kill();
        if (info_.hProcess) CloseHandle(info_.hThread), CloseHandle(info_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD id() const { return info_.dwProcessId; }
    bool running() const { return waitForExit(0) == std::nullopt; }
    std::optional<DWORD> waitForExit(double seconds) const {
        DWORD code = 0;
        const bool ended = WaitForSingleObject(info_.hProcess, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(info_.hProcess, &code) ? std::optional(code) : std::nullopt;
    }
    void kill() {
        if (running()) TerminateProcess(info_.hProcess, 99), WaitForSingleObject(info_.hProcess, 10000);
    }

private:
    PROCESS_INFORMATION info_{};  // owned: both handles are closed in the destructor
};

// The stand-in's log clock.
inline long long nowMs() { return static_cast<long long>(GetTickCount64()); }
inline void sleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

inline bool waitUntil(const std::function<bool()>& condition, double seconds) {
    for (const long long deadline = nowMs() + static_cast<long long>(seconds * 1000);; sleepSeconds(0.05)) {
        if (condition()) return true;
        if (nowMs() >= deadline) return false;
    }
}

// How many WM_NULL, sent every 200 ms for `seconds`, got no answer within 2 s.
inline int unansweredProbes(HWND window, double seconds) {
    int unanswered = 0;
    for (const long long until = nowMs() + static_cast<long long>(seconds * 1000); nowMs() < until; sleepSeconds(0.2)) {
        DWORD_PTR answer = 0;
        unanswered += !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
    }
    return unanswered;
}

inline bool onTop(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

inline std::string caption(HWND window) {
    char text[1024] = {};
    return std::string(text, std::max(GetWindowTextA(window, text, sizeof text), 0));
}

inline std::string controlText(HWND window) {
    char text[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text - 1, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &got);
    return text;
}

inline std::vector<HWND> topLevelWindows(const char* className, DWORD processId, const char* caption = nullptr) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (!caption || e2e::caption(window) == caption)) found.push_back(window);
    }
    return found;
}

inline HWND findTopLevel(const char* className, DWORD processId, const char* caption = nullptr) {
    const std::vector<HWND> found = topLevelWindows(className, processId, caption);
    return found.empty() ? nullptr : found.front();
}

struct LogEntry {
    long long ms = 0;
    std::vector<std::string> fields;  // after the kind, unescaped
    std::size_t index = SIZE_MAX;  // the line's number in the log (none: SIZE_MAX)
    std::string field(std::size_t i) const { return i < fields.size() ? fields[i] : std::string(); }
    std::string last() const { return fields.empty() ? std::string() : fields.back(); }
};

// The stand-in's log: one event a line, "<ms>\t<kind>\t<field>...", each field escaped.
class StandinLog {
public:
    explicit StandinLog(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    std::vector<LogEntry> read(const std::string& kind = "") const {
        std::ifstream file(path_, std::ios::binary);
        std::vector<LogEntry> entries;
        std::string line;
        for (std::size_t index = 0; std::getline(file, line) && !file.eof(); ++index) {
            std::vector<std::string> fields;
            std::istringstream split(line);
            for (std::string field; std::getline(split, field, '\t');) {
                fields.push_back(standin::unescapeFromLog(field));
            }
            if (fields.size() < 2 || (!kind.empty() && fields[1] != kind)) continue;
            entries.push_back({std::atoll(fields[0].c_str()), {fields.begin() + 2, fields.end()}, index});
        }
        return entries;
    }
    std::vector<std::string> posted() const {
        std::vector<std::string> lines;
        for (const LogEntry& entry : read("posted")) lines.push_back(entry.field(2));
        return lines;
    }
    // The entries of that kind whose last field is `last`.
    std::vector<LogEntry> read(const std::string& kind, const std::string& last) const {
        std::vector<LogEntry> entries = read(kind);
        std::erase_if(entries, [&](const LogEntry& entry) { return entry.last() != last; });
        return entries;
    }
    LogEntry find(const std::string& kind, const std::string& last) const {
        const std::vector<LogEntry> found = read(kind, last);
        return found.empty() ? LogEntry{} : found.front();
    }
    bool waitFor(const std::string& kind, const std::string& last, double seconds) const {
        return waitUntil([&] { return !read(kind, last).empty(); }, seconds);
    }
    bool waitForPosts(std::size_t count, double seconds) const {
        return waitUntil([&] { return posted().size() >= count; }, seconds);
    }

private:
    std::string path_;
};

// A string value of the settings key; nothing when it is missing or not a string.
inline std::optional<std::string> readStoredSetting(const std::string& name) {
    char data[2048] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size)) return {};
    return data;
}

// Stores a value as a user would, with reg.exe (detached: no chatter in the output).
inline bool regAdd(const std::string& name, const std::string& type, const std::string& data) {
    const Process reg(std::string("reg.exe add \"HKCU\\") + kSettingsKey + "\" /v " + name + " /t " + type + " /d " +
                          quoted(data) + " /f",
                      DETACHED_PROCESS);
    return reg.waitForExit(30) == std::optional<DWORD>(0);
}

// Each test starts from an empty settings key and a fresh log; what it started is killed.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // The programs and these tests exchange CP1252 bytes through the ANSI calls.
        ASSERT_EQ(GetACP(), 1252u) << "the Wine prefix's ANSI code page is not 1252";
        // A stray window (another run in this prefix) would be found first.
        ASSERT_EQ(FindWindowA(kFrameClass, nullptr), nullptr) << "a stand-in client is still running";
        ASSERT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr) << "a lantern-idle window is still open";
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\vx9");
        CreateDirectoryA("e2e-logs", nullptr);
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        log_.emplace(std::string("e2e-logs\\") + test->test_suite_name() + "." + test->name() + ".log");
        DeleteFileA(log_->path().c_str());
    }
    void TearDown() override {
        addOn_.reset(), standin_.reset();
        waitUntil([] { return !FindWindowA(kFrameClass, nullptr) && !FindWindowA(kMainWindowClass, nullptr); }, 10);
    }

    static std::string programPath(const char* exeName) {
        char self[MAX_PATH] = {};
        const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
        return quoted(path.substr(0, path.find_last_of("\\/")) + "\\..\\bin\\" + exeName);
    }
    void startStandin() {
        // A stand-in started again writes to the same log: only its own room counts.
        const std::size_t rooms = log_->read("room-entered", "Lobby").size();
        standin_.emplace(programPath("standin-client.exe") + " --log " + quoted(log_->path()));
        ASSERT_TRUE(waitUntil([&] { return findTopLevel(kControlClass, standin_->id()); }, 30)) << "no stand-in";
        ASSERT_TRUE(waitUntil([&] { return log_->read("room-entered", "Lobby").size() > rooms; }, 10)) << "no room";
    }
    void startAddOn() {
        addOn_.emplace(programPath("lantern-idle.exe"));
        ASSERT_TRUE(waitUntil([&] { return (mainWindow_ = findTopLevel(kMainWindowClass, addOn_->id(), "Idle")); }, 30))
            << "lantern-idle's main window did not appear";
    }
    // The load banner out and, last, the main window on top.
    void waitForStartUp() {
        ASSERT_TRUE(log_->waitForPosts(1, 30)) << "no load banner was posted";
        ASSERT_TRUE(waitUntil([&] { return onTop(mainWindow_); }, 10)) << "the main window was not put on top";
    }
    // How many messages of that kind (any, when empty) reached an input box from `sinceMs` on.
    std::size_t inputsSince(long long sinceMs, const std::string& message) const {
        const std::vector<LogEntry> all = log_->read("input");
        return std::count_if(all.begin(), all.end(), [&](const LogEntry& e) {
            return e.ms >= sinceMs && (message.empty() || e.field(1) == message);
        });
    }

    // The messages that reached the input boxes, in seconds after the first. Wine
    // answers a WM_GETTEXTLENGTH from another process by fetching the text once more:
    // that extra WM_GETTEXT, between the length and the read, is left out.
    test::Traffic inputTraffic() const {
        const std::vector<LogEntry> all = log_->read("input");
        test::Traffic seen;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto is = [&](std::size_t at, const char* name) {
                return at < all.size() && all[at].field(1) == name;
            };
            if (i > 0 && is(i - 1, "WM_GETTEXTLENGTH") && is(i, "WM_GETTEXT") && is(i + 1, "WM_GETTEXT")) continue;
            seen.push_back({0, test::messageNumber(all[i].field(1)), std::stoull(all[i].field(2)), all[i].field(3),
                            static_cast<double>(all[i].ms - all[0].ms) / 1000});
        }
        return seen;
    }

    // Hands one control command to the stand-in; whether it was carried out.
    bool command(const std::string& text) {
        COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
        DWORD_PTR done = 0;
        return SendMessageTimeoutA(findTopLevel(kControlClass, standin_->id()), WM_COPYDATA, 0,
                                   reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 60000, &done) &&
               done;
    }
    HWND frame() const { return findTopLevel(kFrameClass, standin_->id()); }
    HWND inputBox() const {  // the top room's
        HWND mdi = FindWindowExA(frame(), nullptr, "MDIClient", nullptr);
        return FindWindowExA(FindWindowExA(mdi, nullptr, "AOL Child", nullptr), nullptr, "RICHCNTL", nullptr);
    }
    StandinLog& log() { return *log_; }
    Process& standin() { return *standin_; }
    Process& addOn() { return *addOn_; }
    HWND mainWindow() const { return mainWindow_; }

private:
    std::optional<StandinLog> log_;
    std::optional<Process> standin_, addOn_;
    HWND mainWindow_ = nullptr;  // not owned: the add-on's main window
};

}  // namespace lantern::e2e
