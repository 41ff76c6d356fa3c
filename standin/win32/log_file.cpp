#include "standin/win32/log_file.h"

#include <windows.h>

namespace lantern::standin::win32 {

LogFile::LogFile(const std::string& path) {
    if (!path.empty()) file_ = std::fopen(path.c_str(), "ab");
}

LogFile::~LogFile() {
    if (file_) std::fclose(file_);
}

void LogFile::write(const Event& event) { writeLine(logLine(event)); }

void LogFile::writeCommand(const std::string& command, const std::string& outcome) {
    writeLine(std::to_string(GetTickCount64()) + "\tcommand\t" + escapeForLog(command) + "\t" + escapeForLog(outcome));
}

void LogFile::writeLine(const std::string& line) {
    if (!file_) return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace lantern::standin::win32
