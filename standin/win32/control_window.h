#pragma once
// The stand-in's control interface from outside: a hidden window of class
// "LanternStandinControl" that takes one command per WM_COPYDATA message (the
// command's bytes, CP1252, with or without a terminating NUL) and answers TRUE when
// the command worked. `standin-client.exe --send "<command>"` is the other end.

#include <windows.h>

#include <string>

#include "standin/model/standin_client.h"
#include "standin/win32/log_file.h"

namespace lantern::standin::win32 {

inline constexpr const char* kControlClass = "LanternStandinControl";

class ControlWindow {
public:
    ControlWindow(HINSTANCE instance, StandinClient& client, LogFile& log);
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    StandinClient& client_;  // not owned
    LogFile& log_;  // not owned
    HWND window_ = nullptr;  // owned
};

// Sends one command to the running stand-in. Exit codes: 0 done, 1 refused by the
// stand-in, 2 no stand-in running, 3 no answer in time.
int sendCommand(const std::string& command);

}  // namespace lantern::standin::win32
