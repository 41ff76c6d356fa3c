#pragma once
// What the end-to-end tests need to drive the real programs under Wine: starting and
// killing processes, waiting for windows and log lines with a deadline, reading the
// stand-in's log, the settings key, and other programs' windows.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lantern::e2e {

// ---- processes ----

// A started program. Killed in the destructor if it still runs, so that one failing
// test never leaves a process behind for the next.
class Process {
public:
    Process() = default;
    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Runs `commandLine` (the program name first, quoted as needed); false when
    // CreateProcessA refused.
    static std::optional<Process> start(const std::string& commandLine);

    bool running() const;
    DWORD id() const { return info_.dwProcessId; }
    // The exit code once the process ended within `seconds`; nothing otherwise.
    std::optional<DWORD> waitForExit(double seconds) const;
    void kill();

private:
    void release();

    PROCESS_INFORMATION info_{};  // owned: both handles are closed in release()
};

// The full path of one of the programs under test (lantern-idle.exe,
// standin-client.exe), from the working directory or the build's bin folder.
std::string programPath(const std::string& exeName);

// Runs a command line to its end; its exit code, or nothing when it did not start
// or did not end within `seconds`.
std::optional<DWORD> runToEnd(const std::string& commandLine, double seconds = 30);

// ---- time and waiting ----

// Milliseconds on the clock that the stand-in writes into its log.
long long nowMs();

// Polls `condition` every 50 ms until it holds or `seconds` passed; whether it held.
bool waitUntil(const std::function<bool()>& condition, double seconds);

// Whether the window's thread answered WM_NULL within `seconds`.
bool answers(HWND window, double seconds);

// Lets `seconds` pass (the programs under test run meanwhile in their own processes).
void sleepSeconds(double seconds);

// ---- other programs' windows ----

// The first top-level window of that class (and caption, unless null) that belongs
// to the process; 0 when there is none.
HWND findTopLevel(const char* className, const char* caption, DWORD processId);
// Every top-level window of that class belonging to the process.
std::vector<HWND> topLevelWindows(const char* className, DWORD processId);

// A window's caption as CP1252 bytes, read without sending it a message.
std::string caption(HWND window);
// A control's text in another process, asked for with WM_GETTEXT (timeout 5 s).
std::string controlText(HWND window);
// The texts of a window's direct children of a class.
std::vector<std::string> childTexts(HWND parent, const char* className);


// ---- the stand-in's log ----

struct LogEntry {
    long long ms = 0;
    std::string kind;                 // "posted", "input", "caption", ...
    std::vector<std::string> fields;  // the fields after the kind, unescaped
    std::string field(std::size_t i) const { return i < fields.size() ? fields[i] : std::string(); }
};

class StandinLog {
public:
    explicit StandinLog(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Every entry written so far (a half-written last line is left for next time).
    std::vector<LogEntry> read() const;
    std::vector<LogEntry> entries(const std::string& kind) const;

    // The raw mark-up of every posted line, in order.
    std::vector<std::string> posted() const;
    // Every caption written to the frame, the empty ones too.
    std::vector<std::string> captions() const;
    // Every message that reached the room's input box, in order.
    std::vector<LogEntry> inputs() const;

    // Waits until an entry of that kind whose last field is `text` is there.
    bool waitFor(const std::string& kind, const std::string& text, double seconds) const;
    // How many entries of that kind have `text` as their last field.
    std::size_t count(const std::string& kind, const std::string& text) const;
    // Waits until `count` lines have been posted.
    bool waitForPosts(std::size_t count, double seconds) const;

private:
    std::string path_;
};

// The position of the first entry of that kind whose last field is `lastField`; -1
// when there is none.
long positionOf(const std::vector<LogEntry>& entries, const std::string& kind, const std::string& lastField);
// One entry on one line, each field made printable and cut to `width` characters.
std::string describe(const LogEntry& entry, std::size_t width = 48);

// "a\tb" -> the fields, each with the log's escapes undone.
std::vector<std::string> splitLogLine(const std::string& line);
std::string unescapeLogField(const std::string& field);
// Bytes shown with the log's escapes, for failure messages.
std::string printable(const std::string& bytes);

// ---- the settings key ----

inline constexpr const char* kSettingsKey = "Software\\vx9\\lanternIdle\\Settings";

// Deletes HKCU\Software\vx9 with everything under it.
void deleteSettings();
// A string value of the settings key, without any terminating NUL; nothing when the
// value is missing or is not a string.
std::optional<std::string> readStoredSetting(const std::string& name);
// Stores a value the way a user would: reg.exe add ... /t <type> /d <data> /f.
// Whether reg.exe succeeded.
bool regAdd(const std::string& name, const std::string& type, const std::string& data);

// ---- the fixture ----

// Each test starts from an empty settings key and a fresh stand-in log, and whatever
// it started is killed when it ends.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the stand-in with its log and waits until its room is open.
    void startStandin(const std::string& extraArguments = "");
    // Starts lantern-idle.exe and waits for its main window.
    Process& startAddOn();
    // Starts another lantern-idle.exe without waiting for anything.
    Process& startSecondAddOn();

    // Hands one control command to the stand-in; whether it was carried out.
    bool command(const std::string& text);

    // Waits until start-up has finished: the load banner out, the input box's text
    // back, the main window on top (the chat watcher starts right after that).
    void waitForStartUp(std::size_t postsBefore = 0);

    // Closes the add-on's main window as the system would and waits for the process.
    std::optional<DWORD> closeAddOn(double seconds = 20);

    // Our stand-in's frame and its top room's input box.
    HWND frame() const;
    HWND inputBox() const;

    StandinLog& log() { return *log_; }
    Process& standin() { return *standin_; }
    Process& addOn() { return *addOn_; }
    HWND mainWindow() const { return mainWindow_; }

private:
    std::optional<StandinLog> log_;
    std::optional<Process> standin_;
    std::optional<Process> addOn_;
    std::vector<Process> others_;  // further instances
    HWND mainWindow_ = nullptr;    // not owned: the add-on's main window
};

}  // namespace lantern::e2e
