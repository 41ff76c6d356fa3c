#include "e2e/harness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace lantern::e2e {
namespace {

constexpr const char* kMainWindowClass = "LanternForm";
constexpr const char* kMainWindowCaption = "Idle";
constexpr const char* kControlClass = "LanternStandinControl";
constexpr const char* kFrameClass = "AOL Frame25";

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

struct WindowSearch {
    const char* className;
    const char* caption;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, search->className) != 0) return TRUE;
    if (search->caption && caption(window) != search->caption) return TRUE;
    search->found.push_back(window);
    return TRUE;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// How many WM_SETTEXT reached the input box after the last posted line: the two of
// putting the user's text back end the sending of a line.
int setTextsAfterLastPost(const StandinLog& log) {
    int count = -1;
    for (const LogEntry& entry : log.read()) {
        if (entry.kind == "posted") {
            count = 0;
        } else if (count >= 0 && entry.kind == "input" && entry.field(1) == "WM_SETTEXT") {
            ++count;
        }
    }
    return count;
}

std::string logsFolder() {
    std::string folder = "e2e-logs";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

// ---- processes ----

Process::~Process() {
    kill();
    release();
}

Process::Process(Process&& other) noexcept : info_(other.info_) { other.info_ = {}; }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        kill();
        release();
        info_ = other.info_;
        other.info_ = {};
    }
    return *this;
}

std::optional<Process> Process::start(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string mutableLine = commandLine;
    Process process;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process.info_)) {
        return std::nullopt;
    }
    return process;
}

bool Process::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::waitForExit(double seconds) const {
    if (!info_.hProcess) return std::nullopt;
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(seconds * 1000)) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::kill() {
    if (!running()) return;
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
}

void Process::release() {
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
    info_ = {};
}

std::string programPath(const std::string& exeName) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    // The test exe lives in <build>/tests, the programs in <build>/bin.
    for (const std::string& candidate : {directoryOf(self) + "\\..\\bin\\" + exeName, exeName}) {
        if (fileExists(candidate)) return candidate;
    }
    return exeName;
}

std::optional<DWORD> runToEnd(const std::string& commandLine, double seconds) {
    // Its chatter goes to NUL, so that the test output stays readable.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION info{};
    std::string mutableLine = commandLine;
    const bool started = CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &info);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) return std::nullopt;
    std::optional<DWORD> code;
    if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(info.hProcess, &exitCode);
        code = exitCode;
    } else {
        TerminateProcess(info.hProcess, 99);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

// ---- time and waiting ----

long long nowMs() { return static_cast<long long>(GetTickCount64()); }

void sleepSeconds(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

bool answers(HWND window, double seconds) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(seconds * 1000), &answer) != 0;
}

bool waitUntil(const std::function<bool()>& condition, double seconds) {
    const long long deadline = nowMs() + static_cast<long long>(seconds * 1000);
    for (;;) {
        if (condition()) return true;
        if (nowMs() >= deadline) return false;
        sleepSeconds(0.05);
    }
}

// ---- other programs' windows ----

HWND findTopLevel(const char* className, const char* caption, DWORD processId) {
    WindowSearch search{className, caption, processId, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> topLevelWindows(const char* className, DWORD processId) {
    WindowSearch search{className, nullptr, processId, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string caption(HWND window) {
    char text[1024] = {};
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string controlText(HWND window) {
    std::vector<char> text(4096, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size() - 1, reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, 5000, &copied)) {
        return "<no answer>";
    }
    return std::string(text.data());
}

std::vector<std::string> childTexts(HWND parent, const char* className) {
    std::vector<std::string> texts;
    for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
         child = FindWindowExA(parent, child, className, nullptr)) {
        texts.push_back(controlText(child));
    }
    return texts;
}

// ---- the stand-in's log ----

std::string unescapeLogField(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (field[i] != '\\') {
            out += field[i];
        } else if (next == '\\' || next == 't' || next == 'r' || next == 'n') {
            out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : '\\';
            ++i;
        } else if (next == 'x' && i + 3 < field.size() && hexDigit(field[i + 2]) >= 0 && hexDigit(field[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(field[i + 2]) * 16 + hexDigit(field[i + 3]));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string> splitLogLine(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(unescapeLogField(line.substr(start, tab == std::string::npos ? tab : tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::string printable(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

long positionOf(const std::vector<LogEntry>& entries, const std::string& kind, const std::string& lastField) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == kind && !entries[i].fields.empty() && entries[i].fields.back() == lastField) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

std::string describe(const LogEntry& entry, std::size_t width) {
    std::string out = entry.kind;
    for (const std::string& field : entry.fields) out += " | " + printable(field).substr(0, width);
    return out;
}

std::vector<LogEntry> StandinLog::read() const {
    std::ifstream file(path_, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    const std::string all = content.str();
    std::vector<LogEntry> entries;
    std::size_t start = 0;
    for (std::size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> fields = splitLogLine(all.substr(start, end - start));
        if (fields.size() < 2) continue;
        LogEntry entry;
        entry.ms = std::atoll(fields[0].c_str());
        entry.kind = fields[1];
        entry.fields.assign(fields.begin() + 2, fields.end());
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<LogEntry> StandinLog::entries(const std::string& kind) const {
    std::vector<LogEntry> found;
    for (LogEntry& entry : read()) {
        if (entry.kind == kind) found.push_back(std::move(entry));
    }
    return found;
}

std::vector<std::string> StandinLog::posted() const {
    std::vector<std::string> lines;
    for (const LogEntry& entry : entries("posted")) lines.push_back(entry.field(2));
    return lines;
}

std::vector<std::string> StandinLog::captions() const {
    std::vector<std::string> texts;
    for (const LogEntry& entry : entries("caption")) texts.push_back(entry.field(0));
    return texts;
}

std::vector<LogEntry> StandinLog::inputs() const { return entries("input"); }

bool StandinLog::waitFor(const std::string& kind, const std::string& text, double seconds) const {
    return waitUntil(
        [&] {
            for (const LogEntry& entry : entries(kind)) {
                if (!entry.fields.empty() && entry.fields.back() == text) return true;
            }
            return false;
        },
        seconds);
}

std::size_t StandinLog::count(const std::string& kind, const std::string& text) const {
    const std::vector<LogEntry> found = entries(kind);
    return static_cast<std::size_t>(std::count_if(found.begin(), found.end(), [&](const LogEntry& entry) {
        return !entry.fields.empty() && entry.fields.back() == text;
    }));
}

bool StandinLog::waitForPosts(std::size_t count, double seconds) const {
    return waitUntil([&] { return posted().size() >= count; }, seconds);
}

// ---- the settings key ----

void deleteSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\vx9"); }

std::optional<std::string> readStoredSetting(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> value;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::string data(size + 2, '\0');
        DWORD capacity = size;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &capacity) ==
            ERROR_SUCCESS) {
            data.resize(capacity);
            while (!data.empty() && data.back() == '\0') data.pop_back();
            value = data;
        }
    }
    RegCloseKey(key);
    return value;
}

bool regAdd(const std::string& name, const std::string& type, const std::string& data) {
    std::string line = std::string("reg.exe add \"HKCU\\") + kSettingsKey + "\" /v " + name + " /t " + type +
                       " /d " + quoted(data) + " /f";
    std::optional<DWORD> code = runToEnd(line);
    return code && *code == 0;
}

// ---- the fixture ----

void EndToEnd::SetUp() {
    // Nothing of an earlier test may still run: a stray frame would be found first.
    ASSERT_EQ(FindWindowA(kFrameClass, nullptr), nullptr) << "a stand-in client is still running";
    ASSERT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr) << "a lantern-idle window is still open";
    deleteSettings();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/' || c == '\\') c = '_';
    }
    std::string path = logsFolder() + "\\" + name + ".log";
    DeleteFileA(path.c_str());
    log_.emplace(path);
}

void EndToEnd::TearDown() {
    for (Process& other : others_) other.kill();
    if (addOn_) addOn_->kill();
    if (standin_) standin_->kill();
    // Let the window manager forget the killed windows before the next test looks.
    waitUntil([] { return !FindWindowA(kFrameClass, nullptr) && !FindWindowA(kMainWindowClass, nullptr); }, 10);
    // The add-on takes the first chat client it finds: another one in this Wine
    // prefix (someone else's test run) would have drawn its lines away.
    for (const char* className : {kFrameClass, kMainWindowClass}) {
        if (HWND stray = FindWindowA(className, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(stray, &owner);
            std::printf("a %s window of process %lu is still open\n", className, owner);
        }
    }
    if (HasFailure() && log_ && GetFileAttributesA(log_->path().c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("stand-in log kept in %s\n", log_->path().c_str());
    }
}

void EndToEnd::startStandin(const std::string& extraArguments) {
    // A stand-in started again writes to the same log: only its own room counts.
    const std::size_t roomsBefore = log_->count("room-entered", "Lobby");
    std::string line = quoted(programPath("standin-client.exe")) + " --log " + quoted(log_->path());
    if (!extraArguments.empty()) line += " " + extraArguments;
    standin_ = Process::start(line);
    ASSERT_TRUE(standin_) << "could not start " << line;
    ASSERT_TRUE(waitUntil([&] { return findTopLevel(kControlClass, nullptr, standin_->id()) != nullptr; }, 30))
        << "the stand-in's control window did not appear";
    ASSERT_TRUE(waitUntil([&] { return log_->count("room-entered", "Lobby") > roomsBefore; }, 10))
        << "the stand-in's room did not open";
    ASSERT_NE(inputBox(), nullptr);
}

Process& EndToEnd::startAddOn() {
    addOn_ = Process::start(quoted(programPath("lantern-idle.exe")));
    EXPECT_TRUE(addOn_) << "could not start lantern-idle.exe";
    if (!addOn_) addOn_.emplace();
    const DWORD id = addOn_->id();
    waitUntil([&] { return (mainWindow_ = findTopLevel(kMainWindowClass, kMainWindowCaption, id)) != nullptr; }, 30);
    EXPECT_NE(mainWindow_, nullptr) << "lantern-idle's main window did not appear";
    return *addOn_;
}

Process& EndToEnd::startSecondAddOn() {
    std::optional<Process> process = Process::start(quoted(programPath("lantern-idle.exe")));
    EXPECT_TRUE(process) << "could not start a second lantern-idle.exe";
    others_.push_back(process ? std::move(*process) : Process());
    return others_.back();
}

HWND EndToEnd::frame() const { return standin_ ? findTopLevel(kFrameClass, nullptr, standin_->id()) : nullptr; }

HWND EndToEnd::inputBox() const {
    HWND mdi = FindWindowExA(frame(), nullptr, "MDIClient", nullptr);
    HWND room = FindWindowExA(mdi, nullptr, "AOL Child", nullptr);
    return FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
}

bool EndToEnd::command(const std::string& text) {
    HWND control = standin_ ? findTopLevel(kControlClass, nullptr, standin_->id()) : nullptr;
    if (!control) return false;
    COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 60000,
                               &answer) &&
           answer;
}

void EndToEnd::waitForStartUp(std::size_t postsBefore) {
    ASSERT_TRUE(log_->waitForPosts(postsBefore + 1, 30)) << "no load banner was posted";
    ASSERT_TRUE(waitUntil([&] { return setTextsAfterLastPost(*log_) >= 2; }, 10))
        << "the input box did not get its text back after the load banner";
    // Start-up then puts the main window on top and, last, starts the chat watcher.
    ASSERT_TRUE(waitUntil([&] { return (GetWindowLongA(mainWindow_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 10))
        << "the main window was not put on top after the load banner";
}

std::optional<DWORD> EndToEnd::closeAddOn(double seconds) {
    PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    return addOn_ ? addOn_->waitForExit(seconds) : std::nullopt;
}

}  // namespace lantern::e2e
