#include "bench/win32/support/programs_session.h"

#include <cstdio>
#include <cstdlib>

namespace lantern::bench {

void fail(const std::string& why) {
    char self[MAX_PATH] = {};
    const std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    std::fprintf(stderr, "%s: %s\n", path.substr(path.find_last_of("\\/") + 1).c_str(), why.c_str());
    std::exit(1);
}

void readOptions(int argc, char** argv, const std::function<bool(const std::string& name, const char* value)>& take) {
    if (argc % 2 == 0) {
        fail(std::string(argv[argc - 1]) + " needs a value");
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!take(argv[i], argv[i + 1])) {
            fail(std::string("unknown option ") + argv[i]);
        }
    }
}

std::size_t need(std::optional<std::size_t> found, const std::string& what) {
    if (!found) {
        fail("no " + what + " in the stand-in's log in time");
    }
    return *found;
}

bool isInput(const LogEntry& entry, const char* message) { return entry.kind == "input" && entry.field(1) == message; }

bool readsInputBox(const LogEntry& entry) { return isInput(entry, "WM_GETTEXTLENGTH") || isInput(entry, "WM_GETTEXT"); }

void ProgramsSession::startStandin(const std::string& arguments) {
    const std::string logPath = logFolder_ + "\\standin.log";
    DeleteFileA(logPath.c_str());
    log_.emplace(logPath);
    std::optional<ChildProcess> started = ChildProcess::start(
        builtProgram("standin-client.exe"), "--log \"" + logPath + "\"" + (arguments.empty() ? "" : " " + arguments));
    if (!started) {
        fail("standin-client.exe did not start");
    }
    standin_ = std::move(*started);
    need(log_->waitFor(0, entryOf("room-entered"), kPatience), "room");
}

long long ProgramsSession::startAddOn(const std::string& exePath, const std::string& arguments) {
    const std::size_t from = log_->refresh().size();
    const long long started = nowMs();
    std::optional<ChildProcess> process = ChildProcess::start(exePath, arguments);
    if (!process) {
        fail(exePath + " did not start");
    }
    addOn_ = std::move(*process);
    const std::size_t banner = need(log_->waitFor(from, entryOf("posted"), kPatience), "load banner");
    waitForLineSent(banner);
    // Start-up puts the main window on top and starts the watcher after the line.
    sleepMs(1000);
    return log_->entries()[banner].ms - started;
}

void ProgramsSession::endAddOn() {
    standinCommand("send .end");
    if (!addOn_.waitForExit(kPatience)) {
        fail("the add-on did not end after .end");
    }
    addOn_.kill();
    sleepMs(500);
}

void ProgramsSession::waitForLineSent(std::size_t posted) {
    need(log_->waitFor(
             posted + 1, [](const LogEntry& e) { return isInput(e, "WM_SETTEXT"); }, kPatience),
         "text put back");
}

std::size_t ProgramsSession::userSends(const std::string& text) {
    const std::size_t from = log_->refresh().size();
    if (!standinCommand("send " + text)) {
        fail("the stand-in refused to send " + text);
    }
    return need(log_->waitFor(
                    from, [&](const LogEntry& e) { return e.kind == "posted" && e.field(2) == text; }, kPatience),
                "posted " + text);
}

std::size_t ProgramsSession::answer(std::size_t from, const std::string& word) {
    return need(log_->waitFor(from + 1, entryOf("posted", word), kPatience), "answer with " + word);
}

}  // namespace lantern::bench
