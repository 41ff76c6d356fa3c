#pragma once
// The stand-in's log: one line per event appended to a file, flushed at once so
// that another process can read it while the stand-in runs. The line formats are in
// standin/README.md.

#include <cstdio>
#include <string>

#include "standin/model/record.h"

namespace lantern::standin::win32 {

class LogFile {
public:
    explicit LogFile(const std::string& path);  // "" keeps no log
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    void write(const Event& event);
    // A control command and how it went: "ok" or "refused: <why>".
    void writeCommand(const std::string& command, const std::string& outcome);

private:
    void writeLine(const std::string& line);

    std::FILE* file_ = nullptr;  // owned
};

}  // namespace lantern::standin::win32
